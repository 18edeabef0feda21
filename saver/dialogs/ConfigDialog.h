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
// list box and the six global options with controls of their own; the rest
// through the menu. Everything is edited in memory and reaches the registry
// only on OK; Save Playlist and Scan Media Devices act at once.
class ConfigDialog : public CDialog {
    // First, so that the catalogue is built after what it refers to.
    MciDeviceQuery devices_;
    DialogScanUi scanUi_;

public:
    explicit ConfigDialog(HWND owner);

    // The caller's data: the controls show its global options and its
    // playlist, and OK reads them back into it and saves it. A save the
    // registry refuses is told, naming what it refused, and the window
    // stays open.
    SaverSettings settings;
    DeviceCatalogue catalogue;

    // The view shows every item's File; nothing selected. Items past what
    // the list box holds are dropped, with a message.
    void RefillPlaylistBox();
    // Replaces the playlist with the file's when the file is a whole
    // playlist (Read); the playlist is unchanged otherwise.
    PlaylistRead TryLoadPlaylist(const std::string& path);
    // Writes the playlist beside `path` and puts it in its place only when
    // whole. false, with the user told and the file named, when no new file
    // can be made beside it or it cannot be written in full; an old file
    // stays as it was.
    bool SavePlaylistTo(const std::string& path);
    // A message box with string `id`, captioned "Error".
    void ShowErrorMessage(unsigned id);
    // The title a path suggests (see FileTitle.h).
    static std::string TitleFromFileName(const std::string& path);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(CDataExchange& dx) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // An exception in a handler: the user is told and the window stays open
    // with every edit, for OK or Cancel to decide.
    void OnHandlerException() override;

private:
    // The commands, as the buttons and the menu run them.
    void Add();
    // Adds one folder entry chosen in the system's folder browser.
    void AddFolder();
    // Adds `paths` as entries; a list that is full says which one it refused.
    void AddFiles(const std::vector<std::string>& paths);
    void Remove();
    void OnUp() { editor_.MoveSelection(-1); }
    void OnDown() { editor_.MoveSelection(+1); }
    void SelectAll();
    void ApplyProperties();
    void OpenPlaylist();
    void SavePlaylist();
    void ScanMediaDevices();
    void PowerSettings();
    void BounceSpeed();
    void About();
    LRESULT OnSysCommand(const Msg& msg);
    LRESULT OnDropFiles(const Msg& msg);

    // The label of the monitors' choice and its four entries, in
    // MonitorMode order, from the string table.
    void FillMonitorChoices();
    // Error box with string `id`, its %1 replaced by `name`.
    void ShowErrorNaming(unsigned id, const std::string& name);
    // Error box with `text`.
    void ShowErrorText(const std::string& text);

    HWND keysText_ = nullptr;
    HWND playlistBox_ = nullptr;

    ListBoxView view_;
    PlaylistEditor editor_;
};
