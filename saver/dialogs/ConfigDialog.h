#pragma once
#include "framework/DataExchange.h"
#include "framework/Dialog.h"

#include <memory>
#include <string>

#include "saver/dialogs/ListBoxView.h"
#include "saver/dialogs/PlaylistEditor.h"
#include "saver/dialogs/win32/DialogScanUi.h"
#include "saver/settings/DeviceCatalogue.h"
#include "saver/settings/SaverSettings.h"
#include "saver/settings/win32/MciDeviceQuery.h"

// The saver's settings window (template 102, menu 141): the playlist in its
// list box and the five global options with controls of their own; the rest
// through the menu. Everything is edited in memory and reaches the registry
// only on OK; Save Playlist and Scan Media Devices act at once.
class ConfigDialog : public CDialog {
    // First, so that the catalogue is built after what it refers to.
    MciDeviceQuery devices_;
    DialogScanUi scanUi_;

public:
    explicit ConfigDialog(HWND owner);

    SaverSettings settings;
    DeviceCatalogue catalogue;

    // The dialog's copies of the global options with controls of their own.
    int Mute = 0;
    int Random = 0;
    int Scale = -1;
    int Titles = 0;
    int Letterbox = 1;

    // The view shows every item's File; nothing selected.
    void RefillPlaylistBox();
    // Replaces the playlist with the file's: false when the file cannot be
    // opened or is not a playlist, and the playlist is then unchanged.
    bool TryLoadPlaylist(const std::string& path);
    // delta -1 moves the selected entries up, +1 down.
    void MoveSelection(int delta);
    // A message box with string `id`, captioned "Error".
    void ShowErrorMessage(unsigned id);
    // The title a path suggests (see FileTitle.h).
    static std::string TitleFromFileName(const std::string& path);
    // Edits the selected items in the properties dialog. Nothing happens
    // with no selection.
    void ApplyProperties();

    // The commands, as the buttons and the menu run them.
    void Add();
    void AddFiles(const std::vector<std::string>& paths);
    // Adds one folder entry chosen in the system's folder browser.
    void AddFolder();
    void DropFiles(const std::vector<std::string>& names);
    void Remove();
    void SelectAll();
    void OpenPlaylist();
    void SavePlaylist();
    // Writes the playlist to `path`; false when the file cannot be written.
    bool SavePlaylistTo(const std::string& path);
    void ScanMediaDevices();
    void PowerSettings();
    void BounceSpeed();
    void About();

    PlaylistEditor& Editor() { return editor_; }
    ListBoxView& PlaylistBox() { return view_; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(CDataExchange& dx) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT OnSysCommand(const Msg& msg);
    LRESULT OnDropFiles(const Msg& msg);
    void OnUp() { MoveSelection(-1); }
    void OnDown() { MoveSelection(+1); }

    HWND keysText_ = nullptr;
    HWND playlistBox_ = nullptr;

    ListBoxView view_;
    PlaylistEditor editor_;
};
