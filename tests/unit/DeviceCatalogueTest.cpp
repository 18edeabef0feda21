#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "saver/settings/DeviceCatalogue.h"
#include "tests/support/MemoryProfileStore.h"
#include "tests/unit/ScriptedMediaDevices.h"

namespace {

const char kMci[] = "MCI";

class Catalogue : public ::testing::Test {
protected:
    Catalogue() {
        // Five installed devices: one without a name, one that refuses to
        // open, one that is never opened, one without a description.
        devices_.devices = {
            {"waveaudio", true, true, true, "Wave Player"},
            {"", false, true, true, ""},
            {"cdaudio", true, false, true, ""},
            {"LIVEAUDIOFILE", true, true, true, "must not be asked"},
            {"avivideo", true, true, false, ""},
        };
    }

    void StoreList(const std::vector<std::pair<std::string, std::string>>& entries) {
        store_.SetNumber("NumDevices", static_cast<uint32_t>(entries.size()), kMci);
        for (size_t i = 0; i < entries.size(); ++i) {
            store_.SetText("MCIDevice" + std::to_string(i), entries[i].first, kMci);
            store_.SetText("MCIName" + std::to_string(i), entries[i].second, kMci);
        }
    }
    void SetFlags(uint32_t attempt, uint32_t read) {
        store_.SetNumber("AttemptMCI", attempt, kMci);
        store_.SetNumber("ReadMCI", read, kMci);
    }
    uint32_t Stored(const char* name) const { return store_.At(name, kMci).number; }
    std::string StoredText(const std::string& name) const { return store_.At(name, kMci).text; }
    std::vector<std::string> Entries() const {
        std::vector<std::string> out;
        for (uint32_t i = 0; i < catalogue_.Count(); ++i) {
            const MciDevice* entry = catalogue_.GetAt(i);
            out.push_back(entry == nullptr ? "<none>" : entry->Device + "=" + entry->Name);
        }
        return out;
    }
    bool TouchedDevices() const {
        for (const std::string& call : devices_.log) {
            if (call != "count") return true;
        }
        return false;
    }

