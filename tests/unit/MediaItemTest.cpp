#include <gtest/gtest.h>

#include <cstring>

#include <set>

#include "saver/settings/MediaItem.h"
#include "saver/settings/MediaItemFields.h"
#include "tests/support/MemoryProfileStore.h"

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

TEST(MediaItemFields, OneRowPerStoredFieldWithItsOwnPlaces) {
    ASSERT_EQ(kMediaItemFieldCount, static_cast<size_t>(playlist::FieldCount));
    std::set<std::string> suffixes;
    std::set<uint32_t> loads;
    for (uint32_t field = 0; field < playlist::FieldCount; ++field) {
        const MediaItemField* row = FindMediaItemField(field);
        ASSERT_NE(row, nullptr) << field;
        EXPECT_EQ(row->fileField, field);
        suffixes.insert(row->suffix);
        loads.insert(row->loadPosition);
        EXPECT_EQ(MediaItemFieldAtLoad(row->loadPosition), row);
    }
    EXPECT_EQ(suffixes.size(), kMediaItemFieldCount);
    EXPECT_EQ(loads.size(), kMediaItemFieldCount);
    EXPECT_EQ(*loads.rbegin(), kMediaItemFieldCount - 1);
    EXPECT_EQ(FindMediaItemField(playlist::FieldCount), nullptr);
    EXPECT_EQ(FindMediaItemField(std::string("fontFACE")), FindMediaItemField(playlist::FieldFontFace));
    EXPECT_EQ(FindMediaItemField(std::string("Font")), nullptr);
    EXPECT_EQ(FindMediaItemField(std::string("Colour")), nullptr);
}

TEST(MediaItemFields, AnEmptyRegistryLoadsEachRowsDefault) {
    MemoryProfileStore store;
    MediaItem item;
    // Not the constructor's values, so each one read must come from the table.
    item.Title = "was";
    item.Loops = 9;
    item.Scale = ScaleHalf;
    item.SetFont("Arial", 700, 1);
    item.LoadFromRegistry(store, 3);
    for (size_t i = 0; i < kMediaItemFieldCount; ++i) {
        const MediaItemField& row = kMediaItemFields[i];
        if (row.IsText()) {
            EXPECT_STREQ(row.getText(item), row.textDefault) << row.suffix;
        } else {
            EXPECT_EQ(row.getNumber(item), row.numberDefault) << row.suffix;
        }
    }
    EXPECT_EQ(item.Scale, ScaleNatural);
    EXPECT_EQ(item.GetTitleFont().lfHeight, -16);
}

}  // namespace
