// The settings window in this process, control by control: what it shows
// from the registry, the commands on its real list box, playlist files good,
// damaged and unwritable, and what OK and Cancel leave in the registry.
#include <gtest/gtest.h>

#include "framework/Win32.h"

#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <stdexcept>
#include <memory>
#include <string>
#include <vector>

#include "saver/dialogs/ConfigDialog.h"
#include "framework/File.h"
#include "framework/WinApp.h"
#include "saver/resources/resource.h"
#include "framework/RegistryProfile.h"
#include "saver/settings/SaverSettings.h"
#include "tests/support/RefusingProfileStore.h"
#include "tests/win/support/DialogScript.h"
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
    // Every value of the "Config" section: name, type and bytes.
    std::map<std::string, std::string> ConfigValues() const {
        std::map<std::string, std::string> values;
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, (key_.path() + "\\Config").c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
            return values;
        }
        for (DWORD i = 0;; ++i) {
            char name[512] = {};
            BYTE data[4096] = {};
            DWORD nameLength = sizeof name;
            DWORD dataLength = sizeof data;
            DWORD type = 0;
            if (RegEnumValueA(key, i, name, &nameLength, nullptr, &type, data, &dataLength) != ERROR_SUCCESS) break;
            values[name] = std::to_string(type) + ":" + std::string(reinterpret_cast<char*>(data), dataLength);
        }
        RegCloseKey(key);
        return values;
    }
    // Writes `settings`' list as a playlist file at `path`.
    static void WriteList(const std::vector<std::string>& files, const std::string& path) {
        CWinApp* app = CWinApp::Get();
        SaverSettings list(app->Profile(), nullptr);
        for (const std::string& file : files) {
            auto item = std::make_unique<MediaItem>();
            item->File = file;
            if (list.AddItem(item.get()) >= 0) item.release();
        }
        CFile out;
        ASSERT_TRUE(out.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite));
        list.WritePlaylist(out);
        out.Close();
    }
    static std::string FileBytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
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
    EXPECT_EQ(std::string(keys), app_.LoadString(IDS_NT_NO_KEYS));
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
    EXPECT_EQ(dialog.TryLoadPlaylist(text), PlaylistRead::NotAPlaylist);
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
    Select(1);
    Press(IDC_REMOVE);
    ASSERT_EQ(dialog.settings.GetCount(), 2u);
    // A playlist cut short replaces nothing: the two entries stay.
    EXPECT_EQ(dialog.TryLoadPlaylist(cut), PlaylistRead::Damaged);
    ExpectListMatchesPlaylist();
    EXPECT_EQ(dialog.settings.GetCount(), 2u);
    // Still usable: the full file gives the three items back.
    ASSERT_EQ(dialog.TryLoadPlaylist(good), PlaylistRead::Read);
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
    // as long as a full path may be arrives whole.
    const std::string longName = "C:\\" + std::string(252, 'x') + ".avi";
    SendMessageA(dialog.GetSafeHwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf({"C:\\m\\d.avi", longName})), 0);
    EXPECT_EQ(Entries(), (std::vector<std::string>{"  C:\\m\\b.avi", "  C:\\m\\c.avi", "  C:\\m\\d.avi",
                                                   "* " + longName}));
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
    SendMessageA(dialog.GetSafeHwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf({folder + "\\clip.avi"})), 0);
    Select(3);
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

