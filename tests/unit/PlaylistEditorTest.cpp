// The configuration dialog's list-editing rules against an in-memory list:
// after every command the list and the settings' playlist agree, entry for
// entry, and the selection is the one the rules name.
#include <gtest/gtest.h>

#include <set>
#include <stdexcept>

#include "saver/dialogs/PlaylistEditor.h"
#include "saver/dialogs/PlaylistView.h"
#include "saver/settings/PlaylistFormat.h"
#include "saver/settings/SaverSettings.h"
#include "tests/support/MemoryByteStream.h"
#include "tests/support/MemoryProfileStore.h"

namespace {

class MemoryView : public PlaylistView {
public:
    uint32_t EntryCount() const override { return static_cast<uint32_t>(entries.size()); }
    std::string EntryText(uint32_t i) const override { return entries.at(i); }
    std::vector<uint32_t> SelectedEntries() const override {
        return std::vector<uint32_t>(selected.begin(), selected.end());
    }
    void SelectEntry(uint32_t i) override {
        ASSERT_LT(i, entries.size());
        selected.insert(i);
    }
    void SelectAllEntries() override {
        for (uint32_t i = 0; i < entries.size(); ++i) selected.insert(i);
    }
    void DeselectAll() override { selected.clear(); }
    bool AppendEntry(const std::string& text) override {
        if (entries.size() >= limit) return false;
        entries.push_back(text);
        return true;
    }
    void InsertEntry(uint32_t i, const std::string& text) override {
        ASSERT_LE(i, entries.size());
        ShiftSelection(i, +1);
        entries.insert(entries.begin() + i, text);
    }
    void DeleteEntry(uint32_t i) override {
        ASSERT_LT(i, entries.size());
        selected.erase(i);
        ShiftSelection(i, -1);
        entries.erase(entries.begin() + i);
    }
    void Reset(uint32_t) override {
        entries.clear();
        selected.clear();
        ++resets;
    }
    void BeginUpdate() override { ++depth; }
    void EndUpdate() override { --depth; }

    std::vector<std::string> entries;
    std::set<uint32_t> selected;
    int depth = 0;
    int resets = 0;
    size_t limit = SIZE_MAX;  // how many entries the list takes

private:
    // A list box moves the selection of later entries with them.
    void ShiftSelection(uint32_t from, int by) {
        std::set<uint32_t> moved;
        for (uint32_t s : selected) moved.insert(s >= from ? s + by : s);
        selected = moved;
    }
};

std::vector<std::string> Names(std::initializer_list<int> numbers) {
    std::vector<std::string> names;
    for (int n : numbers) names.push_back("C:\\f" + std::to_string(n) + ".avi");
    return names;
}

std::vector<std::string> Range(int count) {
    std::vector<std::string> names;
    for (int n = 0; n < count; ++n) names.push_back("C:\\f" + std::to_string(n) + ".avi");
    return names;
}

class Editing : public ::testing::Test {
protected:
    // A playlist of `count` items, shown, with `selection` selected.
    void Start(int count, std::initializer_list<uint32_t> selection = {}) {
        for (const std::string& name : Range(count)) {
            auto* item = new MediaItem();
            item->File = name;
            settings.AddItem(item);
        }
        editor.RefillPlaylistBox();
        for (uint32_t s : selection) view.SelectEntry(s);
    }
    std::vector<std::string> Items() const {
        std::vector<std::string> files;
        for (uint32_t i = 0; i < settings.GetCount(); ++i) files.push_back(settings.GetItem(i)->File);
        return files;
    }
    // The invariant every command keeps, and the view back at full redraw.
    void ExpectAgree() {
        EXPECT_EQ(view.entries, Items());
        EXPECT_EQ(view.depth, 0);
    }
    std::set<uint32_t> Selected() const { return view.selected; }

