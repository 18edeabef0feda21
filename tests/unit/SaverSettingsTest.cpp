#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "saver/settings/SaverSettings.h"
#include "tests/support/MemoryProfileStore.h"

namespace {

const std::vector<std::string> kGlobalOrder = {"Mute",  "Scale",        "Titles",      "Random",
                                               "Delay", "DelayMinutes", "Power",       "PowerMinutes",
                                               "BounceSpeed", "Letterbox"};

std::unique_ptr<MediaItem> ItemNamed(const std::string& file) {
    auto item = std::make_unique<MediaItem>();
    item->File = file;
    return item;
}

void Add(SaverSettings& settings, std::unique_ptr<MediaItem> item) {
    ASSERT_GE(settings.AddItem(item.get()), 0);
    item.release();
}

TEST(SaverSettings, EmptyStoreGivesDefaults) {
    MemoryProfileStore store;
    FakeMachineDefaults machine;
    machine.present = false;
    SaverSettings settings(store, &machine);
    settings.Load(true);
    EXPECT_EQ(settings.GetCount(), 0u);
    EXPECT_EQ(settings.Mute, 0);
    EXPECT_EQ(settings.Scale, 0);
    EXPECT_EQ(settings.Titles, 0);
    EXPECT_EQ(settings.Random, 0);
    EXPECT_EQ(settings.Delay, 0);
    EXPECT_EQ(settings.DelayMinutes, 1u);
    EXPECT_EQ(settings.Power, 0);
    EXPECT_EQ(settings.PowerMinutes, 1u);
    EXPECT_EQ(settings.BounceSpeed, 100u);
    EXPECT_EQ(settings.Letterbox, 1);
    EXPECT_TRUE(store.writes.empty()) << "loading must not write";
}

TEST(SaverSettings, LoadReadsInItsOrderAndSaveWritesInItsOrder) {
    MemoryProfileStore store;
    store.SetNumber("NumAVI", 1);
    store.SetText("AVI0.File", "C:\\clip.avi");
    SaverSettings settings(store, nullptr);
    settings.Load(true);
    std::vector<std::string> expectedReads = {"NumAVI"};
    expectedReads.insert(expectedReads.end(), kGlobalOrder.begin(), kGlobalOrder.end());
    expectedReads.push_back("Monitors");
    for (const char* suffix : {"File", "Loops", "TitleMovie", "TitleBefore", "LoopInfinite", "Mute",
                               "Scale", "MCI", "Title", "Align", "Bounce", "FontWeight",
                               "FontItalic", "FontFace"}) {
        expectedReads.push_back(std::string("AVI0.") + suffix);
    }
    EXPECT_EQ(store.reads, expectedReads);

    // The items go first and "NumAVI" last: a count is never stored over
    // items that were not.
    store.writes.clear();
    EXPECT_EQ(settings.Save().what, SaveOutcome::Stored);
    std::vector<std::string> expectedWrites;
    for (const char* suffix : {"File", "Loops", "LoopInfinite", "TitleMovie", "TitleBefore", "Mute",
                               "Scale", "MCI", "Title", "Align", "Bounce", "FontWeight",
                               "FontItalic", "FontFace"}) {
        expectedWrites.push_back(std::string("AVI0.") + suffix);
    }
    expectedWrites.insert(expectedWrites.end(), kGlobalOrder.begin(), kGlobalOrder.end());
    expectedWrites.push_back("NumAVI");
    EXPECT_EQ(store.writes, expectedWrites);
    EXPECT_GT(store.batches, 0) << "the section is kept open across a save";
}

TEST(SaverSettings, RoundTripsEveryStoredField) {
    MemoryProfileStore store;
    {
        SaverSettings out(store, nullptr);
        out.Mute = 1;
        out.Scale = ScaleHalfScreen;
        out.Titles = 1;
        out.Random = 1;
        out.Delay = 1;
        out.DelayMinutes = 7;
        out.Power = 1;
        out.PowerMinutes = 9;
        out.BounceSpeed = 40;
        out.Letterbox = 0;
        auto item = ItemNamed("D:\\movies\\a b.mpg");
        item->Title = "Holiday";
        item->MCI = "MPEGVideo";
        item->Loops = 3;
        item->Scale = ScaleDouble;
        item->Align = AlignLowerRight;
        item->Bounce = 1;
        item->LoopInfinite = 1;
        item->Mute = 1;
        item->TitleBefore = 0;
        item->TitleMovie = 1;
        item->SetFont("Arial", 700, 1);
        Add(out, std::move(item));
        Add(out, ItemNamed("E:\\second.wav"));
        out.Save();
    }
    SaverSettings in(store, nullptr);
    in.Load(true);
    EXPECT_EQ(in.Mute, 1);
    EXPECT_EQ(in.Scale, ScaleHalfScreen);
    EXPECT_EQ(in.Titles, 1);
    EXPECT_EQ(in.Random, 1);
    EXPECT_EQ(in.Delay, 1);
    EXPECT_EQ(in.DelayMinutes, 7u);
    EXPECT_EQ(in.Power, 1);
    EXPECT_EQ(in.PowerMinutes, 9u);
    EXPECT_EQ(in.BounceSpeed, 40u);
    EXPECT_EQ(in.Letterbox, 0);
    ASSERT_EQ(in.GetCount(), 2u);
    const MediaItem& a = *in.GetItem(0);
    EXPECT_EQ(a.File, "D:\\movies\\a b.mpg");
    EXPECT_EQ(a.Title, "Holiday");
    EXPECT_EQ(a.MCI, "MPEGVideo");
    EXPECT_EQ(a.Loops, 3u);
    EXPECT_EQ(a.Scale, ScaleDouble);
    EXPECT_EQ(a.Align, AlignLowerRight);
    EXPECT_EQ(a.Bounce, 1);
    EXPECT_EQ(a.LoopInfinite, 1);
    EXPECT_EQ(a.Mute, 1);
    EXPECT_EQ(a.TitleBefore, 0);
    EXPECT_EQ(a.TitleMovie, 1);
    EXPECT_STREQ(a.TitleFont.lfFaceName, "Arial");
    EXPECT_EQ(a.TitleFont.lfWeight, 700);
    EXPECT_EQ(a.TitleFont.lfItalic, 1);
    EXPECT_EQ(a.TitleFont.lfHeight, -16);
    // A saved item's scale 0 stays 0; only a missing value reads as 1.
    EXPECT_EQ(in.GetItem(1)->Scale, ScaleUseGlobal);
}

TEST(SaverSettings, MissingFileEndsTheListAndMissingScaleIsNatural) {
    MemoryProfileStore store;
    store.SetNumber("NumAVI", 3);
    store.SetText("AVI0.File", "a.avi");
    store.SetText("AVI2.File", "c.avi");
    SaverSettings settings(store, nullptr);
    settings.Load(true);
    ASSERT_EQ(settings.GetCount(), 1u);
    EXPECT_EQ(settings.GetItem(0)->Scale, ScaleNatural);
    EXPECT_STREQ(settings.GetItem(0)->TitleFont.lfFaceName, "Times New Roman");
}

TEST(SaverSettings, WrongTypedValuesAndWideItalicYieldDefaults) {
    MemoryProfileStore store;
    store.SetNumber("NumAVI", 1);
    store.SetText("AVI0.File", "a.avi");
    store.SetText("BounceSpeed", "fast");     // text where a number belongs
    store.SetNumber("AVI0.Title", 5);         // number where a text belongs
    store.SetText("AVI0.Loops", "many");
    store.SetNumber("AVI0.FontItalic", 257);  // only the low byte reaches the font
    SaverSettings settings(store, nullptr);
    settings.Load(true);
    EXPECT_EQ(settings.BounceSpeed, 100u);
    ASSERT_EQ(settings.GetCount(), 1u);
    EXPECT_EQ(settings.GetItem(0)->Title, "");
    EXPECT_EQ(settings.GetItem(0)->Loops, 1u);
    EXPECT_EQ(settings.GetItem(0)->TitleFont.lfItalic, 1);
}

TEST(SaverSettings, AnUnknownMonitorsValueMeansPrimaryOnlyAndStaysUntilTheUserChooses) {
    struct Case {
        const char* what;
        bool text;
        uint32_t number;
    };
    for (const Case& c : {Case{"a text", true, 0}, Case{"negative", false, 0xFFFFFFFFu}, Case{"7", false, 7}}) {
        MemoryProfileStore store;
        if (c.text) {
            store.SetText("Monitors", "all");
        } else {
            store.SetNumber("Monitors", c.number);
        }
        SaverSettings settings(store, nullptr);
        settings.Load(false);
        EXPECT_EQ(settings.Mode(), MonitorMode::PrimaryOnly) << c.what;
        store.writes.clear();
        ASSERT_EQ(settings.Save().what, SaveOutcome::Stored) << c.what;
        EXPECT_EQ(std::count(store.writes.begin(), store.writes.end(), "Monitors"), 0) << c.what;

        settings.Monitors = static_cast<uint32_t>(MonitorMode::Spanned);
        store.writes.clear();
        ASSERT_EQ(settings.Save().what, SaveOutcome::Stored) << c.what;
        ASSERT_FALSE(store.writes.empty());
        EXPECT_EQ(store.writes.back(), "Monitors") << c.what << ": written after \"NumAVI\"";
        SaverSettings again(store, nullptr);
        again.Load(false);
        EXPECT_EQ(again.Mode(), MonitorMode::Spanned) << c.what;
    }
}

TEST(SaverSettings, ShorterSaveLeavesStaleValuesUnread) {
    MemoryProfileStore store;
    {
        SaverSettings five(store, nullptr);
        for (int i = 0; i < 5; ++i) Add(five, ItemNamed("f" + std::to_string(i)));
        five.Save();
        delete five.RemoveItem(4);
        delete five.RemoveItem(3);
        delete five.RemoveItem(2);
        five.Save();
    }
    EXPECT_EQ(store.At("NumAVI").number, 2u);
    for (int i = 2; i < 5; ++i) {
        EXPECT_TRUE(store.Has("AVI" + std::to_string(i) + ".File")) << i;
    }
    SaverSettings in(store, nullptr);
    in.Load(true);
    EXPECT_EQ(in.GetCount(), 2u);
}

// The files and two options as a Load from `store` finds them.
std::vector<std::string> StoredList(MemoryProfileStore& store) {
    SaverSettings in(store, nullptr);
    in.Load(false);
    std::vector<std::string> list = {"Random=" + std::to_string(in.Random), "Delay=" + std::to_string(in.DelayMinutes)};
    for (uint32_t i = 0; i < in.GetCount(); ++i) list.push_back(in.GetItem(i)->File + "|" + in.GetItem(i)->Title);
    return list;
}

void Fill(SaverSettings& settings, int count, const std::string& stem) {
    for (int i = 0; i < count; ++i) {
        auto item = ItemNamed("C:\\" + stem + "\\clip " + std::to_string(i) + ".avi");
        item->Title = stem + " " + std::to_string(i);
        Add(settings, std::move(item));
    }
}

// A key that fills up part way through a save (Windows 95 keeps about 64 KB
// in one): at every size the store keeps either the old list and options
// whole or the new ones whole, and the outcome says which.
TEST(SaverSettings, AKeyThatFillsUpKeepsTheOldSettingsOrTheNewOnesWhole) {
    for (const int oldCount : {0, 3, 40}) {
        MemoryProfileStore store;
        {
            SaverSettings old(store, nullptr);
            Fill(old, oldCount, "old");
            old.DelayMinutes = 4;
            ASSERT_EQ(old.Save().what, SaveOutcome::Stored);
        }
        const std::vector<std::string> oldList = StoredList(store);
        SaverSettings edited(store, nullptr);
        Fill(edited, 25, "a longer folder name for the new list");
        edited.Random = 1;
        edited.DelayMinutes = 9;
        std::vector<std::string> newList;
        {
            MemoryProfileStore roomy = store;
            SaverSettings copy(roomy, nullptr);
            for (uint32_t i = 0; i < edited.GetCount(); ++i) Add(copy, std::make_unique<MediaItem>(*edited.GetItem(i)));
            copy.Random = 1;
            copy.DelayMinutes = 9;
            copy.Save();
            newList = StoredList(roomy);
        }
        ASSERT_NE(oldList, newList);
        int refused = 0;
        int stored = 0;
        for (size_t room = store.Used(); room < store.Used() + 10000; room += 37) {
            MemoryProfileStore full = store;
            full.capacity = room;
            SaverSettings settings(full, nullptr);
            for (uint32_t i = 0; i < edited.GetCount(); ++i) Add(settings, std::make_unique<MediaItem>(*edited.GetItem(i)));
            settings.Random = 1;
            settings.DelayMinutes = 9;
            const SaveOutcome outcome = settings.Save();
            const std::vector<std::string> after = StoredList(full);
            if (outcome.what == SaveOutcome::Stored) {
                EXPECT_EQ(after, newList) << oldCount << " items before, room " << room;
                ++stored;
            } else {
                EXPECT_TRUE(outcome.restored) << oldCount << " items before, room " << room;
                EXPECT_EQ(after, oldList) << oldCount << " items before, room " << room;
                if (outcome.what == SaveOutcome::ItemRefused) {
                    EXPECT_LT(outcome.item, 25u);
                }
                ++refused;
            }
        }
        EXPECT_GT(refused, 10) << oldCount;
        EXPECT_GT(stored, 10) << oldCount;
    }
}

// Saves `count` new items into `store`, item `index` with a title of
// `length` characters.
SaveOutcome SaveTitled(MemoryProfileStore& store, int count, uint32_t index, size_t length) {
    SaverSettings settings(store, nullptr);
    Fill(settings, count, "new");
    settings.GetItem(index)->Title = std::string(length, 't');
    return settings.Save();
}

// One value over the store's limit for a value (16,300 bytes on Windows 95):
// the item is named, and the old list, longer than the new one and with a
// gap that ended it, loads as before.
TEST(SaverSettings, OneRefusedValueNamesItsItemAndKeepsTheOldList) {
    MemoryProfileStore store;
    store.SetNumber("NumAVI", 6);
    for (int i : {0, 1, 3, 4}) store.SetText("AVI" + std::to_string(i) + ".File", "old" + std::to_string(i));
    const std::vector<std::string> before = StoredList(store);
    ASSERT_EQ(before.size(), 4u);  // two options, then old0 and old1: the missing AVI2.File ends the list
    store.valueLimit = 16300;

    const SaveOutcome outcome = SaveTitled(store, 5, 3, 20000);
    EXPECT_EQ(outcome.what, SaveOutcome::ItemRefused);
    EXPECT_EQ(outcome.item, 3u);
    EXPECT_TRUE(outcome.restored);
    EXPECT_EQ(StoredList(store), before);
    EXPECT_EQ(store.At("NumAVI").number, 6u);

    // Within the limit the new list is stored whole.
    EXPECT_EQ(SaveTitled(store, 5, 3, 16299).what, SaveOutcome::Stored);
    EXPECT_EQ(StoredList(store).size(), 7u);
}

// A store that refuses every write once it has refused one: the earlier
// settings cannot come back, and the outcome says so.
TEST(SaverSettings, AStoreThatAlsoRefusesThePutBackIsSaidToBeCut) {
    struct Stuck : MemoryProfileStore {
        bool WriteProfileString(const char* section, const char* entry, const char* value) override {
            stuck = stuck || std::string(value).size() > 100;
            return !stuck && MemoryProfileStore::WriteProfileString(section, entry, value);
        }
        bool WriteProfileInt(const char* section, const char* entry, uint32_t value) override {
            return !stuck && MemoryProfileStore::WriteProfileInt(section, entry, value);
        }
        bool stuck = false;
    } store;
    {
        SaverSettings old(store, nullptr);
        Fill(old, 3, "old");
        ASSERT_EQ(old.Save().what, SaveOutcome::Stored);
    }
    const SaveOutcome outcome = SaveTitled(store, 3, 1, 101);
    EXPECT_EQ(outcome.what, SaveOutcome::ItemRefused);
    EXPECT_EQ(outcome.item, 1u);
    EXPECT_FALSE(outcome.restored);
}

// The machine's defaults go in whole or not at all: a refused value leaves
// the user's count 0, so the next start copies them again.
TEST(SaverSettings, MachineDefaultsAreCopiedWholeOrNotAtAll) {
    FakeMachineDefaults machine;
    machine.values = {
        {"numavi", MachineValue::Number, "", 2},  // names match without case, as in the registry
        {"AVI0.File", MachineValue::Text, "C:\\one.avi", 0},
        {"AVI1.File", MachineValue::Text, "\\\\server\\share\\" + std::string(300, 'd') + "\\two.avi", 0},
    };
    MemoryProfileStore store;
    store.valueLimit = 200;
    SaverSettings refused(store, &machine);
    refused.Load(true);
    EXPECT_EQ(refused.GetCount(), 0u);
    EXPECT_EQ(store.GetProfileInt("Config", "NumAVI", 0), 0u);

    store.valueLimit = 0;
    store.writes.clear();
    SaverSettings seeded(store, &machine);
    seeded.Load(true);
    ASSERT_EQ(seeded.GetCount(), 2u);
    EXPECT_EQ(seeded.GetItem(1)->File, machine.values[2].text);
    EXPECT_EQ(store.writes.back(), "NumAVI");

    // A machine key that cannot be read whole copies nothing.
    MemoryProfileStore fresh;
    machine.present = false;
    SaverSettings none(fresh, &machine);
    none.Load(true);
    EXPECT_TRUE(fresh.writes.empty());
}

TEST(SaverSettings, LoadAppendsWithoutEmptying) {
    MemoryProfileStore store;
    store.SetNumber("NumAVI", 1);
    store.SetText("AVI0.File", "a.avi");
    SaverSettings settings(store, nullptr);
    settings.Load(true);
    settings.Load(true);
    EXPECT_EQ(settings.GetCount(), 2u);
}

TEST(SaverSettings, SeedsFromMachineOnlyWhenUserHasNoItems) {
    MemoryProfileStore store;
    store.SetNumber("Titles", 1);  // the machine key lacks it: it stays
    FakeMachineDefaults machine;
    machine.values = {
        {"NumAVI", MachineValue::Number, "", 2},
        {"AVI0.File", MachineValue::Text, "C:\\one.avi", 0},
        {"Weird", MachineValue::Other, "", 0},  // neither text nor number: skipped
        {"AVI1.File", MachineValue::Text, "C:\\two.avi", 0},
        {"Random", MachineValue::Number, "", 1},
    };
    SaverSettings settings(store, &machine);
    settings.Load(true);
    EXPECT_EQ(settings.GetCount(), 2u);
    EXPECT_EQ(settings.Random, 1);
    EXPECT_EQ(settings.Titles, 1);
    EXPECT_FALSE(store.Has("Weird"));
    EXPECT_EQ(store.At("AVI1.File").text, "C:\\two.avi");

    // With items of their own, the user's values win.
    store.SetNumber("Random", 0);
    SaverSettings again(store, &machine);
    again.Load(true);
    EXPECT_EQ(again.Random, 0);

    // Load(false) never seeds.
    MemoryProfileStore fresh;
    SaverSettings unseeded(fresh, &machine);
    unseeded.Load(false);
    EXPECT_EQ(unseeded.GetCount(), 0u);
    EXPECT_FALSE(fresh.Has("AVI0.File"));
}

TEST(SaverSettings, ApplyGlobalsMuteScaleLetterbox) {
    MemoryProfileStore store;
    SaverSettings settings(store, nullptr);
    settings.Mute = 0;
    settings.Scale = ScaleFullScreen;
    settings.Letterbox = 0;
    auto muted = ItemNamed("a");
    muted->Mute = 1;
    muted->Scale = ScaleHalf;
    Add(settings, std::move(muted));
    Add(settings, ItemNamed("b"));
    settings.ApplyGlobals(false);
    EXPECT_EQ(settings.GetItem(0)->Mute, 1) << "own mute stays when the global one is off";
    EXPECT_EQ(settings.GetItem(0)->Scale, ScaleHalf);
    EXPECT_EQ(settings.GetItem(1)->Scale, ScaleFullScreen);
    EXPECT_EQ(settings.GetItem(0)->Letterbox, 0);
    settings.ApplyGlobals(true);
    EXPECT_EQ(settings.GetItem(0)->Mute, 0) << "forced: the global 0 is copied";
    settings.Mute = 1;
    settings.ApplyGlobals(false);
    EXPECT_EQ(settings.GetItem(1)->Mute, 1);

    // A global scale of 0 turns an item's 0 into 0: played at its own size.
    MemoryProfileStore store2;
    SaverSettings zero(store2, nullptr);
    zero.Scale = ScaleUseGlobal;
    Add(zero, ItemNamed("c"));
    zero.ApplyGlobals(false);
    EXPECT_EQ(zero.GetItem(0)->Scale, ScaleUseGlobal);
}

}  // namespace