// Where no new file can be made (a missing folder; a folder whose name
// leaves no room for the new file's) the box names the file and nothing
// else changes.
TEST_F(ConfigWin, SavingWhereNothingCanBeWrittenChangesNothing) {
    ConfigDialog& dialog = Open();
    std::string deep = TempPath("pelor-deep");
    CreateDirectoryA(deep.c_str(), nullptr);
    std::vector<std::string> made = {deep};
    while (deep.size() < 240) {
        deep += "\\" + std::string(std::min<size_t>(40, 247 - deep.size()), 'd');
        ASSERT_TRUE(CreateDirectoryA(deep.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS) << deep.size();
        made.push_back(deep);
    }
    for (const std::string& path : {std::string("Q:\\no\\such\\folder\\list.lst"), deep + "\\a.lst"}) {
        DialogWatcher boxes(IDOK, "Error");
        EXPECT_FALSE(dialog.SavePlaylistTo(path));
        const auto seen = boxes.seen();
        ASSERT_EQ(seen.size(), 1u) << path.size();
        EXPECT_NE(seen[0].text.find(path), std::string::npos);
        EXPECT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
    }
    ExpectListMatchesPlaylist();
    EXPECT_EQ(dialog.settings.GetCount(), 3u);
    for (auto it = made.rbegin(); it != made.rend(); ++it) RemoveDirectoryA(it->c_str());
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

// Cancel after each kind of edit leaves the stored settings byte for byte.
TEST_F(ConfigWin, CancelAfterAnyEditLeavesTheConfigSectionByteForByte) {
    const std::map<std::string, std::string> before = ConfigValues();
    ASSERT_FALSE(before.empty());
    ConfigDialog& dialog = Open();

    Select(0);
    {
        DialogScript properties({{"Properties", "", {{IDC_PROP_LOOPS, "5"}}, IDOK}});
        Press(IDC_PROPERTIES);
        EXPECT_TRUE(properties.Join());
    }
    EXPECT_EQ(dialog.settings.GetItem(0)->Loops, 5u);
    {
        DialogScript power({{"Power Settings", "", {{IDC_DELAY_MINUTES, "7"}}, IDOK}});
        Press(IDC_POWER_SETTINGS);
        EXPECT_TRUE(power.Join());
    }
    EXPECT_EQ(dialog.settings.DelayMinutes, 7u);
    {
        DialogWatcher bounce(IDOK, "Bounce Speed");
        Press(IDC_BOUNCE_SPEED);
        EXPECT_EQ(bounce.seen().size(), 1u);
    }
    const std::string saved = TempPath("pelor-cancel.lst");
    WriteList({"C:\\m\\x.avi", "C:\\m\\y.avi"}, saved);
    ASSERT_EQ(dialog.TryLoadPlaylist(saved), PlaylistRead::Read);
    dialog.RefillPlaylistBox();
    SendMessageA(dialog.GetSafeHwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf({"C:\\m\\z.avi"})), 0);
    ExpectListMatchesPlaylist();
    EXPECT_EQ(dialog.settings.GetCount(), 3u);
    // Add, through the system's open dialog (its file name field is an edit
    // or a combo box, depending on the system).
    const std::string added = TempPath("pelor-cancel-add.avi");
    std::ofstream(added, std::ios::binary) << "RIFF";
    {
        DialogScript open({{"Open", "", {{0x480, added}, {0x47c, added}}, IDOK}});
        Press(IDC_ADD);
        EXPECT_TRUE(open.Join());
    }
    ASSERT_EQ(dialog.settings.GetCount(), 4u);
    EXPECT_EQ(dialog.settings.GetItem(3)->File, added);
    ExpectListMatchesPlaylist();

    Press(IDCANCEL);
    EXPECT_EQ(ConfigValues(), before);
    std::remove(saved.c_str());
    std::remove(added.c_str());
}

// OK in Bounce Speed without moving the slider keeps the stored speed (the
// scale's round trip would give one less each time); Cancel in either
// option dialog keeps what was there.
TEST_F(ConfigWin, OptionDialogsKeepTheValueUnlessChanged) {
    ConfigDialog& dialog = Open();
    for (uint32_t speed : {100u, 459u, 1000u, 1u}) {
        dialog.settings.BounceSpeed = speed;
        DialogWatcher bounce(IDOK, "Bounce Speed");
        Press(IDC_BOUNCE_SPEED);
        EXPECT_EQ(bounce.seen().size(), 1u);
        EXPECT_EQ(dialog.settings.BounceSpeed, speed);
    }
    {
        DialogWatcher bounce(IDCANCEL, "Bounce Speed");
        Press(IDC_BOUNCE_SPEED);
    }
    EXPECT_EQ(dialog.settings.BounceSpeed, 1u);
    dialog.settings.DelayMinutes = 12;
    {
        DialogScript power({{"Power Settings", "", {{IDC_DELAY_MINUTES, "30"}}, IDCANCEL}});
        Press(IDC_POWER_SETTINGS);
        EXPECT_TRUE(power.Join());
    }
    EXPECT_EQ(dialog.settings.DelayMinutes, 12u);
}

// Damaged stored values: the window shows them as the saver acts on them
// (a Mute of 5 is on) and OK without a change stores them as they were.
TEST_F(ConfigWin, OkWithoutAChangeKeepsDamagedValues) {
    Config().SetDword("Scale", 99);
    Config().SetDword("Mute", 5);
    Config().SetDword("DelayMinutes", 0);
    Config().SetDword("AVI0.TitleBefore", 5);
    Open();
    EXPECT_EQ(Checked(IDC_MUTE), BST_CHECKED);
    EXPECT_EQ(SendDlgItemMessageA(dialog_->GetSafeHwnd(), IDC_SCALE, CB_GETCURSEL, 0, 0), CB_ERR);
    Select(0);
    {
        DialogWatcher properties(IDOK, "Properties");
        Press(IDC_PROPERTIES);
        EXPECT_EQ(properties.seen().size(), 1u);
    }
    Press(IDOK);
    EXPECT_EQ(Config().GetDword("Scale", 0), 99u);
    EXPECT_EQ(Config().GetDword("Mute", 0), 5u);
    EXPECT_EQ(Config().GetDword("DelayMinutes", 9), 0u);
    EXPECT_EQ(Config().GetDword("AVI0.TitleBefore", 0), 5u);
}

// "Other monitors:" lists the four choices and shows the stored one; a
// number it does not know, or a text, shows as black and stays as stored
// through OK until another choice is made; Cancel stores nothing.
TEST_F(ConfigWin, OtherMonitorsShowsTheStoredChoiceAndStoresOnlyAChange) {
    auto combo = [this] { return GetDlgItem(dialog_->GetSafeHwnd(), IDC_MONITORS); };
    auto shown = [&] { return SendMessageA(combo(), CB_GETCURSEL, 0, 0); };
    auto choose = [&](int index) { SendMessageA(combo(), CB_SETCURSEL, static_cast<WPARAM>(index), 0); };

    Open();
    char label[64] = {};
    GetDlgItemTextA(dialog_->GetSafeHwnd(), IDC_MONITORS_LABEL, label, sizeof label);
    EXPECT_STREQ(label, "Ot&her monitors:");
    std::vector<std::string> choices;
    for (LRESULT i = 0; i < SendMessageA(combo(), CB_GETCOUNT, 0, 0); ++i) {
        char text[64] = {};
        SendMessageA(combo(), CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        choices.push_back(text);
    }
    EXPECT_EQ(choices, (std::vector<std::string>{"Black", "Each its own movies", "The same movie", "One movie across all"}));
    EXPECT_EQ(shown(), 0) << "nothing stored";
    Press(IDOK);
    EXPECT_EQ(Config().GetDword("Monitors", 99), 99u) << "OK without a change writes no Monitors";

    for (uint32_t stored : {1u, 2u, 3u, 0u}) {
        Config().SetDword("Monitors", stored);
        Open();
        EXPECT_EQ(shown(), static_cast<LRESULT>(stored));
        Press(IDCANCEL);
    }

    Config().SetDword("Monitors", 7);
    Open();
    EXPECT_EQ(shown(), 0) << "7 shows as black";
    Press(IDOK);
    EXPECT_EQ(Config().GetDword("Monitors", 0), 7u);
    Open();
    choose(3);
    Press(IDCANCEL);
    EXPECT_EQ(Config().GetDword("Monitors", 0), 7u) << "Cancel leaves it";
    Open();
    choose(3);
    Press(IDOK);
    EXPECT_EQ(Config().GetDword("Monitors", 0), 3u);
    Open();
    EXPECT_EQ(shown(), 3);
    choose(0);
    Press(IDOK);
    EXPECT_EQ(Config().GetDword("Monitors", 9), 0u);

    Config().SetString("Monitors", "two");
    Open();
    EXPECT_EQ(shown(), 0) << "a text shows as black";
    Press(IDOK);
    EXPECT_EQ(Config().GetString("Monitors", ""), "two");
    Open();
    choose(1);
    Press(IDOK);
    EXPECT_EQ(Config().GetDword("Monitors", 0), 1u);
}

// In the window's own font: the label and each choice fit where they stand,
// and the row lies inside the Global Options group, above the texts below it.
TEST_F(ConfigWin, OtherMonitorsFitsInsideTheGroup) {
    ConfigDialog& dialog = Open();
    HWND window = dialog.GetSafeHwnd();
    auto rectOf = [window](HWND control) {
        RECT r{};
        GetWindowRect(control, &r);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
        return r;
    };
    HWND group = nullptr;
    HWND below = nullptr;
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        char text[128] = {};
        GetWindowTextA(child, text, sizeof text);
        if (std::strcmp(text, "Global Options") == 0) group = child;
        if (std::strncmp(text, "Be sure", 7) == 0) below = child;
    }
    ASSERT_NE(group, nullptr);
    ASSERT_NE(below, nullptr);
    HWND label = GetDlgItem(window, IDC_MONITORS_LABEL);
    HWND combo = GetDlgItem(window, IDC_MONITORS);
    HDC dc = GetDC(window);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(window, WM_GETFONT, 0, 0)));
    auto widthOf = [dc](const char* text) {
        RECT r{0, 0, 0, 0};
        DrawTextA(dc, text, -1, &r, DT_CALCRECT | DT_SINGLELINE);
        return r.right;
    };
    const RECT labelRect = rectOf(label);
    const RECT comboRect = rectOf(combo);
    EXPECT_LE(widthOf("Ot&her monitors:"), labelRect.right - labelRect.left);
    EXPECT_LE(labelRect.right, comboRect.left);
    // The field shows its text between its border and the arrow button.
    const int room = comboRect.right - comboRect.left - GetSystemMetrics(SM_CXVSCROLL) - 2 * GetSystemMetrics(SM_CXEDGE) - 2;
    for (unsigned id = IDS_MONITORS_BLACK; id <= IDS_MONITORS_SPANNED; ++id) {
        const std::string text = app_.LoadString(id);
        EXPECT_LE(widthOf(text.c_str()), room) << text;
    }
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    const RECT groupRect = rectOf(group);
    const RECT belowRect = rectOf(below);
    const RECT scale = rectOf(GetDlgItem(window, IDC_SCALE));
    const RECT titles = rectOf(GetDlgItem(window, IDC_TITLES));
    EXPECT_GT(comboRect.top, std::max(scale.bottom, titles.bottom));
    EXPECT_LT(comboRect.bottom, groupRect.bottom);
    EXPECT_LE(groupRect.bottom, belowRect.top);
    EXPECT_GT(comboRect.left, groupRect.left);
    EXPECT_LT(comboRect.right, groupRect.right);
}

