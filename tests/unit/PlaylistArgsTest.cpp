#include <gtest/gtest.h>

#include "saver/settings/SaverSettings.h"
#include "tests/support/MemoryProfileStore.h"
#include "tools/playlist/PlaylistArgs.h"

namespace {

TEST(PlaylistArgs, GlobalsBeforeTheFirstFileItemValuesAfter) {
    MemoryProfileStore store;
    SaverSettings s(store, nullptr);
    std::string error;
    ASSERT_TRUE(ApplyPlaylistArgs({"Titles=1", "scale=4", "BounceSpeed=20", "Letterbox=0",
                                   "File=/tmp/a b.avi", "Title=First", "Scale=2", "Align=-1",
                                   "Bounce=1", "Loops=3", "Mute=1", "TitleMovie=1", "TitleBefore=0",
                                   "File=C:\\x.mid", "MCI=sequencer", "LoopInfinite=1",
                                   "FontFace=Arial", "FontWeight=700", "FontItalic=1"},
                                  s, error))
        << error;
    EXPECT_EQ(s.Titles, 1);
    EXPECT_EQ(s.Scale, ScaleFullScreen);
    EXPECT_EQ(s.BounceSpeed, 20u);
    EXPECT_EQ(s.Letterbox, 0);
    EXPECT_EQ(s.Mute, 0) << "an item's Mute must not reach the global one";
    ASSERT_EQ(s.GetCount(), 2u);
    const MediaItem* a = s.GetItem(0);
    EXPECT_EQ(a->File, "Z:\\tmp\\a b.avi");
    EXPECT_EQ(a->Title, "First");
    EXPECT_EQ(a->Scale, ScaleDouble);
    EXPECT_EQ(a->Align, -1);
    EXPECT_EQ(a->Bounce, 1);
    EXPECT_EQ(a->Loops, 3u);
    EXPECT_EQ(a->Mute, 1);
    EXPECT_EQ(a->TitleMovie, 1);
    EXPECT_EQ(a->TitleBefore, 0);
    const MediaItem* b = s.GetItem(1);
    EXPECT_EQ(b->File, "C:\\x.mid");
    EXPECT_EQ(b->MCI, "sequencer");
    EXPECT_EQ(b->LoopInfinite, 1);
    EXPECT_EQ(b->Loops, 1u);
    EXPECT_STREQ(b->TitleFont.lfFaceName, "Arial");
    EXPECT_EQ(b->TitleFont.lfWeight, 700);
    EXPECT_EQ(b->TitleFont.lfItalic, 1);
    EXPECT_EQ(b->TitleFont.lfHeight, -16);
}

TEST(PlaylistArgs, SavedListLoadsBackAsTheSaverSeesIt) {
    MemoryProfileStore store;
    {
        SaverSettings s(store, nullptr);
        std::string error;
        ASSERT_TRUE(ApplyPlaylistArgs({"Random=1", "File=/m/1.avi", "Title=One", "File=/m/2.wav"}, s, error));
        s.Save();
    }
    SaverSettings loaded(store, nullptr);
    loaded.Load(false);
    EXPECT_EQ(loaded.Random, 1);
    ASSERT_EQ(loaded.GetCount(), 2u);
    EXPECT_EQ(loaded.GetItem(0)->Title, "One");
    EXPECT_EQ(loaded.GetItem(1)->File, "Z:\\m\\2.wav");
}

TEST(PlaylistArgs, RejectsWordsItCannotUse) {
    const std::vector<std::vector<std::string>> bad = {
        {"Loops=2"},                    // an item value before any File
        {"File=/a.avi", "Loops=many"},  // not a number
        {"File=/a.avi", "Loops=99999999999"},
        {"File=/a.avi", "Colour=3"},    // no such value
        {"Title=x"},                    // no global of that name
        {"nonsense"},
        {"=3"},
    };
    for (const auto& words : bad) {
        MemoryProfileStore store;
        SaverSettings s(store, nullptr);
        std::string error;
        EXPECT_FALSE(ApplyPlaylistArgs(words, s, error)) << words.back();
        EXPECT_FALSE(error.empty());
    }
}

TEST(PlaylistArgs, OnlyLinuxPathsAreTranslated) {
    EXPECT_EQ(WindowsPathFor("/x/y"), "Z:\\x\\y");
    EXPECT_EQ(WindowsPathFor("C:\\x"), "C:\\x");
    EXPECT_EQ(WindowsPathFor("rel/x"), "rel/x");
    EXPECT_EQ(WindowsPathFor(""), "");
}

}  // namespace
