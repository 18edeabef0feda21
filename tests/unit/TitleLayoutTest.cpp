#include <gtest/gtest.h>

#include "saver/playback/TitleLayout.h"
#include "saver/settings/SaverSettings.h"
#include "tests/support/MemoryProfileStore.h"

namespace {

TEST(TitleLayout, FontHeightsByScreen) {
    struct Case {
        int32_t bottom, card, movie;
    };
    const Case cases[] = {{480, 32, 16}, {600, 40, 20}, {768, 51, 25}, {14, 0, 0}, {29, 1, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(TitleFontHeight(c.bottom, true), c.card) << c.bottom;
        EXPECT_EQ(TitleFontHeight(c.bottom, false), c.movie) << c.bottom;
    }
}

TEST(TitleLayout, CardSitsOnTheMiddleLine) {
    const TitleAnchor a = TitleCardAnchor(IntRect{0, 0, 801, 601});
    EXPECT_EQ(a.x, 400);
    EXPECT_EQ(a.y, 300);
    EXPECT_EQ(a.hang, TitleAnchor::CentreBaseline);
}

TEST(TitleLayout, MovieTitleBelowOrAboveTheMovie) {
    const IntRect screen{0, 0, 800, 600};
    struct Case {
        IntRect movie;
        TitleAnchor expected;
    };
    const Case cases[] = {
        {{240, 180, 561, 420}, {400, 421, TitleAnchor::CentreTop}},
        {{0, 75, 800, 525}, {400, 526, TitleAnchor::CentreTop}},
        {{0, 300, 100, 599}, {50, 600, TitleAnchor::CentreTop}},
        {{0, 300, 100, 600}, {50, 299, TitleAnchor::CentreBottom}},
        {{-133, 0, 933, 600}, {400, -1, TitleAnchor::CentreBottom}},
        {{10, 500, 30, 700}, {20, 499, TitleAnchor::CentreBottom}},
    };
    for (const Case& c : cases) {
        const TitleAnchor a = MovieTitleAnchor(screen, c.movie);
        EXPECT_EQ(a.x, c.expected.x);
        EXPECT_EQ(a.y, c.expected.y);
        EXPECT_EQ(a.hang, c.expected.hang);
    }
}

TEST(TitleLayout, WhichTitleIsPainted) {
    struct Case {
        int32_t titles, before, movie;
        const char* title;
        uint32_t index;
        bool phase;
        bool painted;
    };
    const Case cases[] = {
        {1, 1, 0, "T", 0, true, true},   {1, 1, 0, "T", 0, false, false},
        {1, 0, 1, "T", 0, false, true},  {1, 0, 1, "T", 0, true, false},
        {1, 1, 1, "T", 0, false, true},  {0, 1, 1, "T", 0, true, false},
        {1, 1, 1, "", 0, true, false},   {1, 1, 1, "T", 1, true, false},
        {1, 1, 1, "T", 0xFFFFFFFF, true, false},
    };
    for (const Case& c : cases) {
        MemoryProfileStore store;
        SaverSettings settings(store, nullptr);
        auto* item = new MediaItem();
        item->Title = c.title;
        item->TitleBefore = c.before;
        item->TitleMovie = c.movie;
        settings.AddItem(item);
        settings.Titles = c.titles;
        const MediaItem* got = TitleToPaint(settings, c.index, c.phase);
        EXPECT_EQ(got != nullptr, c.painted)
            << c.titles << c.before << c.movie << "'" << c.title << "' " << c.index << c.phase;
    }
}

}  // namespace