// A window of the tests' own whose handler throws on WM_APP.
class ThrowingConfig : public ConfigDialog {
public:
    ThrowingConfig() : ConfigDialog(nullptr) {}

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_APP) throw std::runtime_error("a handler failed");
        return ConfigDialog::WindowProc(message, wParam, lParam);
    }
};

// OK where the registry refuses a value (one title over what a Windows 95
// value holds): the box names the entry, the stored values stay as they
// were to the byte, and the window stays open with its edits for a second OK.
TEST_F(ConfigWin, OkThatTheRegistryRefusesKeepsTheStoredListAndTheWindow) {
    const std::map<std::string, std::string> before = ConfigValues();
    app_.SetProfile(std::make_unique<RefusingProfileStore>(std::make_unique<RegistryProfileStore>(kCompany, kApp), 16300));
    ConfigDialog& dialog = Open();
    HWND window = dialog.GetSafeHwnd();
    Select(0);
    Press(IDC_REMOVE);
    SendDlgItemMessageA(window, IDC_RANDOM, BM_SETCHECK, BST_CHECKED, 0);
    dialog.settings.GetItem(1)->Title = std::string(20000, 't');
    {
        DialogWatcher boxes(IDOK, "Error");
        Press(IDOK);
        const auto seen = boxes.seen();
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_NE(seen[0].text.find("C:\\m\\c.avi"), std::string::npos) << seen[0].text;
        EXPECT_NE(seen[0].text.find("unchanged"), std::string::npos) << seen[0].text;
    }
    ASSERT_TRUE(IsWindow(window));
    EXPECT_EQ(ConfigValues(), before);
    ExpectListMatchesPlaylist();
    ASSERT_EQ(dialog.settings.GetCount(), 2u);
    EXPECT_EQ(dialog.settings.GetItem(0)->File, "C:\\m\\b.avi");
    EXPECT_EQ(Checked(IDC_RANDOM), BST_CHECKED);

    dialog.settings.GetItem(1)->Title = "Short again";
    Press(IDOK);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(Config().GetDword("NumAVI", 0), 2u);
    EXPECT_EQ(Config().GetDword("Random", 0), 1u);
    EXPECT_EQ(Config().GetString("AVI1.Title", ""), "Short again");
}

