#include "saver/dialogs/ConfigDialog.h"

#include <commdlg.h>
#include <shellapi.h>

#include "saver/dialogs/AboutDialog.h"
#include "saver/dialogs/BounceSpeedDialog.h"
#include "saver/dialogs/CentreWindow.h"
#include "saver/dialogs/FileDialogs.h"
#include "saver/dialogs/FolderDialog.h"
#include "saver/settings/FileTitle.h"
#include "saver/dialogs/KeysText.h"
#include "saver/dialogs/PowerDialog.h"
#include "saver/dialogs/PropertiesDialog.h"
#include "framework/File.h"
#include "framework/WinApp.h"
#include "saver/resources/resource.h"
#include "saver/shell/AppSettings.h"

namespace {

constexpr const char kMediaFilter[] =
    "Movie Files (*.avi;*.mov;*.qt;*.mpg;*.mpeg;*.mp3;*.wav;*.mid)|*.avi; *.mov; *.qt; *.mpg; *.mpeg; *.mp3; *.wav; *.mid|"
    "AVI Files (*.avi)|*.avi|"
    "QuickTime Files (*.mov;*.qt)|*.mov; *.qt|"
    "MPEG Files (*.mpg;*.mpeg;*.mp3)|*.mpg; *.mpeg; *.mp3|"
    "Audio Files (*.mp3;*.wav;*.mid)|*.mp3; *.wav; *.mid|"
    "All Files (*.*)|*.*||";
constexpr const char kPlaylistFilter[] = "Playlist Files (*.lst)|*.lst|All Files (*.*)|*.*||";
// The chosen names of Add, in characters.
constexpr size_t kAddBufferChars = 10000;
// One dropped name with its terminating zero.
constexpr UINT kDropBufferChars = 255;
// The system menu's about command.
constexpr WPARAM kAboutSysCommand = 0x0010;

// The scaling choices, in ScaleMode order.
const char* const kScaleChoices[] = {
    "Choose a scaling size", "Original size",      "Double original size", "Half original size",
    "Full screen size",      "3/4 of screen size", "1/2 of screen size",   "1/4 of screen size",
};

}  // namespace

ConfigDialog::ConfigDialog(HWND owner)
    : CDialog(IDD_CONFIG, owner),
      settings(MakeAppSettings()),
      catalogue(CWinApp::Get()->Profile(), devices_, scanUi_),
      editor_(settings, view_) {}

LRESULT ConfigDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    static const MessageEntry<ConfigDialog> kHandlers[] = {
        {WM_SYSCOMMAND, &ConfigDialog::OnSysCommand},
        {IDC_ADD, BN_CLICKED, &ConfigDialog::Add},
        {IDC_ADD_FOLDER, BN_CLICKED, &ConfigDialog::AddFolder},
        {IDC_REMOVE, BN_CLICKED, &ConfigDialog::Remove},
        {IDC_UP, BN_CLICKED, &ConfigDialog::OnUp},
        {IDC_DOWN, BN_CLICKED, &ConfigDialog::OnDown},
        {IDC_ABOUT, BN_CLICKED, &ConfigDialog::About},
        {WM_DROPFILES, &ConfigDialog::OnDropFiles},
        {IDC_PROPERTIES, BN_CLICKED, &ConfigDialog::ApplyProperties},
        {IDC_PLAYLIST, LBN_DBLCLK, &ConfigDialog::ApplyProperties},
        {IDC_SELECT_ALL, BN_CLICKED, &ConfigDialog::SelectAll},
        {IDC_POWER_SETTINGS, BN_CLICKED, &ConfigDialog::PowerSettings},
        {IDC_SCAN_DEVICES, BN_CLICKED, &ConfigDialog::ScanMediaDevices},
        {IDC_OPEN_PLAYLIST, BN_CLICKED, &ConfigDialog::OpenPlaylist},
        {IDC_SAVE_PLAYLIST, BN_CLICKED, &ConfigDialog::SavePlaylist},
        {IDC_BOUNCE_SPEED, BN_CLICKED, &ConfigDialog::BounceSpeed},
    };
    LRESULT result = 0;
    if (DispatchTable(this, kHandlers, Msg{message, wParam, lParam}, result)) return result;
    return CDialog::WindowProc(message, wParam, lParam);
}

void ConfigDialog::DoDataExchange(CDataExchange& dx) {
    DDX_Control(dx, IDC_KEYS_TEXT, keysText_);
    DDX_Control(dx, IDC_PLAYLIST, playlistBox_);
    view_.Attach(playlistBox_);
    DDX_Check(dx, IDC_MUTE, Mute);
    DDX_Check(dx, IDC_RANDOM, Random);
    DDX_CBIndex(dx, IDC_SCALE, Scale);
    DDX_Check(dx, IDC_TITLES, Titles);
    DDX_Check(dx, IDC_LETTERBOX, Letterbox);
}

BOOL ConfigDialog::OnInitDialog() {
    // The scaling choices come before the framework writes the construction
    // values, so that the combo's index has entries to select.
    HWND scale = GetDlgItem(IDC_SCALE);
    for (const char* choice : kScaleChoices) SendMessageA(scale, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice));
    CDialog::OnInitDialog();

    settings.Load(true);
    Mute = settings.Mute;
    Random = settings.Random;
    Titles = settings.Titles;
    Scale = settings.Scale;
    Letterbox = settings.Letterbox;
    UpdateData(false);

    RefillPlaylistBox();
    CentreOverOwner(m_hWnd);
    AcceptDroppedFiles(m_hWnd);

    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (GetVersionExA(&version)) {
        const unsigned id = KeysTextId(version.dwPlatformId, version.dwMajorVersion);
        SetWindowTextA(keysText_, CWinApp::Get()->LoadString(id).c_str());
    }

    catalogue.Load();
    return TRUE;
}