    MemoryProfileStore store;
    SaverSettings settings{store, nullptr};
    MemoryView view;
    PlaylistEditor editor{settings, view};
};

TEST_F(Editing, RefillShowsEveryFileInOrderWithNothingSelected) {
    Start(3, {0, 2});
    editor.RefillPlaylistBox();
    EXPECT_EQ(view.entries, Range(3));
    EXPECT_TRUE(Selected().empty());
    ExpectAgree();
}

TEST_F(Editing, AddSelectsExactlyTheNewEntries) {
    Start(2, {0});
    editor.Add({"C:\\new1.wav", "C:\\new2.avi", "C:\\new3.mid"});
    ASSERT_EQ(view.entries.size(), 5u);
    EXPECT_EQ(view.entries[4], "C:\\new3.mid");
    EXPECT_EQ(Selected(), (std::set<uint32_t>{2, 3, 4}));
    EXPECT_EQ(settings.GetItem(2)->Loops, 1u);  // a new item's defaults
    EXPECT_EQ(settings.GetItem(2)->TitleBefore, 1);
    ExpectAgree();

    editor.Add({});
    EXPECT_TRUE(Selected().empty());
    EXPECT_EQ(view.entries.size(), 5u);
}

// A dropped name as long as a path may be comes in whole; a longer one is
// neither tried as a playlist nor added, and the outcome names it.
TEST_F(Editing, DroppedNamesTooLongToOpenAreRefusedWhole) {
    const std::string longest = "C:\\" + std::string(PlaylistEditor::kMaxNameChars - 7, 'a') + ".avi";
    const std::string tooLong = "C:\\" + std::string(PlaylistEditor::kMaxNameChars - 6, 'b') + ".lst";
    ASSERT_EQ(longest.size(), 259u);
    ASSERT_EQ(tooLong.size(), 260u);
    std::vector<std::string> tried;
    const PlaylistEditor::DropOutcome outcome =
        editor.Drop({tooLong, longest, "C:\\m.wav"}, [&](const std::string& name) {
            tried.push_back(name);
            return PlaylistRead::NotAPlaylist;
        });
    EXPECT_EQ(outcome.tooLong, std::vector<std::string>{tooLong});
    EXPECT_EQ(tried, (std::vector<std::string>{longest, "C:\\m.wav"}));
    ASSERT_GE(view.entries.size(), 2u);
    EXPECT_EQ(view.entries[view.entries.size() - 2], longest);
    EXPECT_EQ(view.entries.back(), "C:\\m.wav");
    ExpectAgree();
}

TEST_F(Editing, DropAppendsMediaAndReplacesWithPlaylists) {
    struct Case {
        const char* name;
        int start;
        std::vector<std::string> dropped;
        std::vector<std::string> playlists;  // names taken as playlist files
        std::vector<std::string> expected;
        std::vector<std::string> notLoaded;
    };
    const std::vector<std::string> fromFile = {"C:\\p0.avi", "C:\\p1.avi"};
    const Case cases[] = {
        {"media onto two", 2, {"C:\\a.avi", "D:\\folder"}, {},
         {"C:\\f0.avi", "C:\\f1.avi", "C:\\a.avi", "D:\\folder"}, {}},
        {"playlist onto four", 4, {"C:\\x.lst"}, {"C:\\x.lst"}, fromFile, {}},
        {"playlist then media", 4, {"C:\\x.lst", "C:\\m.wav"}, {"C:\\x.lst"},
         {"C:\\p0.avi", "C:\\p1.avi", "C:\\m.wav"}, {}},
        {"media then playlist", 1, {"C:\\m.wav", "C:\\x.lst"}, {"C:\\x.lst"}, fromFile, {}},
        {"a playlist that is not one", 1, {"C:\\bad.lst"}, {}, {"C:\\f0.avi", "C:\\bad.lst"}, {}},
        {"a file that cannot be opened", 1, {"C:\\locked.lst"}, {}, {"C:\\f0.avi", "C:\\locked.lst"}, {}},
        // A playlist cut short or unreadable is neither loaded nor taken for
        // a movie; the drop goes on and names it.
        {"a damaged playlist among media", 2, {"C:\\m.wav", "C:\\cut.lst", "C:\\failing.lst", "C:\\n.wav"}, {},
         {"C:\\f0.avi", "C:\\f1.avi", "C:\\m.wav", "C:\\n.wav"}, {"C:\\cut.lst", "C:\\failing.lst"}},
        {"an empty name", 1, {"", "C:\\m.wav", ""}, {}, {"C:\\f0.avi", "C:\\m.wav"}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryProfileStore caseStore;
        SaverSettings caseSettings(caseStore, nullptr);
        MemoryView caseView;
        PlaylistEditor caseEditor(caseSettings, caseView);
        std::vector<std::string> start = Range(c.start);
        caseEditor.Add(start);
        auto tryLoad = [&](const std::string& name) {
            EXPECT_FALSE(name.empty());
            if (name == "C:\\cut.lst") return PlaylistRead::Damaged;
            if (name == "C:\\failing.lst") return PlaylistRead::Unreadable;
            if (name == "C:\\locked.lst") return PlaylistRead::NotOpened;
            for (const std::string& p : c.playlists) {
                if (p == name) {
                    caseSettings.Items().RemoveAll();
                    for (const std::string& file : fromFile) {
                        auto* item = new MediaItem();
                        item->File = file;
                        caseSettings.AddItem(item);
                    }
                    return PlaylistRead::Read;
                }
            }
            return PlaylistRead::NotAPlaylist;
        };
        const PlaylistEditor::DropOutcome outcome = caseEditor.Drop(c.dropped, tryLoad);
        EXPECT_EQ(outcome.notLoaded, c.notLoaded);
        EXPECT_FALSE(outcome.listFull);
        EXPECT_EQ(caseView.entries, c.expected);
        EXPECT_EQ(caseView.selected, (std::set<uint32_t>{static_cast<uint32_t>(c.expected.size() - 1)}));
        ASSERT_EQ(caseSettings.GetCount(), caseView.entries.size());
        for (uint32_t i = 0; i < caseSettings.GetCount(); ++i) {
            EXPECT_EQ(caseSettings.GetItem(i)->File, caseView.entries[i]);
        }
        EXPECT_EQ(caseView.depth, 0);
    }
}

TEST_F(Editing, RemoveSelectsTheEntryAboveTheFirstRemoved) {
    struct Case {
        const char* name;
        int count;
        std::initializer_list<uint32_t> selection;
        std::vector<std::string> expected;
        std::set<uint32_t> selectedAfter;
    };
    const Case cases[] = {
        {"2 and 4 of seven", 7, {2, 4}, Names({0, 1, 3, 5, 6}), {1}},
        {"0 of three", 3, {0}, Names({1, 2}), {0}},
        {"every entry", 4, {0, 1, 2, 3}, {}, {}},
        {"the last", 3, {2}, Names({0, 1}), {1}},
        {"a block at the top", 5, {0, 1, 2}, Names({3, 4}), {0}},
        {"nothing selected", 3, {}, Names({0, 1, 2}), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        settings.Items().RemoveAll();
        Start(c.count, c.selection);
        editor.Remove();
        EXPECT_EQ(view.entries, c.expected);
        EXPECT_EQ(Selected(), c.selectedAfter);
        ExpectAgree();
    }
}

TEST_F(Editing, MoveSelectionMovesEachSelectedEntryOnePlace) {
    struct Case {
        const char* name;
        int count;
        std::initializer_list<uint32_t> selection;
        int delta;
        std::vector<std::string> expected;
        std::set<uint32_t> selectedAfter;
    };
    const Case cases[] = {
        {"up 2 and 5 of seven", 7, {2, 5}, -1, Names({0, 2, 1, 3, 5, 4, 6}), {1, 4}},
        {"up 0 and 3: the top blocks", 7, {0, 3}, -1, Names({0, 1, 2, 3, 4, 5, 6}), {0, 3}},
        {"down the adjacent 2 and 3", 6, {2, 3}, +1, Names({0, 1, 4, 2, 3, 5}), {3, 4}},
        {"down a block at the bottom", 5, {3, 4}, +1, Names({0, 1, 2, 3, 4}), {3, 4}},
        {"up a block of three", 5, {2, 3, 4}, -1, Names({0, 2, 3, 4, 1}), {1, 2, 3}},
        {"down with gaps", 6, {0, 2, 4}, +1, Names({1, 0, 3, 2, 5, 4}), {1, 3, 5}},
        {"up with nothing selected", 3, {}, -1, Names({0, 1, 2}), {}},
        {"up the last of two", 2, {1}, -1, Names({1, 0}), {0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        settings.Items().RemoveAll();
        Start(c.count, c.selection);
        editor.MoveSelection(c.delta);
        EXPECT_EQ(view.entries, c.expected);
        EXPECT_EQ(Selected(), c.selectedAfter);
        ExpectAgree();
    }
}

TEST_F(Editing, ManyMovedEntriesGiveTheSameResultThroughOneRefill) {
    // Every other entry of 40, up and then down again: the long path refills
    // once per move and ends where moving entry by entry would.
    std::initializer_list<uint32_t> odd = {1, 3, 5, 7, 9, 11, 13, 15, 17, 19,
                                           21, 23, 25, 27, 29, 31, 33, 35, 37, 39};
    Start(40, odd);
    const int resetsBefore = view.resets;
    editor.MoveSelection(-1);
    EXPECT_EQ(view.resets, resetsBefore + 1);
    std::vector<std::string> expected = Range(40);
    for (size_t i = 1; i < 40; i += 2) std::swap(expected[i], expected[i - 1]);
    EXPECT_EQ(view.entries, expected);
    std::set<uint32_t> even;
    for (uint32_t i = 0; i < 40; i += 2) even.insert(i);
    EXPECT_EQ(Selected(), even);
    ExpectAgree();

    editor.MoveSelection(+1);
    EXPECT_EQ(view.entries, Range(40));
    EXPECT_EQ(Selected(), std::set<uint32_t>(odd));
    ExpectAgree();
}

TEST_F(Editing, SelectAllAndCopyBack) {
    Start(3);
    editor.SelectAll();
    EXPECT_EQ(Selected(), (std::set<uint32_t>{0, 1, 2}));
    view.entries[1] = "C:\\renamed.avi";
    editor.CopyEntriesToItems();
    EXPECT_EQ(settings.GetItem(1)->File, "C:\\renamed.avi");
}

// A file whose reads fail after `failAt` bytes, as a disk error would.
class FailingStream : public MemoryByteStream {
public:
    FailingStream(std::vector<uint8_t> bytes, size_t failAt)
        : MemoryByteStream(std::move(bytes), 1), failAt_(failAt) {}

protected:
    uint32_t ReadRaw(void* buffer, uint32_t size) override {
        if (ReadPosition() >= failAt_) throw std::runtime_error("read failed");
        return MemoryByteStream::ReadRaw(buffer, size);
    }

private:
    size_t failAt_;
};

// The list is replaced only by a playlist read whole: a read that fails, or
// a file cut anywhere after its signature, leaves list and view as they were.
TEST_F(Editing, APlaylistThatFailsOrIsCutLeavesTheListAsItWas) {
    MemoryProfileStore otherStore;
    SaverSettings other(otherStore, nullptr);
    for (const std::string& name : Names({7, 8, 9})) {
        auto* item = new MediaItem();
        item->File = name;
        other.AddItem(item);
    }
    MemoryByteStream written;
    other.WritePlaylist(written);
    const std::vector<uint8_t> bytes = written.Bytes();

    struct Case {
        const char* name;
        size_t failAt;
        PlaylistRead result;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"whole file", SIZE_MAX, PlaylistRead::Read, Names({7, 8, 9})},
        {"fails in the signature", 4, PlaylistRead::Unreadable, Names({0, 1})},
        {"fails in the second record", 12 + 89 + 10, PlaylistRead::Unreadable, Names({0, 1})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        settings.Items().RemoveAll();
        Start(2, {1});
        FailingStream file(bytes, c.failAt);
        const PlaylistRead result = editor.ReadPlaylist(file);
        EXPECT_EQ(result, c.result);
        if (result == PlaylistRead::Read) editor.RefillPlaylistBox();
        EXPECT_EQ(view.entries, c.expected);
        ExpectAgree();
    }
    for (size_t length = playlist::kSignatureLength; length < bytes.size(); ++length) {
        SCOPED_TRACE("cut at " + std::to_string(length));
        settings.Items().RemoveAll();
        Start(2, {1});
        MemoryByteStream cut(std::vector<uint8_t>(bytes.begin(), bytes.begin() + static_cast<long>(length)));
        EXPECT_EQ(editor.ReadPlaylist(cut), PlaylistRead::Damaged);
        EXPECT_EQ(Items(), Range(2));
        ExpectAgree();
    }

    settings.Items().RemoveAll();
    Start(2);
    MemoryByteStream text(std::vector<uint8_t>{'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd'});
    EXPECT_EQ(editor.ReadPlaylist(text), PlaylistRead::NotAPlaylist);
    EXPECT_EQ(Items(), Range(2));
}

// A list box takes only so many entries (32,767 on Windows 95): what it
// refuses is refused for the playlist as well, and the two stay together.
TEST_F(Editing, EntriesTheViewRefusesAreNotInThePlaylistEither) {
    Start(2);
    view.limit = 4;
    EXPECT_FALSE(editor.Add({"C:\\a.avi", "C:\\b.avi", "C:\\c.avi"}));
    EXPECT_EQ(Items(), (std::vector<std::string>{"C:\\f0.avi", "C:\\f1.avi", "C:\\a.avi", "C:\\b.avi"}));
    ExpectAgree();
    EXPECT_TRUE(editor.Add({}));

    const PlaylistEditor::DropOutcome outcome =
        editor.Drop({"C:\\d.avi"}, [](const std::string&) { return PlaylistRead::NotAPlaylist; });
    EXPECT_TRUE(outcome.listFull);
    EXPECT_EQ(settings.GetCount(), 4u);
    ExpectAgree();

    // A refill with more items than the view takes keeps the ones shown.
    for (const std::string& name : Names({5, 6})) {
        auto* item = new MediaItem();
        item->File = name;
        settings.AddItem(item);
    }
    EXPECT_FALSE(editor.RefillPlaylistBox());
    EXPECT_EQ(settings.GetCount(), 4u);
    ExpectAgree();
}

}  // namespace
