#include <gtest/gtest.h>

#include <cstring>

#include "settings/MediaItem.h"

namespace {

TEST(MediaItem, NewItemDefaults) {
    MediaItem item;
    EXPECT_EQ(item.File, "");
    EXPECT_EQ(item.Title, "");
    EXPECT_EQ(item.MCI, "");
    EXPECT_EQ(item.Loops, 1u);
    EXPECT_EQ(item.TitleBefore, 1);
    EXPECT_EQ(item.Letterbox, 1);
    EXPECT_EQ(item.Scale, ScaleUseGlobal);
    EXPECT_EQ(item.Align, AlignCenter);
    EXPECT_EQ(item.Bounce + item.LoopInfinite + item.Mute + item.Played + item.TitleMovie +
                  item.IsLogo,
              0);
    const LogFont font = item.GetTitleFont();
    EXPECT_STREQ(font.lfFaceName, "Times New Roman");
    EXPECT_EQ(font.lfHeight, -16);
    EXPECT_EQ(font.lfWeight, 0);
    EXPECT_EQ(font.lfItalic, 0);
}

TEST(MediaItem, FaceNameIsCutTo31Characters) {
    MediaItem item;
    const std::string longFace(40, 'F');
    item.SetFont(longFace.c_str(), 400, 0);
    EXPECT_EQ(std::strlen(item.TitleFont.lfFaceName), 31u);
    item.SetFont(std::string(31, 'G').c_str(), 400, 0);
    EXPECT_EQ(std::string(item.TitleFont.lfFaceName), std::string(31, 'G'));
}

TEST(MediaItem, SetTitleFontKeepsOnlyFaceWeightItalic) {
    MediaItem item;
    LogFont chosen;
    chosen.lfHeight = -32;
    chosen.lfWidth = 12;
    chosen.lfWeight = 700;
    chosen.lfItalic = 1;
    chosen.lfUnderline = 1;
    chosen.lfCharSet = 2;
    chosen.lfQuality = 3;
    std::memset(chosen.lfFaceName, 'Z', sizeof chosen.lfFaceName);  // no terminating zero
    item.SetTitleFont(chosen);
    const LogFont font = item.GetTitleFont();
    EXPECT_EQ(font.lfHeight, -16);
    EXPECT_EQ(font.lfWidth, 0);
    EXPECT_EQ(font.lfWeight, 700);
    EXPECT_EQ(font.lfItalic, 1);
    EXPECT_EQ(font.lfUnderline, 0);
    EXPECT_EQ(font.lfCharSet, 0);
    EXPECT_EQ(font.lfQuality, 0);
    EXPECT_EQ(std::string(font.lfFaceName), std::string(31, 'Z'));
}

TEST(MediaItem, ValueNamesUseDecimalIndexes) {
    EXPECT_EQ(ItemValueName(0, "File"), "AVI0.File");
    EXPECT_EQ(ItemValueName(12, "File"), "AVI12.File");
    EXPECT_EQ(ItemValueName(4294967295u, "Loops"), "AVI4294967295.Loops");
}

}  // namespace
