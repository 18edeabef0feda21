// The settings window in this process, control by control: what it shows
// from the registry, the commands on its real list box, playlist files good,
// damaged and unwritable, and what OK and Cancel leave in the registry.
#include <gtest/gtest.h>

#include "framework/Win32.h"

#include <shlobj.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "saver/dialogs/ConfigDialog.h"
#include "framework/File.h"
#include "framework/WinApp.h"
#include "saver/resources/resource.h"
#include "saver/settings/SaverSettings.h"
#include "tests/win/support/DialogWatcher.h"
#include "tests/win/support/TestRegistry.h"

namespace {

const char kCompany[] = "Pelorama Tests";
const char kApp[] = "ConfigDialogTest";

std::string TempPath(const char* name) {
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + name;
}

class ConfigWin : public ::testing::Test {
protected:
    ConfigWin() : key_(HKEY_CURRENT_USER, std::string("Software\\") + kCompany + "\\" + kApp) {
        app_.SetRegistryKey(kCompany);
        // A catalogue that was read already: no device scan at start.
        RegistryKey mci = key_.Open("MCI");
        mci.SetDword("AttemptMCI", 1);
        mci.SetDword("ReadMCI", 1);
        mci.SetDword("NumDevices", 0);
        SaverSettings stored(app_.Profile(), nullptr);
        stored.Mute = 1;
        stored.Titles = 1;
        stored.Scale = ScaleFullScreen;
        stored.Letterbox = 0;
        for (const char* file : {"C:\\m\\a.avi", "C:\\m\\b.avi", "C:\\m\\c.avi"}) {
            auto item = std::make_unique<MediaItem>();
            item->File = file;
            if (stored.AddItem(item.get()) >= 0) item.release();
        }
        stored.Save();
    }
    ~ConfigWin() override {
        if (dialog_ && dialog_->GetSafeHwnd() != nullptr) DestroyWindow(dialog_->GetSafeHwnd());
    }

    ConfigDialog& Open() {
        dialog_ = std::make_unique<ConfigDialog>(nullptr);
        EXPECT_TRUE(dialog_->Create());
        return *dialog_;
    }
    HWND List() const { return GetDlgItem(dialog_->GetSafeHwnd(), IDC_PLAYLIST); }
    // The entries, "* " before the selected ones.
    std::vector<std::string> Entries() const {
        std::vector<std::string> out;
        const LRESULT count = SendMessageA(List(), LB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            char text[512] = {};
            SendMessageA(List(), LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
            out.push_back((SendMessageA(List(), LB_GETSEL, static_cast<WPARAM>(i), 0) > 0 ? "* " : "  ") +
                          std::string(text));
        }
        return out;
    }
    void Select(int index) { SendMessageA(List(), LB_SETSEL, TRUE, index); }
    void Press(int id) {
        SendMessageA(dialog_->GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog_->GetSafeHwnd(), id)));
    }
    LRESULT Checked(int id) const { return SendDlgItemMessageA(dialog_->GetSafeHwnd(), id, BM_GETCHECK, 0, 0); }
    RegistryKey Config() const { return key_.Open("Config"); }
    // The list box and the playlist agree entry for entry.
    void ExpectListMatchesPlaylist() {
        const std::vector<std::string> entries = Entries();
        ASSERT_EQ(entries.size(), dialog_->settings.GetCount());
        for (uint32_t i = 0; i < entries.size(); ++i) {
            EXPECT_EQ(entries[i].substr(2), dialog_->settings.GetItem(i)->File) << "entry " << i;
        }
    }

    CWinApp app_{kApp};
    ScratchKey key_;
    std::unique_ptr<ConfigDialog> dialog_;
};

// What the shell hands a window when files are dropped on it: a DROPFILES
// block with the names one after another, ANSI, ending in an empty one.
HGLOBAL DropOf(const std::vector<std::string>& names) {
    size_t bytes = sizeof(DROPFILES) + 1;
    for (const std::string& name : names) bytes += name.size() + 1;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = FALSE;
    char* at = reinterpret_cast<char*>(drop) + sizeof(DROPFILES);
    for (const std::string& name : names) {
        std::memcpy(at, name.c_str(), name.size() + 1);
        at += name.size() + 1;
    }
    GlobalUnlock(memory);
    return memory;
}

