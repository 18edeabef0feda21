#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "saver/settings/FileTitle.h"
#include "saver/dialogs/PropertyValues.h"
#include "saver/settings/DeviceCatalogue.h"
#include "saver/settings/SaverSettings.h"
#include "tests/support/MemoryProfileStore.h"
#include "tests/unit/ScriptedMediaDevices.h"

namespace {

// Marks the path so a test can see whose file name a title came from.
std::string TitleOf(const std::string& path) { return "title:" + path; }

// Items and a catalogue read from a stored list, as the configuration dialog
// has them.
class Properties : public ::testing::Test {
protected:
    void StoreCatalogue(const std::vector<std::pair<std::string, std::string>>& entries,
                        uint32_t promised) {
        store_.SetNumber("NumDevices", promised, "MCI");
        store_.SetNumber("ReadMCI", 1, "MCI");
        for (size_t i = 0; i < entries.size(); ++i) {
            store_.SetText("MCIDevice" + std::to_string(i), entries[i].first, "MCI");
            store_.SetText("MCIName" + std::to_string(i), entries[i].second, "MCI");
        }
        catalogue_.Load();
    }
    MediaItem& Add(const std::string& file) {
        items_.push_back(std::make_unique<MediaItem>());
        items_.back()->File = file;
        return *items_.back();
    }
    PropertyValues Gather() {
        std::vector<const MediaItem*> selected;
        for (const auto& item : items_) selected.push_back(item.get());
        PropertyValues values;
        GatherProperties(selected, catalogue_, TitleOf, values);
        return values;
    }
    void WriteBack(const PropertyValues& values) {
        std::vector<MediaItem*> selected;
        for (const auto& item : items_) selected.push_back(item.get());
        WriteBackProperties(values, selected, catalogue_, TitleOf);
    }
    MediaItem& Item(size_t i) { return *items_[i]; }