TEST_F(ConfigWin, AFailingHandlerIsToldAndKeepsTheWindowWithItsEdits) {
    ThrowingConfig dialog;
    ASSERT_TRUE(dialog.Create());
    HWND window = dialog.GetSafeHwnd();
    SendMessageA(GetDlgItem(window, IDC_PLAYLIST), LB_SETSEL, TRUE, 1);
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_REMOVE, BN_CLICKED), 0);
    {
        DialogWatcher boxes(IDOK, "Error");
        SendMessageA(window, WM_APP, 0, 0);
        const auto seen = boxes.seen();
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_NE(seen[0].text.find("Your changes are still there"), std::string::npos);
    }
    ASSERT_TRUE(IsWindow(window));
    EXPECT_EQ(dialog.settings.GetCount(), 2u);
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_EQ(Config().GetDword("NumAVI", 0), 2u);
}

TEST_F(ConfigWin, TheSystemMenusAboutCommandShowsTheAboutBox) {
    ConfigDialog& dialog = Open();
    DialogWatcher about(IDOK, "About Pelorama");
    SendMessageA(dialog.GetSafeHwnd(), WM_SYSCOMMAND, 0x0010, 0);
    EXPECT_EQ(about.seen().size(), 1u);
}

// The keys texts, and the open and save dialogs' filters ("|" becomes the
// system's zero when a dialog opens).
TEST_F(ConfigWin, TheStringTableTexts) {
    EXPECT_EQ(app_.LoadString(IDS_KEYS_HELP),
              "While the screen saver is running:\n'M'\t\tMute/Unmute\nUp/Down\tVolume Up/Down.\nLeft/Right\tPrevious/Next movie");
    EXPECT_EQ(app_.LoadString(IDS_NT4_NO_POWER_OR_KEYS),
              "Windows NT 4.0 does not support power management or keyboard features while the screen saver is running.");
    EXPECT_EQ(app_.LoadString(IDS_MEDIA_FILTER),
              "Movie Files (*.avi;*.mov;*.qt;*.mpg;*.mpeg;*.mp3;*.wav;*.mid)|*.avi; *.mov; *.qt; *.mpg; *.mpeg; *.mp3; *.wav; *.mid|"
              "AVI Files (*.avi)|*.avi|"
              "QuickTime Files (*.mov;*.qt;*.mp4;*.m4v)|*.mov; *.qt; *.mp4; *.m4v|"
              "MPEG Files (*.mpg;*.mpeg;*.mp3)|*.mpg; *.mpeg; *.mp3|"
              "Audio Files (*.mp3;*.wav;*.mid)|*.mp3; *.wav; *.mid|"
              "All Files (*.*)|*.*||");
    EXPECT_EQ(app_.LoadString(IDS_PLAYLIST_FILTER), "Playlist Files (*.lst)|*.lst|All Files (*.*)|*.*||");
}

