#pragma once
#include <cstdint>

#include "saver/settings/MediaItem.h"

class RandomSource;

// A rectangle with the system's field order; right and bottom are exclusive.
struct IntRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
    bool operator==(const IntRect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

struct IntPoint {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const IntPoint& o) const { return x == o.x && y == o.y; }
};

// The factor num / den that scales a movie to the screen.
struct Fraction {
    uint32_t num = 1;
    uint32_t den = 1;
};

// The bounce step in pixels per tick.
struct Velocity {
    int32_t dx = 0;
    int32_t dy = 0;
};

// A player that reports no picture size is shown as a 10 x 10 square, the
// size the MCI player gives audio-only devices.
constexpr int32_t kNoPictureSize = 10;

// The movie rectangle moved to the origin: (0, 0, width, height), with
// negative extents (a top-down picture) taken by their magnitude. A zero
// width or height becomes kNoPictureSize x kNoPictureSize, so the
// screen-relative sizes never divide by zero.
IntRect NormaliseNatural(const IntRect& natural);

// The factor that fits a W x H movie to a display whose right and bottom
// edges are displayWidth and displayHeight: the smaller of the two axis
// ratios with letterbox (the whole movie visible), the larger without (the
// screen filled). W and H must not be 0.
Fraction FitRatio(uint32_t width, uint32_t height, int32_t displayWidth, int32_t displayHeight,
                  bool letterbox);

// The movie rectangle at the origin for `scale`, from the movie's own
// rectangle; integer arithmetic that truncates.
IntRect ComputeSize(const IntRect& natural, ScaleMode scale, bool letterbox, int32_t displayWidth,
                    int32_t displayHeight);

// The top-left corner of a w x h window aligned in the display; centred for
// AlignCenter and any value outside the nine positions. Negative when the
// window is larger than the display.
IntPoint Place(AlignMode align, int32_t displayWidth, int32_t displayHeight, int32_t width,
               int32_t height);

bool OutOfBoundsVertical(const IntRect& display, const IntRect& window);
bool OutOfBoundsHorizontal(const IntRect& display, const IntRect& window);

// A fresh step of 1 to 5 pixels, of random sign, for one axis (dx when
// `horizontal`, else dy). Draws two values from `random`.
void NewVelocity(Velocity& velocity, bool horizontal, RandomSource& random);
// A fresh step for both axes: vertical first, then horizontal.
void InitBounce(Velocity& velocity, RandomSource& random);

// Where a bouncing window goes on one tick. A window not smaller than the
// display in both directions stays where it is. Otherwise it moves by the
// velocity; every step that would leave the display is replaced by a fresh
// one for the axis it left by, until a step keeps it inside. A window that
// does not start inside the display stays put rather than drawing forever.
IntRect BounceStep(const IntRect& display, const IntRect& window, Velocity& velocity,
                   RandomSource& random);

// The two full-width strips of the display above and below the window, which
// are repainted after each bounce step.
struct BounceStrips {
    IntRect above;
    IntRect below;
};
BounceStrips StripsAround(const IntRect& display, const IntRect& window);
