#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "core/DirectoryListing.h"
#include "saver/playback/FolderExpansion.h"
#include "saver/playback/FolderWalker.h"
#include "saver/playback/PlaylistSequencer.h"
#include "saver/playback/RandomSource.h"
#include "saver/settings/SaverSettings.h"
#include "tests/support/MemoryProfileStore.h"

namespace {

// Folders in memory. Paths are exact texts; a link is a folder path that
// stands for another one, as a junction or a symbolic link does.
class MemoryFolders : public DirectoryListing {
public:
    // Adds file or folder `path` (folders end in a backslash), with every
    // folder above it.
    void Add(const std::string& path) {
        const bool isFolder = !path.empty() && path.back() == '\\';
        const std::string clean = isFolder ? path.substr(0, path.size() - 1) : path;
        const size_t slash = clean.rfind('\\');
        if (isFolder) folders_[clean];
        if (slash == std::string::npos) return;
        const std::string parent = clean.substr(0, slash);
        Add(parent + "\\");
        if (!added_.insert(clean).second) return;
        folders_[parent].push_back({clean.substr(slash + 1), isFolder});
    }
    // Folder `path` stands for folder `target`.
    void Link(const std::string& path, const std::string& target) {
        Add(path + "\\");
        links_[path] = target;
    }

    bool IsFolder(const std::string& path) override { return folders_.count(Resolve(path)) != 0; }
    bool List(const std::string& path, std::vector<DirectoryEntry>& entries) override {
        ++lists;
        const std::string real = Resolve(path);
        if (unreadable.count(real) != 0) return false;
        auto it = folders_.find(real);
        if (it == folders_.end()) return false;
        entries = it->second;
        return true;
    }
    std::string FolderIdentity(const std::string& path) override { return identities ? Resolve(path) : ""; }