// Dropped files: a .lst that is no playlist is an entry; a playlist cut
// short is neither loaded nor added, and the box names it; a record without
// a file is left out and the ones after it come in.
TEST_F(ConfigWin, DroppedPlaylistsCutShortAreNamedAndNotLoaded) {
    ConfigDialog& dialog = Open();
    const std::string notes = TempPath("pelor-notes2.lst");
    std::ofstream(notes, std::ios::binary) << "just some notes\n";
    const std::string good = TempPath("pelor-holes.lst");
    WriteList({"C:\\m\\p.avi", "", "C:\\m\\q.avi"}, good);
    const std::string bytes = FileBytes(good);
    const std::string cut = TempPath("pelor-cut2.lst");
    std::ofstream(cut, std::ios::binary) << bytes.substr(0, bytes.size() - 7);

    SendMessageA(dialog.GetSafeHwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf({notes})), 0);
    EXPECT_EQ(Entries().back(), "* " + notes);
    ExpectListMatchesPlaylist();
    const size_t count = dialog.settings.GetCount();
    {
        DialogWatcher boxes(IDOK, "Error");
        SendMessageA(dialog.GetSafeHwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf({cut})), 0);
        const auto seen = boxes.seen();
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_NE(seen[0].text.find(cut), std::string::npos);
    }
    EXPECT_EQ(dialog.settings.GetCount(), count);
    ExpectListMatchesPlaylist();

    SendMessageA(dialog.GetSafeHwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf({good})), 0);
    EXPECT_EQ(Entries(), (std::vector<std::string>{"  C:\\m\\p.avi", "* C:\\m\\q.avi"}));
    Press(IDOK);
    EXPECT_EQ(Config().GetDword("NumAVI", 0), 2u);
    EXPECT_EQ(Config().GetString("AVI1.File", ""), "C:\\m\\q.avi");
    std::remove(notes.c_str());
    std::remove(good.c_str());
    std::remove(cut.c_str());
}

