#include <gtest/gtest.h>

#include "saver/dialogs/PropertyRules.h"

namespace {

TEST(PropertyRules, LoopsFieldOnlyWithoutLoopIndefinitely) {
    PropertyValues values;
    const bool expected[] = {true, false, false};  // clear, set, mixed
    for (int32_t state = 0; state <= 2; ++state) {
        values.LoopInfinite = state;
        EXPECT_EQ(LoopsEnabled(values), expected[state]) << state;
    }
}

TEST(PropertyRules, LoopIndefinitelyAsksOnlyWithSeveralEntries) {
    struct Case {
        const char* name;
        int32_t several;
        int32_t before;  // the box as read after the click
        bool answer;
        int asked;
        int32_t after;
    } cases[] = {
        {"one entry, set", 0, 1, false, 0, 1},
        {"several, set, Yes", 1, 1, true, 1, 1},
        {"several, set, No", 1, 1, false, 1, 0},
        {"several, cleared", 1, 0, false, 0, 0},
        {"mixed becomes clear", 1, 2, true, 0, 0},
        {"mixed becomes clear, one entry", 0, 2, true, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PropertyValues values;
        values.SeveralInList = c.several;
        values.LoopInfinite = c.before;
        int asked = 0;
        LoopInfiniteClicked(values, [&] {
            ++asked;
            return c.answer;
        });
        EXPECT_EQ(asked, c.asked);
        EXPECT_EQ(values.LoopInfinite, c.after);
    }
}

TEST(PropertyRules, MixedBoxTurnsClearOnItsFirstClickOnly) {
    // The automatic three-state box steps clear -> set -> mixed -> clear; the
    // rule skips the mixed step after the start.
    const int32_t clicks[][2] = {
        {0, 0},  // from mixed the box stepped to clear: stays clear
        {1, 1},  // clear -> set
        {2, 0},  // set -> mixed is turned back into clear
        {1, 1},
    };
    for (const auto& click : clicks) {
        int32_t box = click[0];
        ClearMixedAfterClick(box);
        EXPECT_EQ(box, click[1]);
    }
    int32_t mixed = 2;
    EXPECT_TRUE(ClearMixedAfterClick(mixed));
    int32_t set = 1;
    EXPECT_FALSE(ClearMixedAfterClick(set));
    EXPECT_EQ(set, 1);
}

TEST(PropertyRules, TitleFieldAtTheStart) {
    PropertyValues values;
    values.Title = "Intro";
    values.FileNameTitle = "Intro";
    EXPECT_EQ(StartTitle(values), TitleField::ReadOnly);
    EXPECT_EQ(values.UseFileName, 1);

    values.UseFileName = 0;
    values.Title = "intro";  // the comparison is exact
    EXPECT_EQ(StartTitle(values), TitleField::Writable);
    EXPECT_EQ(values.UseFileName, 0);

    values.Title = "Intro";
    values.MultiSelect = 1;
    values.UseFileName = 1;
    EXPECT_EQ(StartTitle(values), TitleField::Disabled);
    EXPECT_EQ(values.UseFileName, 0);
}

TEST(PropertyRules, UseFileNameAndRemoveTitle) {
    PropertyValues values;
    values.FileNameTitle = "Clip";
    values.Title = "typed";
    values.TitleRemoved = 1;
    values.UseFileName = 1;  // as read after the click that set it
    EXPECT_EQ(UseFileNameClicked(values), TitleField::ReadOnly);
    EXPECT_EQ(values.Title, "Clip");
    EXPECT_EQ(values.TitleRemoved, 0);
    // Cleared again: the file-name title stays in the field, now editable.
    values.UseFileName = 0;
    EXPECT_EQ(UseFileNameClicked(values), TitleField::Writable);
    EXPECT_EQ(values.Title, "Clip");

    values.UseFileName = 1;
    EXPECT_EQ(RemoveTitleClicked(values), TitleField::Writable);
    EXPECT_EQ(values.Title, "");
    EXPECT_EQ(values.UseFileName, 0);
    EXPECT_EQ(values.TitleRemoved, 1);
    values.MultiSelect = 1;
    EXPECT_EQ(RemoveTitleClicked(values), TitleField::ReadOnly);
}

TEST(PropertyRules, ZeroLoopsWarns) {
    PropertyValues values;
    values.Loops = 0;
    EXPECT_TRUE(WarnZeroLoops(values));
    values.Loops = 1;
    EXPECT_FALSE(WarnZeroLoops(values));
    values.Loops = 4294967295u;
    EXPECT_FALSE(WarnZeroLoops(values));
}

}  // namespace