    MemoryProfileStore store_;
    ScriptedMediaDevices devices_;
    ScriptedScanUi ui_{store_};
    DeviceCatalogue catalogue_{store_, devices_, ui_};
    std::vector<std::unique_ptr<MediaItem>> items_;
};

TEST_F(Properties, OneItemIsTakenWholeAndComesBackUnchanged) {
    StoreCatalogue({{"waveaudio", "Wave"}, {"avivideo", "Video"}}, 2);
    MediaItem& item = Add("C:\\Movies\\Intro.avi");
    item.Title = "Hello";
    item.MCI = "avivideo";
    item.Loops = 4;
    item.Scale = ScaleHalf;
    item.Align = AlignLowerRight;
    item.Mute = 1;
    item.TitleMovie = 1;
    item.TitleBefore = 0;
    item.Bounce = 1;
    item.LoopInfinite = 1;
    item.SetFont("Arial", 700, 1);

    const PropertyValues values = Gather();
    EXPECT_EQ(values.Mute, 1);
    EXPECT_EQ(values.Loops, 4u);
    EXPECT_EQ(values.LoopInfinite, 1);
    EXPECT_EQ(values.Scale, ScaleHalf);
    EXPECT_EQ(values.Player, 4);
    EXPECT_EQ(values.TitleMovie, 1);
    EXPECT_EQ(values.TitleBefore, 0);
    EXPECT_EQ(values.Align, AlignLowerRight);
    EXPECT_EQ(values.Bounce, 1);
    EXPECT_EQ(values.Title, "Hello");
    EXPECT_EQ(values.FileNameTitle, "title:C:\\Movies\\Intro.avi");
    EXPECT_EQ(values.MultiSelect, 0);
    EXPECT_EQ(values.SeveralInList, 0);  // the caller's to set
    EXPECT_STREQ(values.TitleFontCopy.lfFaceName, "Arial");
    EXPECT_EQ(values.TitleFontCopy.lfWeight, 700);
    EXPECT_EQ(values.TitleFontCopy.lfItalic, 1);

    const MediaItem before = item;
    WriteBack(values);
    EXPECT_EQ(item.Title, before.Title);
    EXPECT_EQ(item.MCI, before.MCI);
    EXPECT_EQ(item.Loops, before.Loops);
    EXPECT_EQ(item.Scale, before.Scale);
    EXPECT_EQ(item.Align, before.Align);
    EXPECT_EQ(item.Mute + item.TitleMovie + item.Bounce + item.LoopInfinite, 4);
    EXPECT_EQ(item.TitleBefore, 0);
    EXPECT_EQ(0, std::memcmp(&item.TitleFont, &before.TitleFont, sizeof item.TitleFont));
}

TEST_F(Properties, EachFlagIsMixedOnlyWhereTheItemsDiffer) {
    struct Case {
        const char* name;
        int32_t MediaItem::*field;
        int32_t PropertyValues::*value;
    };
    const Case cases[] = {
        {"Mute", &MediaItem::Mute, &PropertyValues::Mute},
        {"LoopInfinite", &MediaItem::LoopInfinite, &PropertyValues::LoopInfinite},
        {"TitleMovie", &MediaItem::TitleMovie, &PropertyValues::TitleMovie},
        {"TitleBefore", &MediaItem::TitleBefore, &PropertyValues::TitleBefore},
        {"Bounce", &MediaItem::Bounce, &PropertyValues::Bounce},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        items_.clear();
        Add("a").*c.field = 1;
        Add("b").*c.field = 1;
        EXPECT_EQ(Gather().*c.value, 1);
        Add("c").*c.field = 0;
        Add("d").*c.field = 0;  // agrees with the one before, not with the first
        PropertyValues values = Gather();
        EXPECT_EQ(values.*c.value, PropertyValues::kMixedFlag);
        EXPECT_EQ(values.MultiSelect, 1);
        // Left mixed, every item keeps its own value.
        WriteBack(values);
        EXPECT_EQ(Item(0).*c.field, 1);
        EXPECT_EQ(Item(2).*c.field, 0);
        // One click turns the box unchecked: all become 0.
        values.*c.value = 0;
        WriteBack(values);
        for (size_t i = 0; i < items_.size(); ++i) EXPECT_EQ(Item(i).*c.field, 0);
        values.*c.value = 1;
        WriteBack(values);
        for (size_t i = 0; i < items_.size(); ++i) EXPECT_EQ(Item(i).*c.field, 1);
    }
}

TEST_F(Properties, ScaleLoopsAndAlignHaveTheirOwnMixedValues) {
    Add("a").Scale = ScaleDouble;
    Add("b").Scale = ScaleThreeQuarterScreen;
    Item(0).Loops = 3;
    Item(1).Loops = 7;
    Item(0).Align = AlignLeft;
    Item(1).Align = AlignLeft;
    Add("c").Align = AlignCenter;
    Item(2).Scale = ScaleDouble;
    Item(2).Loops = 3;

    PropertyValues values = Gather();
    EXPECT_EQ(values.Scale, ScaleDontChange);
    EXPECT_EQ(values.Loops, 0u);
    EXPECT_EQ(values.Align, -1);
    WriteBack(values);
    EXPECT_EQ(Item(1).Scale, ScaleThreeQuarterScreen);
    EXPECT_EQ(Item(1).Loops, 7u);
    EXPECT_EQ(Item(0).Align, AlignLeft);
    EXPECT_EQ(Item(2).Align, AlignCenter);

    values.Scale = ScaleHalf;
    values.Loops = 5;
    values.Align = AlignRight;
    WriteBack(values);
    for (size_t i = 0; i < items_.size(); ++i) {
        EXPECT_EQ(Item(i).Scale, ScaleHalf);
        EXPECT_EQ(Item(i).Loops, 5u);
        EXPECT_EQ(Item(i).Align, AlignRight);
    }
}

TEST_F(Properties, AgreeingItemsShowTheirCommonValues) {
    for (const char* file : {"a", "b", "c"}) {
        MediaItem& item = Add(file);
        item.Scale = ScaleHalfScreen;
        item.Loops = 9;
        item.Align = AlignBottom;
        item.MCI = "PELORQT";
    }
    const PropertyValues values = Gather();
    EXPECT_EQ(values.Scale, ScaleHalfScreen);
    EXPECT_EQ(values.Loops, 9u);
    EXPECT_EQ(values.Align, AlignBottom);
    EXPECT_EQ(values.Player, PropertyValues::kPlayerQuickTime);
    EXPECT_EQ(values.TitleBefore, 1);  // the new-item default, shared by all
}

TEST_F(Properties, PlayerIndexFromTheItemsMci) {
    StoreCatalogue({{"waveaudio", "Wave A"}, {"MPEGVideo", "MPEG"}, {"waveaudio", "Wave B"},
                    {"PELORQT", "impostor"}},
                   4);
    struct Case {
        const char* mci;
        int32_t player;
    } cases[] = {
        {"PELORQT", 2},       // QuickTime before any catalogue entry of that name
        {"waveaudio", 5},     // the last matching entry wins
        {"MPEGVideo", 4},
        {"mpegvideo", 0},     // letter case counts
        {"MPEGVideo ", 0},    // so does a trailing blank
        {"sequencer", 0},     // not in the catalogue
        {"", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mci);
        EXPECT_EQ(PlayerIndexOf(c.mci, catalogue_), c.player);
    }
}

TEST_F(Properties, PlayerIsDontChangeWhenAnyMciDiffersFromTheFirst) {
    StoreCatalogue({{"waveaudio", "Wave"}}, 1);
    // Both show "Auto Detect" on their own, yet their texts differ.
    Add("a").MCI = "sequencer";
    Add("b").MCI = "";
    EXPECT_EQ(Gather().Player, PropertyValues::kPlayerDontChange);

    items_.clear();
    Add("a").MCI = "waveaudio";
    Add("b").MCI = "waveaudio";
    Add("c").MCI = "waveaudio";
    EXPECT_EQ(Gather().Player, 3);
    Add("d").MCI = "WAVEAUDIO";
    PropertyValues values = Gather();
    EXPECT_EQ(values.Player, PropertyValues::kPlayerDontChange);
    WriteBack(values);
    EXPECT_EQ(Item(0).MCI, "waveaudio");
    EXPECT_EQ(Item(3).MCI, "WAVEAUDIO");
}

TEST_F(Properties, PlayerWritesItsDeviceText) {
    StoreCatalogue({{"waveaudio", "Wave"}, {"avivideo", "Video"}}, 2);
    Add("a").MCI = "sequencer";
    Add("b").MCI = "avivideo";
    struct Case {
        int32_t player;
        const char* first;
        const char* second;
    } cases[] = {
        {1, "sequencer", "avivideo"},   // "Don't change"
        {0, "", ""},                    // "Auto Detect"
        {2, "PELORQT", "PELORQT"},      // "QuickTime 3"
        {4, "avivideo", "avivideo"},    // catalogue entry 1
        {3, "waveaudio", "waveaudio"},  // catalogue entry 0
        {5, "waveaudio", "waveaudio"},  // past the catalogue: nothing to write
        {-1, "waveaudio", "waveaudio"}, // no selection
    };
    PropertyValues values = Gather();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.player);
        values.Player = c.player;
        WriteBack(values);
        EXPECT_EQ(Item(0).MCI, c.first);
        EXPECT_EQ(Item(1).MCI, c.second);
    }
}