TEST_F(ConfigWin, ShowsTheStoredListAndOptions) {
    ConfigDialog& dialog = Open();
    EXPECT_EQ(Entries(), (std::vector<std::string>{"  C:\\m\\a.avi", "  C:\\m\\b.avi", "  C:\\m\\c.avi"}));
    EXPECT_EQ(Checked(IDC_MUTE), BST_CHECKED);
    EXPECT_EQ(Checked(IDC_RANDOM), BST_UNCHECKED);
    EXPECT_EQ(Checked(IDC_TITLES), BST_CHECKED);
    EXPECT_EQ(Checked(IDC_LETTERBOX), BST_UNCHECKED);
    EXPECT_EQ(SendDlgItemMessageA(dialog.GetSafeHwnd(), IDC_SCALE, CB_GETCURSEL, 0, 0), 4);
    EXPECT_EQ(SendDlgItemMessageA(dialog.GetSafeHwnd(), IDC_SCALE, CB_GETCOUNT, 0, 0), 8);
    char keys[512] = {};
    GetDlgItemTextA(dialog.GetSafeHwnd(), IDC_KEYS_TEXT, keys, sizeof keys);
    EXPECT_EQ(std::string(keys), app_.LoadString(IDS_KEYS_SKIP));
}

TEST_F(ConfigWin, ListButtonsMoveRemoveAndSelect) {
    Open();
    Select(0);
    Select(2);
    Press(IDC_DOWN);  // c stands at the bottom: nothing moves
    EXPECT_EQ(Entries(), (std::vector<std::string>{"* C:\\m\\a.avi", "  C:\\m\\b.avi", "* C:\\m\\c.avi"}));
    SendMessageA(List(), LB_SETSEL, FALSE, 2);
    Press(IDC_DOWN);
    EXPECT_EQ(Entries(), (std::vector<std::string>{"  C:\\m\\b.avi", "* C:\\m\\a.avi", "  C:\\m\\c.avi"}));
    ExpectListMatchesPlaylist();
    Press(IDC_REMOVE);
    EXPECT_EQ(Entries(), (std::vector<std::string>{"* C:\\m\\b.avi", "  C:\\m\\c.avi"}));
    ExpectListMatchesPlaylist();
    Press(IDC_SELECT_ALL);
    EXPECT_EQ(Entries(), (std::vector<std::string>{"* C:\\m\\b.avi", "* C:\\m\\c.avi"}));
}

TEST_F(ConfigWin, NotAPlaylistKeepsTheListAndADamagedOneKeepsBoxAndListTogether) {
    ConfigDialog& dialog = Open();
    const std::string text = TempPath("pelor-notes.lst");
    std::ofstream(text, std::ios::binary) << "just some notes\n";
    EXPECT_FALSE(dialog.TryLoadPlaylist(text));
    EXPECT_EQ(dialog.settings.GetCount(), 3u);
    ExpectListMatchesPlaylist();

    // A good file cut short after its signature and first item.
    const std::string good = TempPath("pelor-good.lst");
    ASSERT_TRUE(dialog.SavePlaylistTo(good));
    std::ifstream in(good, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    const std::string cut = TempPath("pelor-cut.lst");
    std::ofstream(cut, std::ios::binary) << bytes.substr(0, bytes.size() * 2 / 3);
    Press(IDC_SELECT_ALL);
    Press(IDC_REMOVE);
    ASSERT_EQ(dialog.settings.GetCount(), 0u);
    if (dialog.TryLoadPlaylist(cut)) dialog.RefillPlaylistBox();
    ExpectListMatchesPlaylist();
    EXPECT_GE(dialog.settings.GetCount(), 1u);
    EXPECT_LT(dialog.settings.GetCount(), 3u);
    // Still usable: the full file gives the three items back.
    ASSERT_TRUE(dialog.TryLoadPlaylist(good));
    dialog.RefillPlaylistBox();
    ExpectListMatchesPlaylist();
    EXPECT_EQ(dialog.settings.GetCount(), 3u);
    std::remove(text.c_str());
    std::remove(good.c_str());
    std::remove(cut.c_str());
}

TEST_F(ConfigWin, DroppedFilesBecomeEntriesAndADroppedPlaylistReplacesTheList) {
    ConfigDialog& dialog = Open();
    const std::string saved = TempPath("pelor-dropped.lst");
    ASSERT_TRUE(dialog.SavePlaylistTo(saved));  // a, b, c
    Select(0);
    Press(IDC_REMOVE);
    // Two media files: both appended, only the last one selected. A name
    // longer than the 255-character buffer arrives cut to 254 characters.
    const std::string longName = "C:\\" + std::string(300, 'x') + ".avi";
    SendMessageA(dialog.GetSafeHwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf({"C:\\m\\d.avi", longName})), 0);
    EXPECT_EQ(Entries(), (std::vector<std::string>{"  C:\\m\\b.avi", "  C:\\m\\c.avi", "  C:\\m\\d.avi",
                                                   "* " + longName.substr(0, 254)}));
    ExpectListMatchesPlaylist();
    // A playlist file among them replaces the list; what follows it is added.
    SendMessageA(dialog.GetSafeHwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf({saved, "C:\\m\\e.avi"})), 0);
    EXPECT_EQ(Entries(), (std::vector<std::string>{"  C:\\m\\a.avi", "  C:\\m\\b.avi", "  C:\\m\\c.avi",
                                                   "* C:\\m\\e.avi"}));
    ExpectListMatchesPlaylist();
    std::remove(saved.c_str());
    // A folder is one entry, as any name that is not a playlist.
    const std::string folder = TempPath("pelor-dropped-folder");
    CreateDirectoryA(folder.c_str(), nullptr);
    SendMessageA(dialog.GetSafeHwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf({folder})), 0);
    EXPECT_EQ(Entries().size(), 5u);
    EXPECT_EQ(Entries().back(), "* " + folder);
    ExpectListMatchesPlaylist();
    RemoveDirectoryA(folder.c_str());
}

