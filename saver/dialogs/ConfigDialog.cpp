#include "saver/dialogs/ConfigDialog.h"

#include <commdlg.h>
#include <shellapi.h>

#include "saver/dialogs/AboutDialog.h"
#include "saver/dialogs/BounceSpeedDialog.h"
#include "saver/dialogs/CentreWindow.h"
#include "saver/dialogs/DialogInitResource.h"
#include "saver/dialogs/FileDialogs.h"
#include "saver/dialogs/FolderDialog.h"
#include "saver/settings/FileTitle.h"
#include "saver/dialogs/KeysText.h"
#include "saver/dialogs/PowerDialog.h"
#include "saver/dialogs/PropertiesDialog.h"
#include "core/DataExchangeRules.h"
#include "framework/File.h"
#include "framework/ReplacingFile.h"
#include "framework/WinApp.h"
#include "saver/resources/resource.h"
#include "saver/settings/win32/AppSettings.h"

namespace {

// The chosen names of Add, in characters.
constexpr size_t kAddBufferChars = 10000;
// The system menu's about command.
constexpr WPARAM kAboutSysCommand = 0x0010;

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
    DDX_Check(dx, IDC_MUTE, settings.Mute);
    DDX_Check(dx, IDC_RANDOM, settings.Random);
    int scale = settings.Scale;
    DDX_CBIndex(dx, IDC_SCALE, scale);
    settings.Scale = static_cast<ScaleMode>(scale);
    DDX_Check(dx, IDC_TITLES, settings.Titles);
    DDX_Check(dx, IDC_LETTERBOX, settings.Letterbox);
    // A stored number the saver does not know shows as black and stays as
    // stored until another choice is made.
    const int shown = static_cast<int>(settings.Mode());
    int monitors = shown;
    DDX_CBIndex(dx, IDC_MONITORS, monitors);
    if (monitors != shown && monitors >= 0) settings.Monitors = static_cast<uint32_t>(monitors);
}

void ConfigDialog::FillMonitorChoices() {
    SetWindowTextA(::GetDlgItem(m_hWnd, IDC_MONITORS_LABEL), LoadText(IDS_MONITORS_LABEL).c_str());
    for (uint32_t mode = 0; mode < kMonitorModeCount; ++mode) {
        SendDlgItemMessageA(m_hWnd, IDC_MONITORS, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(LoadText(IDS_MONITORS_BLACK + mode).c_str()));
    }
}

BOOL ConfigDialog::OnInitDialog() {
    // The scaling and monitor choices come before the framework writes the
    // options, so that the combos' indexes have entries to select.
    ApplyDialogInit(m_hWnd, IDD_CONFIG);
    FillMonitorChoices();
    settings.Load(true);
    CDialog::OnInitDialog();

    RefillPlaylistBox();
    CentreOverOwner(m_hWnd);
    AcceptDroppedFiles(m_hWnd);

    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (GetVersionExA(&version)) {
        const unsigned id = KeysTextId(version.dwPlatformId, version.dwMajorVersion);
        SetWindowTextA(keysText_, LoadText(id).c_str());
    }

    catalogue.Load();
    return TRUE;
}

void ConfigDialog::OnOK() {
    if (!UpdateData(true)) return;
    editor_.CopyEntriesToItems();
    const SaveOutcome outcome = settings.Save();
    if (outcome.what == SaveOutcome::Stored) {
        EndDialog(IDOK);
        return;
    }
    // The window stays open with every edit, for another OK or Cancel.
    const MediaItem* item = settings.GetItem(outcome.item);
    std::string text = outcome.what == SaveOutcome::ItemRefused
                           ? FormatArguments(LoadText(IDS_ITEM_NOT_STORED), {item != nullptr ? item->File : std::string()})
                           : LoadText(IDS_OPTIONS_NOT_STORED);
    text += " " + LoadText(outcome.restored ? IDS_STORED_KEPT : IDS_STORED_NOT_KEPT);
    ShowErrorText(text);
}

void ConfigDialog::OnHandlerException() {
    ShowErrorMessage(IDS_WINDOW_ERROR);
}

void ConfigDialog::RefillPlaylistBox() {
    if (!editor_.RefillPlaylistBox()) {
        const MediaItem* last = settings.GetItem(settings.GetCount() - 1);
        ShowErrorNaming(IDS_LIST_FULL, last != nullptr ? last->File : std::string());
    }
}

void ConfigDialog::ApplyProperties() {
    EditSelectedProperties(settings, view_.SelectedEntries(), view_.EntryCount(), catalogue, &TitleFromFileName,
                           [this](PropertyValues& values) { return RunPropertiesDialog(m_hWnd, catalogue, values); });
}

