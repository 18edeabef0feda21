#include "saver/shell/SaverApp.h"

#include <cstdlib>
#include <ctime>

#include "saver/dialogs/ConfigDialog.h"
#include "saver/resources/resource.h"
#include "saver/shell/CommandLine.h"
#include "saver/shell/DpiAwareness.h"
#include "saver/shell/FullScreenSaverWnd.h"
#include "saver/shell/PreviewWnd.h"

namespace {
using PwdChangePasswordFn = DWORD(WINAPI*)(LPCSTR, HWND, DWORD, DWORD);

HWND WindowFromArgument(const std::string& text) {
    HWND wnd = reinterpret_cast<HWND>(static_cast<UINT_PTR>(ParseWindowHandle(text)));
    return wnd != nullptr && IsWindow(wnd) ? wnd : nullptr;
}
}  // namespace

SaverApp::SaverApp() { std::srand(static_cast<unsigned>(std::time(nullptr))); }

bool SaverApp::StartUp() {
    foregroundAtStart_ = GetForegroundWindow();
    SetRegistryKey(LoadString(IDS_REGISTRY_KEY));
    return DispatchMode();
}

int SaverApp::ShutDown() {
    if (spiSet) {
        SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, FALSE, &savedSpiState, 0);
    }
    return CWinApp::ShutDown();
}

void SaverApp::ParseCommandLine() {
    const ParsedCommandLine parsed = ParseCommandWords(Arguments());
    switchText = parsed.switchText;
    modeArgument = parsed.modeArgument;
}

bool SaverApp::IsSwitch(const char* text) const { return SwitchIs(switchText, text); }

bool SaverApp::DispatchMode() {
    ParseCommandLine();
    const SaverMode mode = ChooseMode(ParsedCommandLine{switchText, modeArgument}, Arguments().size());
    // The running saver takes the 3D controls once its screen is black.
    if (mode != SaverMode::Run) Enable3dControls();
    switch (mode) {
    case SaverMode::Configure:
        RunConfigure();
        return false;
    case SaverMode::ChangePassword:
        RunChangePassword();
        return false;
    case SaverMode::Preview:
        RunPreview();
        return true;
    case SaverMode::Run:
        RunSaver();
        return true;
    case SaverMode::Other:
        if (Arguments().size() == 1) HandleOtherArgument(switchText);
        return false;
    }
    return false;
}

void SaverApp::RunConfigure() {
    ConfigDialog dialog(foregroundAtStart_);
    // The option dialogs and the scanning window take it as their owner.
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;
}

void SaverApp::RunPreview() {
    HWND parent = WindowFromArgument(modeArgument);
    if (parent == nullptr) return;  // no main window: the program ends
    RECT area{0, 0, 0, 0};
    GetClientRect(parent, &area);
    auto* preview = new PreviewWnd();
    if (preview->Create(0, WS_CHILD | WS_VISIBLE, area, parent)) {
        m_pMainWnd = preview;
    } else {
        delete preview;
    }
}

void SaverApp::RunChangePassword() {
    HWND owner = WindowFromArgument(modeArgument);
    // The library stays loaded until the process ends.
    HMODULE mpr = LoadLibraryA("MPR.DLL");
    if (mpr == nullptr) {
        ShowMessageId(IDS_NO_MPR);
        return;
    }
    auto change = reinterpret_cast<PwdChangePasswordFn>(
        reinterpret_cast<void*>(GetProcAddress(mpr, "PwdChangePasswordA")));
    if (change == nullptr) {
        ShowMessageId(IDS_NO_PWDCHANGE);
        MessageBox("Unable to get PwdChangePassword.", MB_ICONEXCLAMATION | MB_OK);
        return;
    }
    change("SCRSAVE", owner, 0, 0);
}

void SaverApp::HandleOtherArgument(const std::string&) {}

void SaverApp::RunSaver() {
    // Where the manifest's per-monitor setting is not in force, the calls do
    // it, before the first window. Only here: the movies are laid out in
    // each monitor's pixels, while the dialogs are laid out in dialog units,
    // which a per-monitor process gets at the primary monitor's scaling on
    // every monitor unless the system rescales them (Windows 10 1703 and
    // later, through the manifest), so the other modes keep what the system
    // gives them.
    BecomeDpiAware();
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    spiSet = true;
    SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, TRUE, &savedSpiState, 0);
    // Without a main window the program ends through ShutDown.
    auto* saver = new FullScreenSaverWnd();
    if (saver->CreateFullScreen()) {
        m_pMainWnd = saver;
        // In run mode only the password dialog uses them.
        Enable3dControls();
    } else {
        delete saver;
    }
}

void SaverApp::ShowMessageId(unsigned id) {
    MessageBox(LoadString(id), MB_ICONEXCLAMATION | MB_OK);
}