TEST_F(Properties, UnknownPlayerBecomesAutoDetectOnOk) {
    StoreCatalogue({{"waveaudio", "Wave"}}, 1);
    MediaItem& item = Add("a");
    item.MCI = "nosuchdevice";
    item.Title = "kept";
    const PropertyValues values = Gather();
    EXPECT_EQ(values.Player, PropertyValues::kPlayerAutoDetect);
    WriteBack(values);
    EXPECT_EQ(item.MCI, "");
    EXPECT_EQ(item.Title, "kept");
}

TEST_F(Properties, CatalogueThatPromisesMoreThanItHolds) {
    // "NumDevices" says 4, two entries exist: the missing ones read as empty.
    StoreCatalogue({{"waveaudio", "Wave"}, {"avivideo", "Video"}}, 4);
    ASSERT_EQ(catalogue_.Count(), 4u);
    EXPECT_EQ(PlayerIndexOf("avivideo", catalogue_), 4);
    // An item without a choice stays "Auto Detect", not an empty entry.
    EXPECT_EQ(PlayerIndexOf("", catalogue_), 0);
    Add("a").MCI = "avivideo";
    PropertyValues values = Gather();
    values.Player = 6;
    WriteBack(values);
    EXPECT_EQ(Item(0).MCI, "");
}

