#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "saver/playback/MovieGeometry.h"
#include "saver/playback/RandomSource.h"

namespace {

// Values in a fixed order, for steps that must come out a certain way.
class ScriptedRandom : public RandomSource {
public:
    explicit ScriptedRandom(std::vector<uint32_t> values) : values_(std::move(values)) {}
    uint32_t Next() override {
        uint32_t v = values_.at(next_ % values_.size());
        ++next_;
        return v;
    }
    size_t drawn() const { return next_; }

private:
    std::vector<uint32_t> values_;
    size_t next_ = 0;
};

struct SizeCase {
    int32_t w, h;
    ScaleMode scale;
    bool letterbox;
    int32_t pw, ph;
    int32_t outW, outH;
};

TEST(MovieGeometry, ComputeSizeByScale) {
    const SizeCase cases[] = {
        {320, 240, ScaleFullScreen, true, 800, 600, 800, 600},
        {320, 240, ScaleFullScreen, false, 800, 600, 800, 600},
        {320, 240, ScaleThreeQuarterScreen, true, 800, 600, 600, 450},
        {320, 240, ScaleHalfScreen, true, 800, 600, 400, 300},
        {320, 240, ScaleQuarterScreen, true, 800, 600, 200, 150},
        {320, 240, ScaleDouble, true, 800, 600, 640, 480},
        {320, 240, ScaleHalf, true, 800, 600, 160, 120},
        {320, 240, ScaleNatural, true, 800, 600, 320, 240},
        {320, 240, ScaleUseGlobal, true, 800, 600, 320, 240},
        {320, 240, ScaleDontChange, true, 800, 600, 320, 240},
        {320, 240, static_cast<ScaleMode>(42), true, 800, 600, 320, 240},
        {320, 180, ScaleFullScreen, true, 800, 600, 800, 450},
        {320, 180, ScaleFullScreen, false, 800, 600, 1066, 600},
        {180, 320, ScaleFullScreen, true, 800, 600, 337, 600},
        {180, 320, ScaleFullScreen, false, 800, 600, 800, 1422},
        {350, 250, ScaleNatural, true, 800, 600, 350, 250},
        {350, 250, ScaleFullScreen, true, 800, 600, 800, 571},
        // An audio-only device: a square as high as the screen.
        {10, 10, ScaleFullScreen, true, 800, 600, 600, 600},
        // No picture size at all is taken as 10 x 10 rather than dividing by zero.
        {0, 0, ScaleFullScreen, true, 800, 600, 600, 600},
        {0, 240, ScaleHalfScreen, true, 800, 600, 300, 300},
        {320, 0, ScaleQuarterScreen, false, 800, 600, 200, 200},
        {0, 0, ScaleNatural, true, 800, 600, 10, 10},
    };
    for (const SizeCase& c : cases) {
        const IntRect r = ComputeSize(IntRect{0, 0, c.w, c.h}, c.scale, c.letterbox, c.pw, c.ph);
        EXPECT_EQ(r, (IntRect{0, 0, c.outW, c.outH}))
            << c.w << "x" << c.h << " scale " << c.scale << " letterbox " << c.letterbox
            << " gave " << r.right << "x" << r.bottom;
    }
}

TEST(MovieGeometry, NaturalRectIsMovedToTheOrigin) {
    EXPECT_EQ(ComputeSize(IntRect{5, 7, 325, 247}, ScaleNatural, true, 800, 600),
              (IntRect{0, 0, 320, 240}));
    EXPECT_EQ(NormaliseNatural(IntRect{3, 3, 3, 90}), (IntRect{0, 0, 10, 10}));
    // A top-down AVI reports its source rectangle with a negative height.
    EXPECT_EQ(NormaliseNatural(IntRect{0, 0, 320, -180}), (IntRect{0, 0, 320, 180}));
    EXPECT_EQ(ComputeSize(IntRect{0, 0, 320, -180}, ScaleFullScreen, true, 800, 600),
              (IntRect{0, 0, 800, 450}));
}

TEST(MovieGeometry, FitRatioKeepsTheFraction) {
    Fraction f = FitRatio(320, 180, 800, 600, true);
    EXPECT_EQ(f.num, 800u);
    EXPECT_EQ(f.den, 320u);
    f = FitRatio(320, 180, 800, 600, false);
    EXPECT_EQ(f.num, 600u);
    EXPECT_EQ(f.den, 180u);
    // Equal ratios take the height with letterbox, the width without.
    f = FitRatio(400, 300, 800, 600, true);
    EXPECT_EQ(f.num, 600u);
    EXPECT_EQ(f.den, 300u);
    f = FitRatio(400, 300, 800, 600, false);
    EXPECT_EQ(f.num, 800u);
    EXPECT_EQ(f.den, 400u);
}

TEST(MovieGeometry, PlaceByAlignment) {
    struct Case {
        int32_t align;
        IntPoint at;
    };
    // A 200 x 100 window on 800 x 600: fx 600, fy 500, cx 300, cy 250.
    const Case cases[] = {{AlignCenter, {300, 250}},    {AlignUpperLeft, {0, 0}},
                          {AlignTop, {300, 0}},         {AlignUpperRight, {600, 0}},
                          {AlignLeft, {0, 250}},        {AlignRight, {600, 250}},
                          {AlignLowerLeft, {0, 500}},   {AlignBottom, {300, 500}},
                          {AlignLowerRight, {600, 500}}, {9, {300, 250}},
                          {-1, {300, 250}}};
    for (const Case& c : cases) {
        EXPECT_EQ(Place(static_cast<AlignMode>(c.align), 800, 600, 200, 100), c.at)
            << "align " << c.align;
    }
    // Larger than the screen: negative offsets, truncated toward zero.
    EXPECT_EQ(Place(AlignCenter, 800, 600, 1066, 600), (IntPoint{-133, 0}));
    EXPECT_EQ(Place(AlignCenter, 800, 600, 800, 450), (IntPoint{0, 75}));
    EXPECT_EQ(Place(AlignLowerRight, 800, 600, 1067, 601), (IntPoint{-267, -1}));
}

TEST(MovieGeometry, OutOfBounds) {
    const IntRect display{0, 0, 800, 600};
    EXPECT_FALSE(OutOfBoundsHorizontal(display, IntRect{0, 0, 800, 600}));
    EXPECT_TRUE(OutOfBoundsHorizontal(display, IntRect{-1, 0, 100, 10}));
    EXPECT_TRUE(OutOfBoundsHorizontal(display, IntRect{700, 0, 801, 10}));
    EXPECT_FALSE(OutOfBoundsVertical(display, IntRect{-5, 0, 100, 600}));
    EXPECT_TRUE(OutOfBoundsVertical(display, IntRect{0, -1, 100, 10}));
    EXPECT_TRUE(OutOfBoundsVertical(display, IntRect{0, 590, 100, 601}));
}

TEST(MovieGeometry, NewVelocityDrawsMagnitudeThenSign) {
    struct Case {
        uint32_t magnitude, sign;
        int32_t step;
    };
    const Case cases[] = {{0, 0, 1}, {4, 0, 5}, {5, 1, -1}, {32767, 1, -3}, {9, 2, 5}};
    for (const Case& c : cases) {
        ScriptedRandom random({c.magnitude, c.sign});
        Velocity v{7, 7};
        NewVelocity(v, true, random);
        EXPECT_EQ(v.dx, c.step);
        EXPECT_EQ(v.dy, 7);
        ScriptedRandom again({c.magnitude, c.sign});
        NewVelocity(v, false, again);
        EXPECT_EQ(v.dy, c.step);
    }
    // Vertical first, then horizontal.
    ScriptedRandom random({1, 0, 3, 1});
    Velocity v;
    InitBounce(v, random);
    EXPECT_EQ(v.dy, 2);
    EXPECT_EQ(v.dx, -4);
}

TEST(MovieGeometry, BounceMovesByTheVelocityInside) {
    ScriptedRandom random({0});
    Velocity v{3, -2};
    const IntRect moved = BounceStep(IntRect{0, 0, 800, 600}, IntRect{100, 100, 450, 350}, v, random);
    EXPECT_EQ(moved, (IntRect{103, 98, 453, 348}));
    EXPECT_EQ(random.drawn(), 0u);
}

TEST(MovieGeometry, BounceRedrawsTheAxisThatLeft) {
    // At the right edge moving right: the horizontal step is redrawn (value
    // 1 -> 2 pixels, sign 1 -> negative) and the vertical one kept.
    ScriptedRandom random({1, 1});
    Velocity v{4, 1};
    const IntRect moved = BounceStep(IntRect{0, 0, 800, 600}, IntRect{450, 100, 800, 350}, v, random);
    EXPECT_EQ(v.dx, -2);
    EXPECT_EQ(v.dy, 1);
    EXPECT_EQ(moved, (IntRect{448, 101, 798, 351}));
}

TEST(MovieGeometry, BouncingWindowNeverLeavesTheDisplay) {
    ClassicRandom random(12345);
    const IntRect display{0, 0, 800, 600};
    IntRect w{225, 175, 575, 425};
    Velocity v;
    InitBounce(v, random);
    for (int tick = 0; tick < 20000; ++tick) {
        const IntRect next = BounceStep(display, w, v, random);
        ASSERT_FALSE(OutOfBoundsHorizontal(display, next)) << tick;
        ASSERT_FALSE(OutOfBoundsVertical(display, next)) << tick;
        ASSERT_LE(std::abs(next.left - w.left), 5);
        ASSERT_LE(std::abs(next.top - w.top), 5);
        ASSERT_EQ(next.Width(), 350);
        w = next;
    }
}

TEST(MovieGeometry, WindowAsLargeAsTheDisplayDoesNotBounce) {
    ClassicRandom random(1);
    const IntRect display{0, 0, 800, 600};
    for (const IntRect w : {IntRect{0, 75, 800, 525}, IntRect{100, 0, 200, 600},
                            IntRect{-133, 0, 933, 600}, IntRect{0, 0, 1, 601}}) {
        Velocity v{3, 3};
        EXPECT_EQ(BounceStep(display, w, v, random), w);
    }
    // A narrow window one pixel from filling the width still finds a step.
    Velocity v{5, 0};
    const IntRect w{0, 0, 799, 10};
    const IntRect next = BounceStep(display, w, v, random);
    EXPECT_FALSE(OutOfBoundsHorizontal(display, next));
}

TEST(MovieGeometry, StripsAboveAndBelow) {
    const BounceStrips s = StripsAround(IntRect{0, 0, 800, 600}, IntRect{100, 200, 450, 450});
    EXPECT_EQ(s.above, (IntRect{0, 0, 800, 199}));
    EXPECT_EQ(s.below, (IntRect{0, 451, 800, 600}));
}

}  // namespace