void ConfigDialog::OnOK() {
    if (!UpdateData(true)) return;
    editor_.CopyEntriesToItems();
    settings.Mute = Mute;
    settings.Random = Random;
    settings.Scale = static_cast<ScaleMode>(Scale);
    settings.Titles = Titles;
    settings.Letterbox = Letterbox;
    settings.Save();
    EndDialog(IDOK);
}

void ConfigDialog::RefillPlaylistBox() { editor_.RefillPlaylistBox(); }

void ConfigDialog::MoveSelection(int delta) { editor_.MoveSelection(delta); }

void ConfigDialog::ApplyProperties() {
    EditSelectedProperties(settings, view_.SelectedEntries(), view_.EntryCount(), catalogue, &TitleFromFileName,
                           [this](PropertyValues& values) { return RunPropertiesDialog(m_hWnd, catalogue, values); });
}

void ConfigDialog::Add() {
    std::vector<std::string> paths;
    if (!ChooseFilesToOpen(m_hWnd, kMediaFilter, OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY,
                           kAddBufferChars, paths)) {
        return;
    }
    AddFiles(paths);
}

void ConfigDialog::AddFolder() {
    const std::vector<uint32_t> selected = view_.SelectedEntries();
    const MediaItem* first = selected.empty() ? nullptr : settings.GetItem(selected.front());
    std::string folder;
    if (ChooseFolder(m_hWnd, first != nullptr ? BrowseStartFor(first->File) : "", folder)) AddFiles({folder});
}

void ConfigDialog::AddFiles(const std::vector<std::string>& paths) { editor_.Add(paths); }

void ConfigDialog::DropFiles(const std::vector<std::string>& names) {
    editor_.Drop(names, [this](const std::string& name) { return TryLoadPlaylist(name); });
}

LRESULT ConfigDialog::OnDropFiles(const Msg& msg) {
    HDROP drop = reinterpret_cast<HDROP>(msg.wParam);
    DropFiles(DroppedNames(drop, kDropBufferChars));
    FinishDrop(drop);
    return 0;
}

void ConfigDialog::Remove() { editor_.Remove(); }

void ConfigDialog::SelectAll() { editor_.SelectAll(); }

bool ConfigDialog::TryLoadPlaylist(const std::string& path) {
    CFile file;
    if (!file.Open(path.c_str(), CFile::modeRead)) return false;
    return editor_.ReadPlaylist(file);
}

void ConfigDialog::ShowErrorMessage(unsigned id) {
    CWinApp* app = CWinApp::Get();
    MessageBoxA(m_hWnd, app->LoadString(id).c_str(), app->LoadString(IDS_ERROR_CAPTION).c_str(),
                MB_ICONEXCLAMATION | MB_OK);
}

std::string ConfigDialog::TitleFromFileName(const std::string& path) { return ::TitleFromFileName(path); }

void ConfigDialog::OpenPlaylist() {
    std::vector<std::string> paths;
    if (!ChooseFilesToOpen(m_hWnd, kPlaylistFilter, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, MAX_PATH, paths) ||
        paths.empty()) {
        return;
    }
    if (TryLoadPlaylist(paths.front())) {
        RefillPlaylistBox();
    } else {
        ShowErrorMessage(IDS_NOT_A_PLAYLIST);
    }
}

void ConfigDialog::SavePlaylist() {
    std::string path;
    if (!ChooseFileToSave(m_hWnd, kPlaylistFilter, "lst", OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST,
                          path)) {
        return;
    }
    SavePlaylistTo(path);
}

bool ConfigDialog::SavePlaylistTo(const std::string& path) {
    CFile file;
    if (!file.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite)) return false;
    try {
        settings.WritePlaylist(file);
        file.Close();
    } catch (const CFileException&) {
        // A file that cannot be written is not reported.
        return false;
    }
    return true;
}

void ConfigDialog::ScanMediaDevices() { catalogue.Scan(); }

void ConfigDialog::PowerSettings() {
    PowerDialog dialog;
    dialog.Delay = settings.Delay;
    dialog.DelayMinutes = settings.DelayMinutes;
    dialog.Power = settings.Power;
    dialog.PowerMinutes = settings.PowerMinutes;
    if (dialog.DoModal() != IDOK) return;
    settings.Delay = dialog.Delay;
    settings.DelayMinutes = dialog.DelayMinutes;
    settings.Power = dialog.Power;
    settings.PowerMinutes = dialog.PowerMinutes;
}

void ConfigDialog::BounceSpeed() {
    BounceSpeedDialog dialog;
    dialog.BounceSpeed = settings.BounceSpeed;
    if (dialog.DoModal() == IDOK) settings.BounceSpeed = dialog.BounceSpeed;
}

void ConfigDialog::About() {
    AboutDialog dialog;
    dialog.DoModal();
}

LRESULT ConfigDialog::OnSysCommand(const Msg& msg) {
    if ((msg.wParam & 0xFFF0) == kAboutSysCommand) {
        About();
        return 0;
    }
    return Default();
}