// Dropped names past what the old 255-character buffer held: one a path
// may still be comes in whole (it was cut into the name of its prefix), a
// longer one is refused and named.
TEST_F(ConfigWin, LongDroppedNamesComeInWholeOrAreRefusedByName) {
    ConfigDialog& dialog = Open();
    const std::string longest = "C:\\m\\" + std::string(250, 'a') + ".avi";
    const std::string tooLong = "C:\\m\\" + std::string(300, 'b') + ".avi";
    ASSERT_EQ(longest.size(), 259u);
    {
        DialogWatcher boxes(IDOK, "Error");
        SendMessageA(dialog.GetSafeHwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf({longest, tooLong})), 0);
        const auto seen = boxes.seen();
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_NE(seen[0].text.find(tooLong), std::string::npos);
    }
    ASSERT_EQ(dialog.settings.GetCount(), 4u);
    EXPECT_EQ(dialog.settings.GetItem(3)->File, longest);
    ExpectListMatchesPlaylist();
    Press(IDOK);
    EXPECT_EQ(Config().GetString("AVI3.File", ""), longest);
}

// A playlist that cannot be written whole leaves the file that was there
// and says so, naming it. Here another program holds the old file open, so
// the new one, written beside it, cannot take its place; PELOR_SMALL_DRIVE,
// a folder on a drive of about 96 KB, also tries a drive that fills up.
TEST_F(ConfigWin, APlaylistNotWrittenWholeKeepsTheOldFileAndSaysSo) {
    ConfigDialog& dialog = Open();
    const std::string old = TempPath("pelor-readonly.lst");
    WriteList({"C:\\m\\old.avi"}, old);
    const std::string oldBytes = FileBytes(old);
    HANDLE held = CreateFileA(old.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    {
        DialogWatcher boxes(IDOK, "Error");
        EXPECT_FALSE(dialog.SavePlaylistTo(old));
        const auto seen = boxes.seen();
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_NE(seen[0].text.find(old), std::string::npos);
    }
    CloseHandle(held);
    EXPECT_EQ(FileBytes(old), oldBytes);
    std::remove(old.c_str());

    const char* small = std::getenv("PELOR_SMALL_DRIVE");
    if (small == nullptr || *small == '\0') GTEST_SKIP() << "no small drive (PELOR_SMALL_DRIVE) to fill";
    const std::string there = std::string(small) + "\\list.lst";
    WriteList({"C:\\m\\old.avi", "C:\\m\\older.avi"}, there);
    const std::string thereBytes = FileBytes(there);
    const std::string filler = std::string(small) + "\\filler";
    {
        // Leave about 20 KB free.
        std::ofstream fill(filler, std::ios::binary);
        fill << std::string(60 * 1024, 'f');
    }
    for (int i = 0; i < 600; ++i) {
        auto item = std::make_unique<MediaItem>();
        item->File = "C:\\movies\\a rather long folder name\\clip number " + std::to_string(i) + ".avi";
        if (dialog.settings.AddItem(item.get()) >= 0) item.release();
    }
    {
        DialogWatcher boxes(IDOK, "Error");
        EXPECT_FALSE(dialog.SavePlaylistTo(there));
        const auto seen = boxes.seen();
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_NE(seen[0].text.find(there), std::string::npos);
    }
    EXPECT_EQ(FileBytes(there), thereBytes);
    std::remove(filler.c_str());
    std::remove(there.c_str());
}

// Ten thousand entries: a playlist of them opened, edited, saved and opened
// again comes back whole and in order, and Cancel stores none of it.
TEST_F(ConfigWin, ATenThousandEntryPlaylistOpenedEditedAndSaved) {
    const std::map<std::string, std::string> before = ConfigValues();
    ConfigDialog& dialog = Open();
    std::vector<std::string> files;
    for (int i = 0; i < 10000; ++i) files.push_back("C:\\clips\\movie " + std::to_string(i) + ".avi");
    const std::string path = TempPath("pelor-10000.lst");
    WriteList(files, path);
    ASSERT_EQ(dialog.TryLoadPlaylist(path), PlaylistRead::Read);
    dialog.RefillPlaylistBox();
    ASSERT_EQ(dialog.settings.GetCount(), 10000u);
    Select(0);
    Select(5000);
    Press(IDC_REMOVE);
    ASSERT_EQ(dialog.settings.GetCount(), 9998u);
    ASSERT_TRUE(dialog.SavePlaylistTo(path));
    Press(IDC_SELECT_ALL);
    Press(IDC_REMOVE);
    ASSERT_EQ(dialog.settings.GetCount(), 0u);
    ASSERT_EQ(dialog.TryLoadPlaylist(path), PlaylistRead::Read);
    dialog.RefillPlaylistBox();
    ExpectListMatchesPlaylist();
    ASSERT_EQ(dialog.settings.GetCount(), 9998u);
    EXPECT_EQ(dialog.settings.GetItem(0)->File, files[1]);
    EXPECT_EQ(dialog.settings.GetItem(4998)->File, files[4999]);
    EXPECT_EQ(dialog.settings.GetItem(4999)->File, files[5001]);
    EXPECT_EQ(dialog.settings.GetItem(9997)->File, files[9999]);
    Press(IDCANCEL);
    EXPECT_EQ(ConfigValues(), before);
    std::remove(path.c_str());
}

}  // namespace