    MemoryProfileStore store_;
    ScriptedMediaDevices devices_;
    ScriptedScanUi ui_{store_};
    DeviceCatalogue catalogue_{store_, devices_, ui_};
};

const std::vector<std::string> kScanned = {"waveaudio=Wave Player", "cdaudio=cdaudio",
                                           "LIVEAUDIOFILE=", "avivideo="};

TEST_F(Catalogue, FirstOpeningScansEveryDeviceAndStoresWhatItFound) {
    catalogue_.Load();
    EXPECT_EQ(Entries(), kScanned);
    EXPECT_EQ(catalogue_.Count(), 4u);
    EXPECT_EQ(Stored("NumDevices"), 4u);
    const char* names[] = {"waveaudio", "cdaudio", "LIVEAUDIOFILE", "avivideo"};
    const char* products[] = {"Wave Player", "cdaudio", "", ""};
    for (uint32_t i = 0; i < 4; ++i) {
        EXPECT_EQ(StoredText("MCIDevice" + std::to_string(i)), names[i]);
        EXPECT_EQ(StoredText("MCIName" + std::to_string(i)), products[i]);
    }
    EXPECT_EQ(Stored("AttemptMCI"), 0u);
    EXPECT_EQ(Stored("ReadMCI"), 0u);
    EXPECT_EQ(ui_.asked, 0);
    EXPECT_EQ(ui_.shown, 1);
    EXPECT_EQ(ui_.hidden, 1);
    EXPECT_EQ(ui_.flagsWhileShown, "1/1");
    // The MCI conversation, in order: numbers count from 1, the skipped
    // device is never opened, every opened device is closed.
    EXPECT_EQ(devices_.log, (std::vector<std::string>{
                                "count", "count", "name 1", "open waveaudio", "info 1", "close 1",
                                "name 2", "name 3", "open cdaudio", "name 4", "name 5",
                                "open avivideo", "info 5", "close 5"}));
    EXPECT_EQ(devices_.openNow, 0);
}

TEST_F(Catalogue, FlagsAreRaisedBeforeAndLoweredAfterTheStoredList) {
    catalogue_.Scan();
    std::vector<std::string> flagWrites;
    for (const std::string& w : store_.writes) {
        if (w == "AttemptMCI" || w == "ReadMCI" || w == "NumDevices") flagWrites.push_back(w);
    }
    EXPECT_EQ(flagWrites, (std::vector<std::string>{"AttemptMCI", "ReadMCI", "NumDevices",
                                                    "AttemptMCI", "ReadMCI"}));
    EXPECT_EQ(store_.writes.back(), "ReadMCI");
}

TEST_F(Catalogue, ChangedDeviceCountScansUnlessTheStoredListIsTrusted) {
    StoreList({{"a", "A"}, {"b", "B"}, {"c", "C"}});
    SetFlags(0, 0);
    catalogue_.Load();
    EXPECT_EQ(Entries(), kScanned) << "3 stored, 5 installed: a new scan";

    DeviceCatalogue trusting(store_, devices_, ui_);
    StoreList({{"a", "A"}, {"b", "B"}, {"c", "C"}});
    SetFlags(0, 1);
    devices_.log.clear();
    trusting.Load();
    ASSERT_EQ(trusting.Count(), 3u);
    EXPECT_EQ(trusting.GetAt(2)->Device, "c");
    EXPECT_EQ(trusting.GetAt(2)->Name, "C");
    EXPECT_EQ(trusting.GetAt(3), nullptr);
    EXPECT_TRUE(devices_.log.empty()) << "the stored list is taken without asking MCI";
}

TEST_F(Catalogue, ADeviceWithoutANameMakesEveryLaterOpeningScanAgain) {
    catalogue_.Load();
    ASSERT_EQ(Stored("NumDevices"), 4u);
    for (int opening = 0; opening < 2; ++opening) {
        ui_.shown = 0;
        DeviceCatalogue later(store_, devices_, ui_);
        later.Load();
        EXPECT_EQ(ui_.shown, 1) << "5 installed, 4 stored";
        EXPECT_EQ(later.Count(), 4u);
    }
}

TEST_F(Catalogue, MatchingCountReadsTheStoredEntriesWithoutProbing) {
    StoreList({{"one", "1"}, {"two", "2"}, {"three", "3"}, {"four", "4"}, {"five", "5"}});
    SetFlags(0, 0);
    catalogue_.Load();
    EXPECT_EQ(Entries(), (std::vector<std::string>{"one=1", "two=2", "three=3", "four=4",
                                                   "five=5"}));
    EXPECT_EQ(devices_.log, std::vector<std::string>{"count"});
    EXPECT_EQ(ui_.shown, 0);
}

TEST_F(Catalogue, ACrashHalfWayLeavesBothFlagsUpAndTheOldListStored) {
    StoreList({{"old", "Old Device"}});
    devices_.crashAtName = 3;
    EXPECT_THROW(catalogue_.Load(), ScriptedMediaDevices::Crash);
    EXPECT_EQ(Stored("AttemptMCI"), 1u);
    EXPECT_EQ(Stored("ReadMCI"), 1u);
    EXPECT_EQ(Stored("NumDevices"), 1u);
    EXPECT_EQ(StoredText("MCIDevice0"), "old");
    EXPECT_FALSE(store_.Has("MCIDevice1", kMci));

    // The next opening keeps away from the devices.
    devices_.crashAtName = 0;
    devices_.log.clear();
    DeviceCatalogue next(store_, devices_, ui_);
    next.Load();
    EXPECT_TRUE(devices_.log.empty());
    ASSERT_EQ(next.Count(), 1u);
    EXPECT_EQ(next.GetAt(0)->Name, "Old Device");

    // The Scan command asks first; No changes no list and stops asking.
    ui_.answerYes = false;
    next.Scan();
    EXPECT_EQ(ui_.asked, 1);
    EXPECT_TRUE(devices_.log.empty());
    EXPECT_EQ(Stored("AttemptMCI"), 0u);
    EXPECT_EQ(Stored("ReadMCI"), 1u);
    EXPECT_EQ(next.Count(), 1u);
    EXPECT_EQ(Stored("NumDevices"), 1u);

    next.Scan();
    EXPECT_EQ(ui_.asked, 1) << "after No the next Scan does not ask";
    EXPECT_EQ(next.Count(), 4u);
    EXPECT_EQ(Stored("AttemptMCI"), 0u);
    EXPECT_EQ(Stored("ReadMCI"), 0u);
}

TEST_F(Catalogue, ADeviceOpenedWhenTheScanFailsIsClosed) {
    devices_.crashAtInfo = 5;  // avivideo, the fifth installed device
    EXPECT_THROW(catalogue_.Load(), ScriptedMediaDevices::Crash);
    EXPECT_EQ(Stored("AttemptMCI"), 1u) << "the scan did not finish";
    EXPECT_TRUE(devices_.Logged("info 5"));
    EXPECT_TRUE(devices_.Logged("close 5")) << "the open device is closed on the way out";
    EXPECT_EQ(devices_.log.back(), "close 5");
    EXPECT_EQ(devices_.openNow, 0);
}

// Every state of the two flags: what Load and the Scan command do.
TEST_F(Catalogue, CrashGuardStateTable) {
    struct Row {
        uint32_t attempt, read;
        bool loadScans;
        bool scanAsks;
    };
    const Row rows[] = {
        {0, 0, true, false},  // first run, or a finished scan
        {1, 1, false, true},  // a scan that never finished
        {0, 1, false, false}, // No to question 9103
    };
    for (const Row& row : rows) {
        SCOPED_TRACE("AttemptMCI " + std::to_string(row.attempt) + ", ReadMCI " +
                     std::to_string(row.read));
        for (bool yes : {true, false}) {
            MemoryProfileStore store;
            ScriptedScanUi ui(store);
            ui.answerYes = yes;
            store.SetNumber("NumDevices", 2, kMci);  // 5 installed
            store.SetText("MCIDevice0", "x", kMci);
            store.SetText("MCIDevice1", "y", kMci);
            store.SetNumber("AttemptMCI", row.attempt, kMci);
            store.SetNumber("ReadMCI", row.read, kMci);
            DeviceCatalogue loading(store, devices_, ui);
            loading.Load();
            EXPECT_EQ(ui.shown == 1, row.loadScans);
            EXPECT_EQ(loading.Count(), row.loadScans ? 4u : 2u);

            store.SetNumber("AttemptMCI", row.attempt, kMci);
            store.SetNumber("ReadMCI", row.read, kMci);
            ui.shown = 0;
            DeviceCatalogue scanning(store, devices_, ui);
            scanning.Scan();
            EXPECT_EQ(ui.asked == 1, row.scanAsks);
            const bool scanned = !row.scanAsks || yes;
            EXPECT_EQ(ui.shown == 1, scanned);
            EXPECT_EQ(store.At("AttemptMCI", kMci).number, 0u);
            EXPECT_EQ(store.At("ReadMCI", kMci).number, scanned ? 0u : 1u);
            EXPECT_EQ(store.At("NumDevices", kMci).number, scanned ? 4u : 2u);
        }
    }
}

TEST_F(Catalogue, RefusedCountScansWhenEntriesAreStoredAndStoresAnEmptyList) {
    devices_.refuseCount = true;
    catalogue_.Load();
    EXPECT_EQ(ui_.shown, 0) << "nothing stored and nothing counted agree";
    StoreList({{"a", "A"}});
    catalogue_.Load();
    EXPECT_EQ(ui_.shown, 1);
    EXPECT_EQ(catalogue_.Count(), 0u);
    EXPECT_EQ(Stored("NumDevices"), 0u);
}

TEST_F(Catalogue, ADamagedDeviceCountIsNotBelieved) {
    store_.SetNumber("NumDevices", 0xFFFFFFFFu, kMci);
    SetFlags(0, 1);
    catalogue_.Load();
    EXPECT_EQ(catalogue_.Count(), DeviceCatalogue::kMaxStoredDevices);
    EXPECT_NE(catalogue_.GetAt(catalogue_.Count() - 1), nullptr);
    EXPECT_EQ(catalogue_.GetAt(catalogue_.Count()), nullptr);
}

// Count() is what the list holds, however the catalogue was left: the
// properties dialog walks 0..Count()-1 with GetAt.
void ExpectCountIsTheList(const DeviceCatalogue& catalogue) {
    for (uint32_t i = 0; i < catalogue.Count(); ++i) {
        EXPECT_NE(catalogue.GetAt(i), nullptr) << "entry " << i << " of " << catalogue.Count();
    }
    EXPECT_EQ(catalogue.GetAt(catalogue.Count()), nullptr);
}

TEST_F(Catalogue, DamagedCataloguesNeverPromiseEntriesTheyLack) {
    // A scan that died between its two flag writes: "AttemptMCI" 1,
    // "ReadMCI" 0, three stored, five installed. Load asks; No takes the
    // stored list, as every later opening will.
    StoreList({{"a", "A"}, {"b", "B"}, {"c", "C"}});
    SetFlags(1, 0);
    ui_.answerYes = false;
    catalogue_.Load();
    EXPECT_EQ(ui_.asked, 1);
    EXPECT_EQ(ui_.shown, 0);
    EXPECT_EQ(Entries(), (std::vector<std::string>{"a=A", "b=B", "c=C"}));
    ExpectCountIsTheList(catalogue_);
    EXPECT_EQ(Stored("AttemptMCI"), 0u);
    EXPECT_EQ(Stored("ReadMCI"), 1u);
    EXPECT_EQ(Stored("NumDevices"), 3u);
    EXPECT_FALSE(TouchedDevices());

    // The same, with nothing stored behind the count.
    MemoryProfileStore bare;
    ScriptedScanUi no(bare);
    no.answerYes = false;
    bare.SetNumber("NumDevices", 3, kMci);
    bare.SetNumber("AttemptMCI", 1, kMci);
    bare.SetNumber("ReadMCI", 0, kMci);
    DeviceCatalogue empty(bare, devices_, no);
    empty.Load();
    EXPECT_EQ(empty.Count(), 3u) << "three entries with empty names, not three promises";
    ExpectCountIsTheList(empty);

    // A scan that throws half-way through keeps Count() to what it listed.
    DeviceCatalogue scanning(store_, devices_, ui_);
    SetFlags(0, 0);
    scanning.Scan();
    ASSERT_EQ(scanning.Count(), 4u);
    devices_.crashAtName = 3;
    EXPECT_THROW(scanning.Scan(), ScriptedMediaDevices::Crash);
    EXPECT_EQ(scanning.Count(), 1u) << "waveaudio was listed before the crash";
    ExpectCountIsTheList(scanning);
    devices_.crashAtName = 0;

    // A count far beyond what is stored.
    store_.SetNumber("NumDevices", 0x7FFFFFFFu, kMci);
    SetFlags(0, 1);
    DeviceCatalogue huge(store_, devices_, ui_);
    huge.Load();
    EXPECT_EQ(huge.Count(), DeviceCatalogue::kMaxStoredDevices);
    ExpectCountIsTheList(huge);
}

TEST(DeviceCatalogueNames, SkippedDevicesInAnyCase) {
    const std::pair<const char*, bool> cases[] = {
        {"", true},
        {"LiveAudiofile", true},
        {"liveaudiofile", true},
        {"LIVEAUDIOFILE", true},
        {"liveAudioMetaFile", true},
        {"LiveAudio", false},
        {"LiveAudiofile2", false},
        {"waveaudio", false},
        {" liveaudiofile", false},
    };
    for (const auto& c : cases) EXPECT_EQ(DeviceCatalogue::IsSkippedDevice(c.first), c.second) << c.first;
}

TEST_F(Catalogue, ProbeDeviceResults) {
    std::string name = "unchanged";
    EXPECT_FALSE(catalogue_.ProbeDevice("liveAUDIOfile", name));
    EXPECT_EQ(name, "unchanged");
    EXPECT_TRUE(devices_.log.empty());

    name.clear();
    EXPECT_FALSE(catalogue_.ProbeDevice("cdaudio", name));
    EXPECT_EQ(name, "cdaudio");
    EXPECT_FALSE(catalogue_.ProbeDevice("avivideo", name));
    EXPECT_EQ(name, "");
    EXPECT_TRUE(devices_.Logged("close 5")) << "closed although it gave no description";
    EXPECT_TRUE(catalogue_.ProbeDevice("waveaudio", name));
    EXPECT_EQ(name, "Wave Player");
    EXPECT_EQ(devices_.openNow, 0);

    std::string device = "stale";
    EXPECT_FALSE(catalogue_.QueryDeviceName(1, device));
    EXPECT_EQ(device, "");
    EXPECT_TRUE(catalogue_.QueryDeviceName(0, device));
    EXPECT_EQ(device, "waveaudio");
}

TEST_F(Catalogue, ADeviceTypeLongerThanAnyRealOneIsNeverOpened) {
    // A system that names a device with 80 or more characters: opening it
    // would hand the name to an open that overruns its stack.
    const std::string longest(79, 'd');
    const std::string tooLong(80, 'd');
    devices_.devices = {{tooLong, true, true, true, "never asked"},
                        {longest, true, true, true, "Longest"},
                        {std::string(1000, 'x'), true, true, true, "never asked"}};
    EXPECT_TRUE(DeviceCatalogue::IsSkippedDevice(tooLong));
    EXPECT_FALSE(DeviceCatalogue::IsSkippedDevice(longest));
    catalogue_.Scan();
    EXPECT_FALSE(devices_.Logged("open " + tooLong));
    EXPECT_FALSE(devices_.Logged("open " + std::string(1000, 'x')));
    EXPECT_TRUE(devices_.Logged("open " + longest));
    ASSERT_EQ(catalogue_.Count(), 3u);
    EXPECT_EQ(catalogue_.GetAt(1)->Name, "Longest");
    EXPECT_EQ(catalogue_.GetAt(0)->Name, "");
}

}  // namespace