TEST_F(Properties, NoCatalogueAtAll) {
    Add("a").MCI = "waveaudio";
    PropertyValues values = Gather();
    EXPECT_EQ(values.Player, 0);
    values.Player = 3;
    WriteBack(values);
    EXPECT_EQ(Item(0).MCI, "waveaudio");
}

TEST_F(Properties, TitleOfOneItemIsTheTypedText) {
    MediaItem& item = Add("C:\\x\\One.avi");
    item.Title = "old";
    PropertyValues values = Gather();
    values.Title = "new title";
    values.UseFileName = 1;  // a single item takes the field as it stands
    WriteBack(values);
    EXPECT_EQ(item.Title, "new title");
    values.Title = "";
    values.TitleRemoved = 1;
    WriteBack(values);
    EXPECT_EQ(item.Title, "");
}

TEST_F(Properties, TitlesOfSeveralItems) {
    struct Case {
        const char* name;
        int32_t useFileName;
        int32_t titleRemoved;
        const char* first;
        const char* second;
    } cases[] = {
        {"untouched", 0, 0, "one", "two"},
        {"file names", 1, 0, "title:C:\\a.avi", "title:D:\\b.mpg"},
        // Remove, then Use Filename: the later action cleared TitleRemoved.
        {"remove then file names", 1, 0, "title:C:\\a.avi", "title:D:\\b.mpg"},
        // Use Filename, then Remove: Remove cleared UseFileName.
        {"file names then remove", 0, 1, "", ""},
        {"both flags", 1, 1, "title:C:\\a.avi", "title:D:\\b.mpg"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        items_.clear();
        Add("C:\\a.avi").Title = "one";
        Add("D:\\b.mpg").Title = "two";
        PropertyValues values = Gather();
        EXPECT_EQ(values.Title, "one");
        EXPECT_EQ(values.FileNameTitle, "title:C:\\a.avi");
        values.Title = "typed but ignored";  // the field is disabled for several
        values.UseFileName = c.useFileName;
        values.TitleRemoved = c.titleRemoved;
        WriteBack(values);
        EXPECT_EQ(Item(0).Title, c.first);
        EXPECT_EQ(Item(1).Title, c.second);
    }
}

TEST_F(Properties, FontReachesTheItemsOnlyWhenChosen) {
    Add("a").SetFont("Arial", 400, 0);
    Add("b").SetFont("Courier New", 700, 1);
    PropertyValues values = Gather();
    EXPECT_STREQ(values.TitleFontCopy.lfFaceName, "Arial");  // the first item's
    std::strcpy(values.TitleFontCopy.lfFaceName, "Verdana");
    values.TitleFontCopy.lfWeight = 700;
    values.TitleFontCopy.lfItalic = 1;
    values.TitleFontCopy.lfHeight = -24;
    values.TitleFontCopy.lfUnderline = 1;
    values.TitleFontCopy.lfCharSet = 2;
    WriteBack(values);
    EXPECT_STREQ(Item(0).TitleFont.lfFaceName, "Arial");
    EXPECT_STREQ(Item(1).TitleFont.lfFaceName, "Courier New");

    values.FontChanged = 1;
    WriteBack(values);
    for (size_t i = 0; i < items_.size(); ++i) {
        const LogFont font = Item(i).GetTitleFont();
        EXPECT_STREQ(font.lfFaceName, "Verdana");
        EXPECT_EQ(font.lfWeight, 700);
        EXPECT_EQ(font.lfItalic, 1);
        EXPECT_EQ(font.lfHeight, -16);
        EXPECT_EQ(font.lfUnderline, 0);
        EXPECT_EQ(font.lfCharSet, 0);
    }
}

TEST_F(Properties, DamagedStoredValuesAreNotMadeWorse) {
    MediaItem& item = Add("a");
    item.Scale = static_cast<ScaleMode>(42);
    item.Align = static_cast<AlignMode>(-7);
    PropertyValues values = Gather();
    EXPECT_EQ(values.Scale, 42);
    // The dialog's combo and radio group could not show them and read back
    // no selection.
    values.Scale = -1;
    values.Align = -1;
    WriteBack(values);
    EXPECT_EQ(item.Scale, 42);
    EXPECT_EQ(item.Align, -7);
}

TEST_F(Properties, NothingSelectedGathersNothing) {
    PropertyValues values;
    GatherProperties({}, catalogue_, TitleOf, values);
    EXPECT_EQ(values.Scale, -1);
    EXPECT_EQ(values.Player, -1);
    EXPECT_EQ(values.Align, -1);
    WriteBackProperties(values, {}, catalogue_, TitleOf);
}

}  // namespace

