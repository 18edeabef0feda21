#include "saver/playback/MovieGeometry.h"

#include "saver/playback/RandomSource.h"

IntRect NormaliseNatural(const IntRect& natural) {
    // A top-down picture reports its height as negative; its size is the magnitude.
    const int32_t w = natural.right - natural.left;
    const int32_t h = natural.bottom - natural.top;
    IntRect r{0, 0, w < 0 ? -w : w, h < 0 ? -h : h};
    if (r.right == 0 || r.bottom == 0) r = IntRect{0, 0, kNoPictureSize, kNoPictureSize};
    return r;
}

Fraction FitRatio(uint32_t width, uint32_t height, int32_t displayWidth, int32_t displayHeight,
                  bool letterbox) {
    const bool tallerRatio = static_cast<double>(displayHeight) / height >
                             static_cast<double>(displayWidth) / width;
    const Fraction byWidth{static_cast<uint32_t>(displayWidth), width};
    const Fraction byHeight{static_cast<uint32_t>(displayHeight), height};
    if (letterbox) return tallerRatio ? byWidth : byHeight;
    return tallerRatio ? byHeight : byWidth;
}

IntRect ComputeSize(const IntRect& natural, ScaleMode scale, bool letterbox, int32_t displayWidth,
                    int32_t displayHeight) {
    const IntRect own = NormaliseNatural(natural);
    const uint32_t w = static_cast<uint32_t>(own.right);
    const uint32_t h = static_cast<uint32_t>(own.bottom);
    Fraction f;
    switch (scale) {
    case ScaleDouble:
        f.num = 2;
        break;
    case ScaleHalf:
        f.den = 2;
        break;
    case ScaleFullScreen:
        f = FitRatio(w, h, displayWidth, displayHeight, letterbox);
        break;
    case ScaleThreeQuarterScreen:
        f = FitRatio(w, h, displayWidth, displayHeight, letterbox);
        f.num *= 3;
        f.den *= 4;
        break;
    case ScaleHalfScreen:
        f = FitRatio(w, h, displayWidth, displayHeight, letterbox);
        f.den *= 2;
        break;
    case ScaleQuarterScreen:
        f = FitRatio(w, h, displayWidth, displayHeight, letterbox);
        f.den *= 4;
        break;
    default:
        break;
    }
    return IntRect{0, 0, static_cast<int32_t>(f.num * w / f.den),
                   static_cast<int32_t>(f.num * h / f.den)};
}

IntPoint Place(AlignMode align, int32_t displayWidth, int32_t displayHeight, int32_t width,
               int32_t height) {
    const int32_t fx = displayWidth - width;
    const int32_t fy = displayHeight - height;
    const int32_t cx = fx / 2;
    const int32_t cy = fy / 2;
    switch (align) {
    case AlignUpperLeft: return {0, 0};
    case AlignTop: return {cx, 0};
    case AlignUpperRight: return {fx, 0};
    case AlignLeft: return {0, cy};
    case AlignRight: return {fx, cy};
    case AlignLowerLeft: return {0, fy};
    case AlignBottom: return {cx, fy};
    case AlignLowerRight: return {fx, fy};
    default: return {cx, cy};
    }
}

bool OutOfBoundsVertical(const IntRect& display, const IntRect& window) {
    return window.top < display.top || window.bottom > display.bottom;
}

bool OutOfBoundsHorizontal(const IntRect& display, const IntRect& window) {
    return window.left < display.left || window.right > display.right;
}

void NewVelocity(Velocity& velocity, bool horizontal, RandomSource& random) {
    int32_t step = static_cast<int32_t>(random.Next() % 5) + 1;
    if (random.Next() % 2 != 0) step = -step;
    (horizontal ? velocity.dx : velocity.dy) = step;
}

void InitBounce(Velocity& velocity, RandomSource& random) {
    NewVelocity(velocity, false, random);
    NewVelocity(velocity, true, random);
}

IntRect BounceStep(const IntRect& display, const IntRect& window, Velocity& velocity,
                   RandomSource& random) {
    if (window.Width() >= display.Width() || window.Height() >= display.Height()) return window;
    // From inside the display a step of one pixel always stays inside, so the
    // redraws end; from outside none may, and the window keeps its place.
    if (OutOfBoundsHorizontal(display, window) || OutOfBoundsVertical(display, window)) {
        return window;
    }
    for (;;) {
        IntRect moved{window.left + velocity.dx, window.top + velocity.dy,
                      window.right + velocity.dx, window.bottom + velocity.dy};
        const bool sideways = OutOfBoundsHorizontal(display, moved);
        if (!sideways && !OutOfBoundsVertical(display, moved)) return moved;
        NewVelocity(velocity, sideways, random);
    }
}

BounceStrips StripsAround(const IntRect& display, const IntRect& window) {
    return BounceStrips{IntRect{display.left, display.top, display.right, window.top - 1},
                        IntRect{display.left, window.bottom + 1, display.right, display.bottom}};
}
