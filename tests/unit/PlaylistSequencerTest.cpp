#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "saver/playback/PlaylistSequencer.h"
#include "saver/playback/RandomSource.h"
#include "saver/settings/SaverSettings.h"
#include "tests/support/MemoryProfileStore.h"

namespace {

// A settings object with the named items and a seeded classic generator.
struct Fixture {
    explicit Fixture(std::vector<std::string> files, bool randomOrder = false, uint32_t seed = 7)
        : settings(store, nullptr), random(seed) {
        for (const std::string& file : files) {
            auto* item = new MediaItem();
            item->File = file;
            settings.AddItem(item);
        }
        settings.Random = randomOrder ? 1 : 0;
        sequencer = std::make_unique<PlaylistSequencer>(settings, random);
    }
    std::string Current() const {
        const MediaItem* item = sequencer->CurrentItem();
        return item ? item->File : "<none>";
    }
    std::string Next() {
        sequencer->Advance();
        return Current();
    }
    MemoryProfileStore store;
    SaverSettings settings;
    ClassicRandom random;
    std::unique_ptr<PlaylistSequencer> sequencer;
};

TEST(PlaylistSequencer, StartsPastTheEndAndWrapsToTheFirstItem) {
    Fixture f({"a", "b", "c"});
    EXPECT_EQ(f.sequencer->CurrentIndex(), 3u);
    EXPECT_EQ(f.sequencer->CurrentItem(), nullptr);
    EXPECT_EQ(f.sequencer->TitlePhase(), 1);
    EXPECT_EQ(f.sequencer->PlaybackEnabled(), 1);
    EXPECT_EQ(f.sequencer->StartingMovie(), 0);
    std::vector<std::string> order;
    for (int i = 0; i < 7; ++i) order.push_back(f.Next());
    EXPECT_EQ(order, (std::vector<std::string>{"a", "b", "c", "a", "b", "c", "a"}));
}

TEST(PlaylistSequencer, EmptyPlaylistGetsTheBouncingLogo) {
    Fixture f({});
    EXPECT_EQ(f.sequencer->Advance(), NextStep::PlayNow);
    ASSERT_EQ(f.settings.GetCount(), 1u);
    const MediaItem* logo = f.sequencer->CurrentItem();
    ASSERT_NE(logo, nullptr);
    EXPECT_EQ(logo->IsLogo, 1);
    EXPECT_EQ(logo->Bounce, 1);
    EXPECT_EQ(PlaylistSequencer::ChoosePlayer(*logo), PlayerKind::Logo);
    f.sequencer->Advance();
    EXPECT_EQ(f.settings.GetCount(), 1u);  // added once
    // Nothing of the placeholder is written to the store.
    EXPECT_TRUE(f.store.writes.empty());
}

TEST(PlaylistSequencer, DisabledPlaybackChangesNothing) {
    Fixture f({"a", "b"});
    f.sequencer->EnablePlayback(false);
    f.sequencer->BeginStart();  // the title phase is over
    EXPECT_EQ(f.sequencer->Advance(), NextStep::Stopped);
    EXPECT_EQ(f.sequencer->CurrentIndex(), 2u);
    EXPECT_EQ(f.sequencer->TitlePhase(), 0);
}

TEST(PlaylistSequencer, TitleCardNeedsTitlesTitleBeforeAndText) {
    struct Case {
        int32_t titles, before;
        const char* title;
        NextStep step;
    };
    const Case cases[] = {{1, 1, "Hello", NextStep::TitleCard}, {0, 1, "Hello", NextStep::PlayNow},
                          {1, 0, "Hello", NextStep::PlayNow},   {1, 1, "", NextStep::PlayNow}};
    for (const Case& c : cases) {
        Fixture f({"a"});
        f.settings.Titles = c.titles;
        f.settings.GetItem(0)->TitleBefore = c.before;
        f.settings.GetItem(0)->Title = c.title;
        f.sequencer->BeginStart();  // the title phase is over
        EXPECT_EQ(f.sequencer->Advance(), c.step) << c.titles << c.before << c.title;
        EXPECT_EQ(f.sequencer->HasTitleCard(), c.step == NextStep::TitleCard ? 1 : 0);
        EXPECT_EQ(f.sequencer->TitlePhase(), 1);
    }
}

TEST(PlaylistSequencer, RandomPassesPlayEveryItemOnceWithoutRepeats) {
    for (uint32_t seed : {1u, 2u, 99u, 31337u}) {
        Fixture f({"x", "y", "z"}, true, seed);
        std::string previous;
        for (int pass = 0; pass < 20; ++pass) {
            std::vector<std::string> seen;
            for (int i = 0; i < 3; ++i) {
                const std::string now = f.Next();
                EXPECT_NE(now, previous) << "seed " << seed;
                previous = now;
                seen.push_back(now);
            }
            std::sort(seen.begin(), seen.end());
            EXPECT_EQ(seen, (std::vector<std::string>{"x", "y", "z"})) << "seed " << seed;
        }
    }
}

TEST(PlaylistSequencer, TwoItemsAlternateInRandomOrder) {
    Fixture f({"a", "b"}, true, 5);
    std::string previous = f.Next();
    for (int i = 0; i < 30; ++i) {
        const std::string now = f.Next();
        EXPECT_NE(now, previous);
        previous = now;
    }
}

TEST(PlaylistSequencer, OneItemInRandomOrderRepeats) {
    Fixture f({"only"}, true);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(f.Next(), "only");
    EXPECT_EQ(f.sequencer->PlayedCount(), 0u);
}

TEST(PlaylistSequencer, PickRandomUsesOneClassicValuePerDraw) {
    Fixture f({"a", "b", "c", "d", "e"}, true, 42);
    ClassicRandom reference(42);
    // The first pick excludes nobody: it is the first draw mod 5.
    EXPECT_EQ(f.sequencer->PickRandom(5), reference.Next() % 5);
    for (int i = 0; i < 50; ++i) EXPECT_NE(f.sequencer->PickRandom(0), 0u);
}

TEST(PlaylistSequencer, PickRandomReachesItemsBeyondTheGeneratorsRange) {
    // 40000 items, all played but two: a draw of rand() % n alone
    // never gets past 32767 and would spin forever.
    std::vector<std::string> files;
    for (int i = 0; i < 40000; ++i) files.push_back("f" + std::to_string(i));
    Fixture f(files, true, 3);
    for (uint32_t i = 0; i < 40000; ++i) f.settings.GetItem(i)->Played = i == 39997 || i == 39998 ? 0 : 1;
    const uint32_t first = f.sequencer->PickRandom(39999);
    EXPECT_TRUE(first == 39997 || first == 39998) << first;
    f.settings.GetItem(first)->Played = 1;
    const uint32_t second = f.sequencer->PickRandom(first);
    EXPECT_EQ(second, first == 39997 ? 39998u : 39997u);
}

TEST(PlaylistSequencer, DropInListOrderPlaysTheFollowingItem) {
    Fixture f({"a", "b", "c"});
    EXPECT_EQ(f.Next(), "a");
    f.sequencer->DropItem(0);
    EXPECT_EQ(f.sequencer->CurrentIndex(), 0xFFFFFFFFu);
    EXPECT_EQ(f.settings.GetCount(), 2u);
    EXPECT_EQ(f.Next(), "b");
    EXPECT_EQ(f.Next(), "c");
    f.sequencer->DropItem(1);
    EXPECT_EQ(f.Next(), "b");  // wrapped past the end
}

TEST(PlaylistSequencer, AMovieStartEndsTheTitlePhaseAndAFailedOneDropsItsItem) {
    Fixture f({"a", "b", "c"});
    EXPECT_EQ(f.Next(), "a");
    EXPECT_EQ(f.Next(), "b");
    EXPECT_EQ(f.sequencer->TitlePhase(), 1);
    f.sequencer->BeginStart();
    EXPECT_EQ(f.sequencer->StartingMovie(), 1);
    EXPECT_EQ(f.sequencer->TitlePhase(), 0);
    f.sequencer->EndStart();
    EXPECT_EQ(f.sequencer->StartingMovie(), 0);
    EXPECT_EQ(f.sequencer->TitlePhase(), 0) << "the movie plays: no title card";

    f.sequencer->BeginStart();
    f.sequencer->DropCurrent();
    EXPECT_EQ(f.sequencer->StartingMovie(), 0);
    EXPECT_EQ(f.settings.GetCount(), 2u);
    EXPECT_EQ(f.Next(), "c") << "the item after the dropped one";

    f.sequencer->EnablePlayback(false);
    EXPECT_EQ(f.sequencer->PlaybackEnabled(), 0);
    EXPECT_EQ(f.sequencer->Advance(), NextStep::Stopped);
    f.sequencer->EnablePlayback(true);
    EXPECT_EQ(f.sequencer->PlaybackEnabled(), 1);
    EXPECT_EQ(f.Next(), "a");
}

TEST(PlaylistSequencer, DropInRandomOrderExcludesNobodyNext) {
    Fixture f({"a", "b", "c"}, true);
    f.Next();
    f.sequencer->DropItem(f.sequencer->CurrentIndex());
    EXPECT_EQ(f.sequencer->CurrentIndex(), 2u);
    EXPECT_EQ(f.sequencer->PlayedCount(), 1u);
    // The two left still both come up in the passes that follow.
    std::vector<std::string> seen;
    for (int i = 0; i < 4; ++i) seen.push_back(f.Next());
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(std::unique(seen.begin(), seen.end()) - seen.begin(), 2);
}

TEST(PlaylistSequencer, DroppingEverythingLeavesTheLogo) {
    Fixture f({"a", "b"});
    for (int i = 0; i < 2; ++i) {
        f.Next();
        f.sequencer->DropItem(f.sequencer->CurrentIndex());
    }
    EXPECT_EQ(f.settings.GetCount(), 0u);
    f.Next();
    ASSERT_NE(f.sequencer->CurrentItem(), nullptr);
    EXPECT_EQ(f.sequencer->CurrentItem()->IsLogo, 1);
}

TEST(PlaylistSequencer, StepBackTwiceThenAdvanceGivesThePreviousItem) {
    Fixture f({"a", "b", "c"});
    f.Next();
    f.Next();  // b
    f.sequencer->StepBack();
    f.sequencer->StepBack();
    EXPECT_EQ(f.Next(), "a");
    f.sequencer->StepBack();
    f.sequencer->StepBack();
    EXPECT_EQ(f.Next(), "c");  // from the first item back to the last
}

TEST(PlaylistSequencer, StepBackDoesNothingInRandomOrder) {
    Fixture f({"a", "b", "c"}, true);
    f.Next();
    const uint32_t index = f.sequencer->CurrentIndex();
    f.sequencer->StepBack();
    EXPECT_EQ(f.sequencer->CurrentIndex(), index);
}

TEST(PlaylistSequencer, ChoosePlayerByDeviceAndExtension) {
    struct Case {
        const char* file;
        const char* mci;
        int32_t logo;
        PlayerKind kind;
    };
    const Case cases[] = {
        {"C:\\m\\clip.MoV", "PELORQT", 0, PlayerKind::QuickTime},
        {"C:\\m\\clip.qt", "PELORQT", 0, PlayerKind::QuickTime},
        {"C:\\m\\phone.MP4", "PELORQT", 0, PlayerKind::QuickTime},
        {"C:\\m\\phone.m4v", "PELORQT", 0, PlayerKind::QuickTime},
        {"C:\\m\\phone.mp4", "", 0, PlayerKind::Mci},
        {"C:\\m\\clip.mp3", "PELORQT", 0, PlayerKind::Mci},
        {"C:\\m\\clip.mov", "", 0, PlayerKind::Mci},
        {"C:\\m\\clip.avi", "PELORQT", 0, PlayerKind::Mci},
        {"C:\\m\\clip.mov", "pelorqt", 0, PlayerKind::Mci},
        {"C:\\m.mov\\clip", "PELORQT", 0, PlayerKind::Mci},
        {"C:\\m\\clipmov", "PELORQT", 0, PlayerKind::Mci},
        {"C:\\m\\clip.movie", "PELORQT", 0, PlayerKind::Mci},
        {"C:\\m\\clip.mov", "PELORQT", 1, PlayerKind::Logo},
        {"C:\\m\\song.wav", "waveaudio", 0, PlayerKind::Mci},
    };
    for (const Case& c : cases) {
        MediaItem item;
        item.File = c.file;
        item.MCI = c.mci;
        item.IsLogo = c.logo;
        EXPECT_EQ(PlaylistSequencer::ChoosePlayer(item), c.kind) << c.file << " " << c.mci;
    }
}

// An Auto Detect item that the MCI system refuses is tried through QuickTime;
// one naming its device, the logo, or a refused QuickTime item is not.
TEST(PlaylistSequencer, AutoDetectItemsRefusedByMciTryQuickTime) {
    MediaItem item;
    item.File = "C:\\m\\phone.mp4";
    EXPECT_TRUE(PlaylistSequencer::TriesQuickTimeAfter(item, PlayerKind::Mci));
    EXPECT_FALSE(PlaylistSequencer::TriesQuickTimeAfter(item, PlayerKind::QuickTime));
    item.MCI = "MPEGVideo";
    EXPECT_FALSE(PlaylistSequencer::TriesQuickTimeAfter(item, PlayerKind::Mci));
    item.MCI.clear();
    item.IsLogo = 1;
    EXPECT_FALSE(PlaylistSequencer::TriesQuickTimeAfter(item, PlayerKind::Mci));
}


// The choice made ahead, while the current item plays, is the one the next
// advance takes: each case plans before every advance (twice, to see that
// asking again changes nothing) and compares with a twin that never plans.
TEST(PlaylistSequencer, ThePlanIsTheChoiceOfTheNextAdvance) {
    struct Case {
        const char* name;
        std::vector<std::string> files;
        bool randomOrder;
    };
    const Case cases[] = {
        {"list order", {"a", "b", "c"}, false},
        {"one item", {"a"}, false},
        {"one item, random", {"a"}, true},
        {"two items, random", {"a", "b"}, true},
        {"five items, random", {"a", "b", "c", "d", "e"}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture planning(c.files, c.randomOrder, 11);
        Fixture plain(c.files, c.randomOrder, 11);
        for (int i = 0; i < 23; ++i) {
            uint32_t first = 99, again = 98;
            ASSERT_TRUE(planning.sequencer->PlanNext(first));
            ASSERT_TRUE(planning.sequencer->PlanNext(again));
            EXPECT_EQ(first, again);
            ASSERT_NE(planning.sequencer->PlannedItem(), nullptr);
            const std::string planned = planning.sequencer->PlannedItem()->File;
            EXPECT_EQ(planning.Next(), planned);
            EXPECT_EQ(planning.sequencer->CurrentIndex(), first);
            EXPECT_EQ(planning.Current(), plain.Next()) << "advance " << i;
            EXPECT_EQ(planning.sequencer->PlayedCount(), plain.sequencer->PlayedCount());
            // The advance took the plan: there is none until the next PlanNext.
            EXPECT_EQ(planning.sequencer->PlannedItem(), nullptr);
        }
    }
}

TEST(PlaylistSequencer, APlanInRandomOrderStaysWithinThePassAndNeverRepeatsTheCurrentItem) {
    Fixture f({"a", "b", "c"}, true, 3);
    std::vector<std::string> order;
    for (int i = 0; i < 12; ++i) {
        uint32_t next = 0;
        ASSERT_TRUE(f.sequencer->PlanNext(next));
        if (f.sequencer->CurrentItem() != nullptr) {
            EXPECT_NE(next, f.sequencer->CurrentIndex());
        }
        order.push_back(f.Next());
    }
    for (int pass = 0; pass < 4; ++pass) {
        std::vector<std::string> one(order.begin() + pass * 3, order.begin() + pass * 3 + 3);
        std::sort(one.begin(), one.end());
        EXPECT_EQ(one, (std::vector<std::string>{"a", "b", "c"})) << "pass " << pass;
    }
    // Two items in random order alternate, planned or not.
    Fixture two({"x", "y"}, true, 5);
    std::string previous = two.Next();
    for (int i = 0; i < 8; ++i) {
        uint32_t next = 0;
        ASSERT_TRUE(two.sequencer->PlanNext(next));
        const std::string now = two.Next();
        EXPECT_NE(now, previous);
        previous = now;
    }
}

TEST(PlaylistSequencer, AOneItemPlaylistPlansItsOwnItemAgain) {
    Fixture f({"only"});
    f.Next();
    uint32_t next = 7;
    ASSERT_TRUE(f.sequencer->PlanNext(next));
    EXPECT_EQ(next, 0u);
    EXPECT_EQ(f.sequencer->PlannedItem(), f.sequencer->CurrentItem());
}

TEST(PlaylistSequencer, ThePlannedItemIsPreparedUnlessItIsTheCurrentItemOrItsFile) {
    Fixture f({"C:\\m\\a.avi", "c:\\M\\A.AVI", "C:\\m\\b.avi", "C:\\m\\a.avi2", ""});
    const MediaItem& a = *f.settings.GetItem(0);
    EXPECT_FALSE(PlaylistSequencer::PreparesAhead(a, a));                         // plays again itself
    EXPECT_FALSE(PlaylistSequencer::PreparesAhead(*f.settings.GetItem(1), a));    // its file, another case
    EXPECT_TRUE(PlaylistSequencer::PreparesAhead(*f.settings.GetItem(2), a));
    EXPECT_TRUE(PlaylistSequencer::PreparesAhead(*f.settings.GetItem(3), a));
    EXPECT_TRUE(PlaylistSequencer::PreparesAhead(*f.settings.GetItem(4), a));
}

TEST(PlaylistSequencer, NoPlanWhileDisabledOrEmpty) {
    Fixture empty({});
    uint32_t next = 0;
    EXPECT_FALSE(empty.sequencer->PlanNext(next));
    EXPECT_EQ(empty.settings.GetCount(), 0u);  // the placeholder comes with the advance only
    Fixture f({"a", "b"});
    f.sequencer->EnablePlayback(false);
    EXPECT_FALSE(f.sequencer->PlanNext(next));
    EXPECT_EQ(f.sequencer->PlannedItem(), nullptr);
}

TEST(PlaylistSequencer, APlannedItemThatFailsIsDroppedAndTheOneAfterItIsPlanned) {
    struct Case {
        const char* name;
        uint32_t advances;  // the current item is the last of these
        std::vector<std::string> left;
        const char* current;
        const char* plannedAfter;
    };
    const Case cases[] = {
        {"in the middle", 1, {"a", "c", "d"}, "a", "c"},
        {"past the end, wrapping", 4, {"b", "c", "d"}, "d", "b"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f({"a", "b", "c", "d"});
        for (uint32_t i = 0; i < c.advances; ++i) f.Next();
        uint32_t next = 0;
        ASSERT_TRUE(f.sequencer->PlanNext(next));
        f.sequencer->DropPlanned();
        std::vector<std::string> files;
        for (uint32_t i = 0; i < f.settings.GetCount(); ++i) files.push_back(f.settings.GetItem(i)->File);
        EXPECT_EQ(files, c.left);
        EXPECT_EQ(f.Current(), c.current);  // the playing item stays current
        ASSERT_TRUE(f.sequencer->PlanNext(next));
        EXPECT_EQ(f.sequencer->PlannedItem()->File, c.plannedAfter);
        EXPECT_EQ(f.Next(), c.plannedAfter);
    }
}

TEST(PlaylistSequencer, StepBackAndDropsForgetThePlan) {
    Fixture f({"a", "b", "c"});
    f.Next();
    f.Next();  // b
    uint32_t next = 0;
    ASSERT_TRUE(f.sequencer->PlanNext(next));
    EXPECT_EQ(f.sequencer->PlannedItem()->File, "c");
    // Left: back twice and one advance lands on the previous item, as without a plan.
    f.sequencer->StepBack();
    EXPECT_EQ(f.sequencer->PlannedItem(), nullptr);
    f.sequencer->StepBack();
    EXPECT_EQ(f.Next(), "a");
    ASSERT_TRUE(f.sequencer->PlanNext(next));
    f.sequencer->DropCurrent();
    EXPECT_EQ(f.sequencer->PlannedItem(), nullptr);
    EXPECT_EQ(f.Next(), "b");
    // In random order Left is a skip forward: the plan holds.
    Fixture r({"a", "b", "c"}, true);
    r.Next();
    ASSERT_TRUE(r.sequencer->PlanNext(next));
    r.sequencer->StepBack();
    ASSERT_NE(r.sequencer->PlannedItem(), nullptr);
    EXPECT_EQ(r.sequencer->PlannedItem(), r.settings.GetItem(next));
}
}  // namespace