namespace {

// The Properties command over a settings object, with the dialog played by
// a lambda.
class EditProperties : public ::testing::Test {
protected:
    EditProperties() {
        const char* files[] = {"C:\\Movies\\Intro.mpeg", "C:\\Movies\\Clip.backup", "D:\\a.avi",
                               "D:\\b.avi"};
        for (const char* file : files) {
            auto* item = new MediaItem;
            item->File = file;
            item->Title = "t";
            settings_.AddItem(item);
        }
        settings_.GetItem(1)->Mute = 1;
    }
    bool Edit(const std::vector<uint32_t>& selected,
              const std::function<bool(PropertyValues&)>& dialog) {
        return EditSelectedProperties(settings_, selected, settings_.GetCount(), catalogue_,
                                      TitleFromFileName, dialog);
    }
    int32_t Mute(uint32_t i) { return settings_.GetItem(i)->Mute; }

    MemoryProfileStore store_;
    SaverSettings settings_{store_, nullptr};
    ScriptedMediaDevices devices_;
    ScriptedScanUi ui_{store_};
    DeviceCatalogue catalogue_{store_, devices_, ui_};
};

TEST_F(EditProperties, NothingSelectedShowsNoDialog) {
    int shown = 0;
    EXPECT_FALSE(Edit({}, [&](PropertyValues&) { return ++shown, true; }));
    EXPECT_FALSE(Edit({7, 9}, [&](PropertyValues&) { return ++shown, true; }));
    EXPECT_EQ(shown, 0);
}

TEST_F(EditProperties, CancelChangesNoItem) {
    EXPECT_FALSE(Edit({0, 1}, [](PropertyValues& values) {
        EXPECT_EQ(values.Mute, 2);
        values.Mute = 0;
        values.UseFileName = 1;
        return false;
    }));
    EXPECT_EQ(Mute(1), 1);
    EXPECT_EQ(settings_.GetItem(0)->Title, "t");
}

TEST_F(EditProperties, OkWritesOnlyTheSelectedItems) {
    EXPECT_TRUE(Edit({1, 2, 9}, [](PropertyValues& values) {
        EXPECT_EQ(values.MultiSelect, 1);
        EXPECT_EQ(values.SeveralInList, 1);
        EXPECT_EQ(values.FileNameTitle, "Clip.backup");
        values.Mute = 1;
        values.UseFileName = 1;
        return true;
    }));
    EXPECT_EQ(Mute(0), 0);
    EXPECT_EQ(Mute(1), 1);
    EXPECT_EQ(Mute(2), 1);
    EXPECT_EQ(Mute(3), 0);
    EXPECT_EQ(settings_.GetItem(1)->Title, "Clip.backup");
    EXPECT_EQ(settings_.GetItem(2)->Title, "a");
    EXPECT_EQ(settings_.GetItem(0)->Title, "t");
}

TEST_F(EditProperties, SeveralInListCountsTheWholeList) {
    int32_t several = -1, multi = -1;
    auto look = [&](PropertyValues& values) {
        several = values.SeveralInList;
        multi = values.MultiSelect;
        return false;
    };
    Edit({0}, look);
    EXPECT_EQ(several, 1);
    EXPECT_EQ(multi, 0);
    SaverSettings one{store_, nullptr};
    auto* item = new MediaItem;
    one.AddItem(item);
    EditSelectedProperties(one, {0}, 1, catalogue_, TitleFromFileName, look);
    EXPECT_EQ(several, 0);
}

}  // namespace

