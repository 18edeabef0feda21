#include <gtest/gtest.h>

#include "saver/playback/DibLayout.h"

namespace {

TEST(DibLayout, SizesFromTheHeader) {
    struct Case {
        DibHeaderFields h;
        uint32_t colours, table, pixels, total;
    };
    const Case cases[] = {
        // The logo: 100 x 100, 8 bits, colour count and image size left 0.
        {{40, 100, 100, 8, 0, 0}, 256, 1024, 10000, 11064},
        {{40, 100, 100, 8, 10000, 256}, 256, 1024, 10000, 11064},
        {{40, 16, 16, 4, 0, 0}, 16, 64, 128, 232},
        {{40, 32, 8, 1, 0, 0}, 2, 8, 32, 80},
        {{40, 10, 10, 8, 0, 17}, 17, 68, 100, 208},
        {{40, 10, 10, 24, 0, 0}, 0, 0, 300, 340},
        {{40, 10, 10, 24, 320, 0}, 0, 0, 320, 360},
        {{108, 4, 4, 16, 0, 0}, 0, 0, 32, 140},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DibColorCount(c.h), c.colours) << c.h.bitCount;
        EXPECT_EQ(DibColorTableBytes(c.h), c.table) << c.h.bitCount;
        EXPECT_EQ(DibPixelBytes(c.h), c.pixels) << c.h.bitCount;
        EXPECT_EQ(DibTotalBytes(c.h), c.total) << c.h.bitCount;
    }
}

TEST(DibLayout, CentredOrigin) {
    struct Case {
        int32_t right, bottom, w, h, x, y;
    };
    const Case cases[] = {
        {152, 112, 100, 100, 26, 6},  // the display settings' preview area
        {350, 250, 100, 100, 125, 75},
        {60, 40, 100, 100, -20, -30},  // smaller than the logo: cut on all sides
        {151, 111, 100, 100, 25, 5},
        {0, 0, 100, 100, -50, -50},
    };
    for (const Case& c : cases) {
        const DibOrigin o = CentredOrigin(c.right, c.bottom, c.w, c.h);
        EXPECT_EQ(o.x, c.x) << c.right;
        EXPECT_EQ(o.y, c.y) << c.bottom;
    }
}

}  // namespace