TEST_F(ConfigWin, AddFolderOpensTheBrowserAtTheSelectedEntrysFolderAndAddsOneEntry) {
    const std::string folder = TempPath("pelor-add-folder");
    CreateDirectoryA(folder.c_str(), nullptr);
    ConfigDialog& dialog = Open();
    // The selected entry's file lies in the folder: the browser opens there,
    // and OK takes it.
    dialog.AddFiles({folder + "\\clip.avi"});
    {
        DialogWatcher browser(IDOK, "Browse for Folder");
        Press(IDC_ADD_FOLDER);
        ASSERT_EQ(browser.seen().size(), 1u);
    }
    EXPECT_EQ(Entries(), (std::vector<std::string>{"  C:\\m\\a.avi", "  C:\\m\\b.avi", "  C:\\m\\c.avi",
                                                   "  " + folder + "\\clip.avi", "* " + folder}));
    ExpectListMatchesPlaylist();
    // Cancel adds nothing.
    {
        DialogWatcher browser(IDCANCEL, "Browse for Folder");
        Press(IDC_ADD_FOLDER);
        ASSERT_EQ(browser.seen().size(), 1u);
    }
    EXPECT_EQ(Entries().size(), 5u);
    RemoveDirectoryA(folder.c_str());
}

TEST_F(ConfigWin, SavingWhereNothingCanBeWrittenChangesNothing) {
    ConfigDialog& dialog = Open();
    DialogWatcher boxes;
    EXPECT_FALSE(dialog.SavePlaylistTo("Q:\\no\\such\\folder\\list.lst"));
    EXPECT_TRUE(boxes.seen().empty());
    ExpectListMatchesPlaylist();
    EXPECT_EQ(dialog.settings.GetCount(), 3u);
}

TEST_F(ConfigWin, TheErrorBoxSaysNotAPlaylist) {
    ConfigDialog& dialog = Open();
    DialogWatcher boxes(IDOK, "Error");
    dialog.ShowErrorMessage(IDS_NOT_A_PLAYLIST);
    const auto seen = boxes.seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_NE(seen[0].text.find("The file you have selected is not a playlist."), std::string::npos);
}

TEST_F(ConfigWin, OkStoresTheEditsAndCancelStoresNothing) {
    Open();
    Select(1);
    Press(IDC_REMOVE);
    SendDlgItemMessageA(dialog_->GetSafeHwnd(), IDC_RANDOM, BM_SETCHECK, BST_CHECKED, 0);
    Press(IDCANCEL);
    EXPECT_EQ(Config().GetDword("NumAVI", 0), 3u);
    EXPECT_EQ(Config().GetDword("Random", 9), 0u);

    Open();
    Select(1);
    Press(IDC_REMOVE);
    SendDlgItemMessageA(dialog_->GetSafeHwnd(), IDC_RANDOM, BM_SETCHECK, BST_CHECKED, 0);
    Press(IDOK);
    EXPECT_EQ(Config().GetDword("NumAVI", 0), 2u);
    EXPECT_EQ(Config().GetString("AVI1.File", ""), "C:\\m\\c.avi");
    EXPECT_EQ(Config().GetDword("Random", 9), 1u);
}

}  // namespace