namespace {

// The Properties command over a stored list, with a dialog that changes
// nothing, or only what `edit` does, and presses OK.
class PropertiesCommand : public Properties {
protected:
    MediaItem& Stored(const std::string& file) {
        auto* item = new MediaItem();
        item->File = file;
        settings_.AddItem(item);
        return *item;
    }
    void PressOk(const std::vector<uint32_t>& selected,
                 const std::function<void(PropertyValues&)>& edit = [](PropertyValues&) {}) {
        ASSERT_TRUE(EditSelectedProperties(settings_, selected, settings_.GetCount(), catalogue_, TitleOf,
                                           [&](PropertyValues& values) {
                                               edit(values);
                                               return true;
                                           }));
    }
    SaverSettings settings_{store_, nullptr};
};

// Any nonzero flag acts as set when the saver plays: the dialog shows it so,
// and OK without a change leaves every stored value as it was.
TEST_F(PropertiesCommand, OkWithoutAChangeLeavesDamagedValuesAsTheyWere) {
    StoreCatalogue({{"waveaudio", "Wave"}}, 1);
    MediaItem& item = Stored("C:\\a.avi");
    item.TitleBefore = 5;
    item.Mute = 7;
    item.Bounce = 2;
    item.Scale = static_cast<ScaleMode>(99);
    item.Align = static_cast<AlignMode>(42);
    item.MCI = "nosuchdevice";
    PropertyValues shown;
    PressOk({0}, [&](PropertyValues& values) { shown = values; });
    EXPECT_EQ(shown.TitleBefore, 1);
    EXPECT_EQ(shown.Mute, 1);
    EXPECT_EQ(shown.Bounce, 1);
    EXPECT_EQ(item.TitleBefore, 5);
    EXPECT_EQ(item.Mute, 7);
    EXPECT_EQ(item.Bounce, 2);
    EXPECT_EQ(item.Scale, 99);
    EXPECT_EQ(item.Align, 42);
    EXPECT_EQ(item.MCI, "nosuchdevice");

    // Two items, one damaged and one set: both act as set, nothing is mixed.
    MediaItem& other = Stored("C:\\b.avi");
    other.TitleBefore = 1;
    PressOk({0, 1}, [&](PropertyValues& values) { shown = values; });
    EXPECT_EQ(shown.TitleBefore, 1);
    EXPECT_EQ(item.TitleBefore, 5);

    // What the user does change is written.
    PressOk({0}, [](PropertyValues& values) {
        values.Mute = 0;
        values.Player = PropertyValues::kPlayerFirstDevice;
        values.Loops = 3;
    });
    EXPECT_EQ(item.Mute, 0);
    EXPECT_EQ(item.MCI, "waveaudio");
    EXPECT_EQ(item.Loops, 3u);
    EXPECT_EQ(item.TitleBefore, 5);
}

}  // namespace