    bool identities = true;
    int lists = 0;
    std::set<std::string> unreadable;

private:
    std::string Resolve(std::string path) const {
        if (!path.empty() && path.back() == '\\') path.pop_back();
        for (int guard = 0; guard < 1000; ++guard) {
            bool changed = false;
            for (const auto& link : links_) {
                if (path == link.first || path.rfind(link.first + "\\", 0) == 0) {
                    path = link.second + path.substr(link.first.size());
                    changed = true;
                    break;
                }
            }
            if (!changed) break;
        }
        return path;
    }
    std::map<std::string, std::vector<DirectoryEntry>> folders_;
    std::map<std::string, std::string> links_;
    std::set<std::string> added_;
};

std::vector<std::string> Walk(MemoryFolders& fs, const std::string& root) {
    FolderWalker walker(fs, root);
    std::vector<std::string> paths;
    std::string path;
    while (walker.Next(path)) paths.push_back(path);
    return paths;
}

TEST(FolderWalker, PlaysMediaFilesInNameOrderFolderByFolder) {
    MemoryFolders fs;
    // Added out of order: the system's own order is not the play order.
    for (const char* p : {"C:\\Clips\\zeta\\b.AVI", "C:\\Clips\\Beta.mov", "C:\\Clips\\zeta\\a.wav",
                          "C:\\Clips\\alpha.MPG", "C:\\Clips\\notes.txt", "C:\\Clips\\Alpha\\x.mid",
                          "C:\\Clips\\c.qt", "C:\\Clips\\d.mpeg", "C:\\Clips\\e.mp3", "C:\\Clips\\noext",
                          "C:\\Clips\\f.avi.txt", "C:\\Clips\\g.avi\\", "C:\\Clips\\g.avi\\h.avi",
                          "C:\\Clips\\empty\\"}) {
        fs.Add(p);
    }
    EXPECT_EQ(Walk(fs, "C:\\Clips"),
              (std::vector<std::string>{"C:\\Clips\\alpha.MPG", "C:\\Clips\\Beta.mov", "C:\\Clips\\c.qt",
                                        "C:\\Clips\\d.mpeg", "C:\\Clips\\e.mp3", "C:\\Clips\\Alpha\\x.mid",
                                        "C:\\Clips\\g.avi\\h.avi", "C:\\Clips\\zeta\\a.wav",
                                        "C:\\Clips\\zeta\\b.AVI"}));
    // A root given with its backslash joins without a second one.
    EXPECT_EQ(Walk(fs, "C:\\Clips\\zeta\\"),
              (std::vector<std::string>{"C:\\Clips\\zeta\\a.wav", "C:\\Clips\\zeta\\b.AVI"}));
}

TEST(FolderWalker, NamesOrderWithoutRegardToCase) {
    EXPECT_TRUE(FolderWalker::NameBefore("apple.avi", "Banana.avi"));
    EXPECT_FALSE(FolderWalker::NameBefore("Banana.avi", "apple.avi"));
    EXPECT_TRUE(FolderWalker::NameBefore("clip", "clip1"));
    EXPECT_TRUE(FolderWalker::NameBefore("A.avi", "a.avi"));  // equal but for case: byte order decides
    for (const char* name : {"x.avi", "x.MOV", "x.Qt", "x.mpg", "x.MPEG", "x.mp3", "x.wav", "x.MID", "x.mp4", "x.M4V"}) {
        EXPECT_TRUE(FolderWalker::IsMediaName(name)) << name;
    }
    for (const char* name : {"x.txt", "x", "avi", "x.avi.bak", "x.", "x.mp4v"}) {
        EXPECT_FALSE(FolderWalker::IsMediaName(name)) << name;
    }
}

TEST(FolderWalker, EmptyUnreadableAndMissingFoldersGiveNothing) {
    MemoryFolders fs;
    fs.Add("C:\\Empty\\");
    fs.Add("C:\\Texts\\readme.txt");
    fs.Add("C:\\Locked\\a.avi");
    fs.unreadable.insert("C:\\Locked");
    EXPECT_TRUE(Walk(fs, "C:\\Empty").empty());
    EXPECT_TRUE(Walk(fs, "C:\\Texts").empty());
    EXPECT_TRUE(Walk(fs, "C:\\Locked").empty());
    EXPECT_TRUE(Walk(fs, "C:\\Gone").empty());
    // An unreadable subfolder leaves its neighbours playing.
    fs.Add("C:\\Mixed\\a\\1.avi");
    fs.Add("C:\\Mixed\\b\\2.avi");
    fs.unreadable.insert("C:\\Mixed\\a");
    EXPECT_EQ(Walk(fs, "C:\\Mixed"), (std::vector<std::string>{"C:\\Mixed\\b\\2.avi"}));
}

TEST(FolderWalker, AFolderReachedAgainThroughALinkIsNotReadAgain) {
    MemoryFolders fs;
    fs.Add("C:\\Loop\\a.avi");
    fs.Add("C:\\Loop\\sub\\b.avi");
    fs.Link("C:\\Loop\\self", "C:\\Loop");
    fs.Link("C:\\Loop\\sub\\up", "C:\\Loop");
    fs.Link("C:\\Loop\\twin", "C:\\Loop\\sub");
    EXPECT_EQ(Walk(fs, "C:\\Loop"), (std::vector<std::string>{"C:\\Loop\\a.avi", "C:\\Loop\\sub\\b.avi"}));
}

TEST(FolderWalker, LinksEndAtTheDepthAndFolderLimitsWhereTheSystemCannotTellThem) {
    MemoryFolders fs;
    fs.identities = false;
    fs.Add("C:\\Loop\\a.avi");
    fs.Link("C:\\Loop\\l1", "C:\\Loop");
    fs.Link("C:\\Loop\\l2", "C:\\Loop");  // two links: a tree that doubles at each level
    const std::vector<std::string> paths = Walk(fs, "C:\\Loop");
    EXPECT_EQ(paths.size(), FolderWalker::kMaxFolders);
    EXPECT_EQ(static_cast<size_t>(fs.lists), FolderWalker::kMaxFolders);
    for (const std::string& p : paths) EXPECT_LE(p.size(), FolderWalker::kMaxPathChars);
}

TEST(FolderWalker, AChainOfAHundredFoldersEndsAtTheDepthLimit) {
    MemoryFolders fs;
    std::string folder = "C:\\N";
    for (int i = 0; i < 100; ++i) {
        fs.Add(folder + "\\f.avi");
        folder += "\\d";
    }
    const std::vector<std::string> paths = Walk(fs, "C:\\N");
    ASSERT_EQ(paths.size(), static_cast<size_t>(FolderWalker::kMaxDepth + 1));
    EXPECT_EQ(paths.front(), "C:\\N\\f.avi");
    EXPECT_EQ(paths.back().size(), std::string("C:\\N\\f.avi").size() + 2 * FolderWalker::kMaxDepth);
}

TEST(FolderWalker, NamesTooLongForTheSystemOrOutsideTheCodePageAreLeftOut) {
    MemoryFolders fs;
    const std::string root = "C:\\Long";  // 7 characters; with the backslash 8
    const std::string fits = std::string(FolderWalker::kMaxPathChars - 8 - 4, 'x') + ".avi";
    const std::string over = std::string(FolderWalker::kMaxPathChars - 8 - 3, 'y') + ".avi";
    fs.Add(root + "\\" + fits);
    fs.Add(root + "\\" + over);
    fs.Add(root + "\\caf?.avi");  // a name the code page could not carry
    fs.Add(root + "\\ok.avi");
    // A folder whose "\*" would not fit is not listed.
    fs.Add(root + "\\" + std::string(FolderWalker::kMaxPathChars - 8 - 1, 'z') + "\\in.avi");
    const std::vector<std::string> paths = Walk(fs, root);
    ASSERT_EQ(paths.size(), 2u);
    EXPECT_EQ(paths[0], root + "\\ok.avi");
    EXPECT_EQ(paths[1], root + "\\" + fits);
    EXPECT_EQ(paths[1].size(), FolderWalker::kMaxPathChars);
    // A 259-character name cannot be opened in any folder.
    fs.Add("C:\\L2\\" + std::string(255, 'n') + ".avi");
    EXPECT_TRUE(Walk(fs, "C:\\L2").empty());
}

TEST(FolderWalker, ReadsEachFolderOnlyWhenItsFilesAreAskedFor) {
    MemoryFolders fs;
    fs.Add("C:\\F\\1.avi");
    fs.Add("C:\\F\\a\\2.avi");
    fs.Add("C:\\F\\b\\3.avi");
    FolderWalker walker(fs, "C:\\F");
    EXPECT_EQ(fs.lists, 1);
    std::string path;
    ASSERT_TRUE(walker.Next(path));
    EXPECT_EQ(fs.lists, 1);
    ASSERT_TRUE(walker.Next(path));
    EXPECT_EQ(path, "C:\\F\\a\\2.avi");
    EXPECT_EQ(fs.lists, 2);
}

// A run's playlist over folders in memory, with the sequencer and the
// expansion as the display window drives them.
struct FolderRun {
    explicit FolderRun(std::vector<std::string> files, bool randomOrder = false)
        : settings(store, nullptr), random(11), sequencer(settings, random), folders(settings, fs) {
        for (const std::string& file : files) {
            auto* item = new MediaItem();
            item->File = file;
            settings.AddItem(item);
        }
        settings.Random = randomOrder ? 1 : 0;
    }
    void Start() {
        sequencer.Reset();
        folders.Start();
    }
    std::string Next() {
        if (folders.Prepare(sequencer.CurrentIndex())) sequencer.Reset();
        sequencer.Advance();
        const MediaItem* item = sequencer.CurrentItem();
        return item == nullptr ? "<none>" : item->IsLogo ? "<logo>" : item->File;
    }
    std::vector<std::string> Plays(int n) {
        std::vector<std::string> order;
        for (int i = 0; i < n; ++i) order.push_back(Next());
        return order;
    }
    MemoryFolders fs;
    MemoryProfileStore store;
    SaverSettings settings;
    ClassicRandom random;
    PlaylistSequencer sequencer;
    FolderExpansion folders;
};

TEST(FolderExpansion, AFolderPlaysItsFilesAtItsPlaceInTheList) {
    FolderRun run({"C:\\a.avi", "C:\\F", "C:\\b.avi"});
    run.fs.Add("C:\\F\\2.avi");
    run.fs.Add("C:\\F\\1.avi");
    run.fs.Add("C:\\F\\sub\\3.avi");
    run.fs.Add("C:\\F\\readme.txt");
    run.Start();
    EXPECT_EQ(run.Next(), "C:\\a.avi");
    EXPECT_EQ(run.fs.lists, 0);  // not read before it is about to play
    EXPECT_EQ(run.Plays(6), (std::vector<std::string>{"C:\\F\\1.avi", "C:\\F\\2.avi", "C:\\F\\sub\\3.avi",
                                                      "C:\\b.avi", "C:\\a.avi", "C:\\F\\1.avi"}));
    EXPECT_EQ(run.fs.lists, 2);  // once per folder for the whole run
    EXPECT_EQ(run.settings.GetCount(), 5u);
}

TEST(FolderExpansion, AFolderFirstInTheListStartsTheRunAndTheListWrapsToIt) {
    FolderRun run({"C:\\F", "C:\\z.avi"});
    for (const char* p : {"C:\\F\\a.avi", "C:\\F\\b.avi", "C:\\F\\c.avi", "C:\\F\\d.avi"}) run.fs.Add(p);
    run.Start();
    EXPECT_EQ(run.Plays(7), (std::vector<std::string>{"C:\\F\\a.avi", "C:\\F\\b.avi", "C:\\F\\c.avi",
                                                      "C:\\F\\d.avi", "C:\\z.avi", "C:\\F\\a.avi",
                                                      "C:\\F\\b.avi"}));
}

TEST(FolderExpansion, EachStartReadsTheFolderAfresh) {
    FolderRun run({"C:\\F"});
    run.fs.Add("C:\\F\\a.avi");
    run.Start();
    EXPECT_EQ(run.Plays(2), (std::vector<std::string>{"C:\\F\\a.avi", "C:\\F\\a.avi"}));
    // The next run loads the stored entry again and finds the copied clip.
    FolderRun second({"C:\\F"});
    second.fs.Add("C:\\F\\a.avi");
    second.fs.Add("C:\\F\\b.avi");
    second.Start();
    EXPECT_EQ(second.Plays(3), (std::vector<std::string>{"C:\\F\\a.avi", "C:\\F\\b.avi", "C:\\F\\a.avi"}));
}

TEST(FolderExpansion, AFolderWithNothingPlayableIsDroppedForTheRun) {
    FolderRun run({"C:\\Empty", "C:\\a.avi", "C:\\Texts", "C:\\Locked", "C:\\b.avi"});
    run.fs.Add("C:\\Empty\\");
    run.fs.Add("C:\\Texts\\x.txt");
    run.fs.Add("C:\\Locked\\y.avi");
    run.fs.unreadable.insert("C:\\Locked");
    run.Start();
    EXPECT_EQ(run.Plays(3), (std::vector<std::string>{"C:\\a.avi", "C:\\b.avi", "C:\\a.avi"}));
    EXPECT_EQ(run.settings.GetCount(), 2u);
    // Only empty folders: the logo, as for a list of missing files.
    FolderRun empty({"C:\\Empty"});
    empty.fs.Add("C:\\Empty\\");
    empty.Start();
    EXPECT_EQ(empty.Next(), "<logo>");
}

TEST(FolderExpansion, AVanishedFolderStaysAnEntryForThePlayerToDrop) {
    FolderRun run({"C:\\Gone", "C:\\a.avi"});
    run.Start();
    EXPECT_EQ(run.Next(), "C:\\Gone");
    EXPECT_EQ(run.fs.lists, 0);
}

TEST(FolderExpansion, RandomOrderMixesEveryFileOfEveryEntry) {
    FolderRun run({"C:\\A", "C:\\x.avi", "C:\\B"}, true);
    for (const char* p : {"C:\\A\\1.avi", "C:\\A\\2.avi", "C:\\A\\3.avi", "C:\\B\\4.avi", "C:\\B\\5.avi"}) {
        run.fs.Add(p);
    }
    run.Start();
    for (int pass = 0; pass < 3; ++pass) {
        std::vector<std::string> plays = run.Plays(6);
        std::sort(plays.begin(), plays.end());
        EXPECT_EQ(plays, (std::vector<std::string>{"C:\\A\\1.avi", "C:\\A\\2.avi", "C:\\A\\3.avi",
                                                   "C:\\B\\4.avi", "C:\\B\\5.avi", "C:\\x.avi"}))
            << "pass " << pass;
    }
    // A single folder entry in random order still mixes its files.
    FolderRun one({"C:\\A"}, true);
    for (const char* p : {"C:\\A\\1.avi", "C:\\A\\2.avi", "C:\\A\\3.avi"}) one.fs.Add(p);
    one.Start();
    std::vector<std::string> plays = one.Plays(3);
    std::sort(plays.begin(), plays.end());
    EXPECT_EQ(plays, (std::vector<std::string>{"C:\\A\\1.avi", "C:\\A\\2.avi", "C:\\A\\3.avi"}));
}

TEST(FolderExpansion, EachFileTakesTheEntrysWayOfPlaying) {
    FolderRun run({"C:\\Clips"});
    run.fs.Add("C:\\Clips\\red.avi");
    run.fs.Add("C:\\Clips\\more\\green.mov");
    MediaItem& entry = *run.settings.GetItem(0);
    entry.Title = "Clips";  // the folder's own file-name title: Use Filename as Title
    entry.MCI = "PELORQT";
    entry.Loops = 2;
    entry.Scale = ScaleHalf;
    entry.Align = AlignLowerRight;
    entry.Bounce = 1;
    entry.Mute = 1;
    entry.LoopInfinite = 1;
    entry.TitleBefore = 0;
    entry.TitleMovie = 1;
    entry.SetFont("Arial", 700, 1);
    run.Start();
    run.Next();
    ASSERT_EQ(run.settings.GetCount(), 2u);
    const MediaItem& red = *run.settings.GetItem(0);
    const MediaItem& green = *run.settings.GetItem(1);
    EXPECT_EQ(red.File, "C:\\Clips\\red.avi");
    EXPECT_EQ(red.Title, "red");
    EXPECT_EQ(green.Title, "green");
    for (const MediaItem* item : {&red, &green}) {
        EXPECT_EQ(item->MCI, "PELORQT");
        EXPECT_EQ(item->Loops, 2u);
        EXPECT_EQ(item->Scale, ScaleHalf);
        EXPECT_EQ(item->Align, AlignLowerRight);
        EXPECT_EQ(item->Bounce, 1);
        EXPECT_EQ(item->Mute, 1);
        EXPECT_EQ(item->LoopInfinite, 1);
        EXPECT_EQ(item->TitleBefore, 0);
        EXPECT_EQ(item->TitleMovie, 1);
        EXPECT_STREQ(item->GetTitleFont().lfFaceName, "Arial");
        EXPECT_EQ(item->GetTitleFont().lfWeight, 700);
    }
    EXPECT_EQ(PlaylistSequencer::ChoosePlayer(green), PlayerKind::QuickTime);
    EXPECT_EQ(PlaylistSequencer::ChoosePlayer(red), PlayerKind::Mci);

    // A title of the user's own is every file's title.
    MediaItem custom;
    custom.File = "C:\\Clips";
    custom.Title = "Holiday";
    std::unique_ptr<MediaItem> item(FolderExpansion::ItemForFile(custom, "C:\\Clips\\red.avi"));
    EXPECT_EQ(item->Title, "Holiday");
    custom.Title.clear();
    item.reset(FolderExpansion::ItemForFile(custom, "C:\\Clips\\red.avi"));
    EXPECT_EQ(item->Title, "");
}

TEST(FolderExpansion, SkippingBackFromTheFirstItemReachesAFolderAtTheEnd) {
    FolderRun run({"C:\\a.avi", "C:\\F"});
    run.fs.Add("C:\\F\\1.avi");
    run.fs.Add("C:\\F\\2.avi");
    run.Start();
    EXPECT_EQ(run.Next(), "C:\\a.avi");
    run.sequencer.StepBack();
    run.sequencer.StepBack();
    EXPECT_EQ(run.Next(), "C:\\F\\1.avi");
    EXPECT_EQ(run.Plays(3), (std::vector<std::string>{"C:\\F\\2.avi", "C:\\a.avi", "C:\\F\\1.avi"}));
}

TEST(FolderExpansion, ADroppedFileLeavesTheNextFolderToExpandInPlace) {
    FolderRun run({"C:\\bad.avi", "C:\\F"});
    run.fs.Add("C:\\F\\1.avi");
    run.fs.Add("C:\\F\\2.avi");
    run.Start();
    EXPECT_EQ(run.Next(), "C:\\bad.avi");
    run.sequencer.DropCurrent();  // the player could not open it
    EXPECT_EQ(run.Plays(3), (std::vector<std::string>{"C:\\F\\1.avi", "C:\\F\\2.avi", "C:\\F\\1.avi"}));
    EXPECT_FALSE(run.folders.HasWork(run.sequencer.CurrentIndex()));
}

TEST(FolderExpansion, TenThousandFilesBecomeTenThousandItems) {
    FolderRun run({"C:\\Big"});
    for (int i = 0; i < 10000; ++i) run.fs.Add("C:\\Big\\clip" + std::to_string(100000 + i) + ".avi");
    run.Start();
    EXPECT_TRUE(run.folders.HasWork(run.sequencer.CurrentIndex()));
    EXPECT_EQ(run.Next(), "C:\\Big\\clip100000.avi");
    EXPECT_EQ(run.settings.GetCount(), 10000u);
    EXPECT_EQ(run.Next(), "C:\\Big\\clip100001.avi");
    EXPECT_FALSE(run.folders.HasWork(run.sequencer.CurrentIndex()));
}

}  // namespace