void ConfigDialog::Add() {
    std::vector<std::string> paths;
    if (!ChooseFilesToOpen(m_hWnd, LoadText(IDS_MEDIA_FILTER).c_str(),
                           OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, kAddBufferChars, paths)) {
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

void ConfigDialog::AddFiles(const std::vector<std::string>& paths) {
    const uint32_t before = settings.GetCount();
    if (!editor_.Add(paths)) {
        const size_t refused = settings.GetCount() - before;
        ShowErrorNaming(IDS_LIST_FULL, refused < paths.size() ? paths[refused] : std::string());
    }
}

LRESULT ConfigDialog::OnDropFiles(const Msg& msg) {
    HDROP drop = reinterpret_cast<HDROP>(msg.wParam);
    const std::vector<std::string> names = DroppedNames(drop);
    FinishDrop(drop);
    const PlaylistEditor::DropOutcome outcome =
        editor_.Drop(names, [this](const std::string& name) { return TryLoadPlaylist(name); });
    auto tell = [this](unsigned id, const std::vector<std::string>& refused) {
        if (refused.empty()) return;
        std::string list;
        for (const std::string& name : refused) list += name + "\n";
        ShowErrorNaming(id, list);
    };
    tell(IDS_DROP_TOO_LONG, outcome.tooLong);
    tell(IDS_DROP_NOT_LOADED, outcome.notLoaded);
    if (outcome.listFull) ShowErrorNaming(IDS_LIST_FULL, std::string());
    return 0;
}

void ConfigDialog::Remove() { editor_.Remove(); }

void ConfigDialog::SelectAll() { editor_.SelectAll(); }

PlaylistRead ConfigDialog::TryLoadPlaylist(const std::string& path) {
    CFile file;
    if (!file.Open(path.c_str(), CFile::modeRead)) return PlaylistRead::NotOpened;
    return editor_.ReadPlaylist(file);
}

void ConfigDialog::ShowErrorMessage(unsigned id) {
    ShowMessage(id, IDS_ERROR_CAPTION, MB_ICONEXCLAMATION | MB_OK);
}

void ConfigDialog::ShowErrorNaming(unsigned id, const std::string& name) {
    ShowErrorText(FormatArguments(LoadText(id), {name}));
}

void ConfigDialog::ShowErrorText(const std::string& text) {
    MessageBoxA(m_hWnd, text.c_str(), LoadText(IDS_ERROR_CAPTION).c_str(), MB_ICONEXCLAMATION | MB_OK);
}

std::string ConfigDialog::TitleFromFileName(const std::string& path) { return ::TitleFromFileName(path); }

void ConfigDialog::OpenPlaylist() {
    std::vector<std::string> paths;
    if (!ChooseFilesToOpen(m_hWnd, LoadText(IDS_PLAYLIST_FILTER).c_str(), OFN_FILEMUSTEXIST | OFN_HIDEREADONLY,
                           MAX_PATH, paths) ||
        paths.empty()) {
        return;
    }
    switch (TryLoadPlaylist(paths.front())) {
    case PlaylistRead::Read: RefillPlaylistBox(); break;
    case PlaylistRead::Unreadable: ShowErrorNaming(IDS_PLAYLIST_UNREADABLE, paths.front()); break;
    case PlaylistRead::NotAPlaylist:
    case PlaylistRead::Damaged:
    case PlaylistRead::NotOpened: ShowErrorMessage(IDS_NOT_A_PLAYLIST); break;
    }
}

void ConfigDialog::SavePlaylist() {
    std::string path;
    if (!ChooseFileToSave(m_hWnd, LoadText(IDS_PLAYLIST_FILTER).c_str(), "lst",
                          OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST, path)) {
        return;
    }
    SavePlaylistTo(path);
}

bool ConfigDialog::SavePlaylistTo(const std::string& path) {
    ReplacingFile file;
    if (!file.Open(path)) {
        ShowErrorNaming(IDS_PLAYLIST_NOT_CREATED, path);
        return false;
    }
    bool written = false;
    try {
        settings.WritePlaylist(file.File());
        written = file.Commit();
    } catch (const CFileException&) {
        written = false;
    }
    if (!written) ShowErrorNaming(IDS_PLAYLIST_NOT_SAVED, path);
    return written;
}

void ConfigDialog::ScanMediaDevices() { catalogue.Scan(); }

// The option dialogs edit a copy of the options, which replaces them only
// on OK.
void ConfigDialog::PowerSettings() {
    PowerDialog dialog;
    dialog.Options = settings;
    if (dialog.DoModal() == IDOK) static_cast<GlobalOptions&>(settings) = dialog.Options;
}

void ConfigDialog::BounceSpeed() {
    BounceSpeedDialog dialog;
    dialog.Options = settings;
    if (dialog.DoModal() == IDOK) static_cast<GlobalOptions&>(settings) = dialog.Options;
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
