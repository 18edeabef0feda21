#include "FullScreenSaverWnd.h"

#include "../../framework/RegistryProfile.h"
#include "../../framework/WinApp.h"
#include "../settings/SettingsNames.h"
#include "SaverKeys.h"

namespace {
constexpr UINT_PTR kMouseTimer = 3;
constexpr UINT kMouseMilliseconds = 3000;
// How far the pointer may stray from its reference without ending the saver.
constexpr int kMouseSlack = 2;

RegistryMachineDefaults& MachineConfig() {
    // Read once, by the first run-mode window's settings.
    static RegistryMachineDefaults machine(names::kMachineConfigKey);
    return machine;
}
}  // namespace

FullScreenSaverWnd::FullScreenSaverWnd()
    : DisplayWnd(CWinApp::Get()->Profile(), &MachineConfig(), true) {}

FullScreenSaverWnd::FullScreenSaverWnd(ProfileStore& store, MachineDefaults* machine)
    : DisplayWnd(store, machine, true) {}

bool FullScreenSaverWnd::CreateFullScreen() {
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return Create(WS_EX_TOPMOST, WS_POPUP | WS_VISIBLE, screen, nullptr);
}

void FullScreenSaverWnd::StartTimers() { ::SetTimer(m_hWnd, kMouseTimer, kMouseMilliseconds, nullptr); }

void FullScreenSaverWnd::StopTimers() { ::KillTimer(m_hWnd, kMouseTimer); }

BOOL FullScreenSaverWnd::VerifyPassword() { return TRUE; }

LRESULT FullScreenSaverWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    static const MessageEntry<FullScreenSaverWnd> kHandlers[] = {
        {WM_CREATE, &FullScreenSaverWnd::OnCreate},
        {WM_SYSCOMMAND, &FullScreenSaverWnd::OnSysCommand},
        {WM_SETCURSOR, &FullScreenSaverWnd::OnSetCursor},
        {WM_NCACTIVATE, &FullScreenSaverWnd::OnNcActivate},
        {WM_ACTIVATE, &FullScreenSaverWnd::OnActivate},
        {WM_ACTIVATEAPP, &FullScreenSaverWnd::OnActivateApp},
        {WM_MOUSEMOVE, &FullScreenSaverWnd::OnMouseMove},
        {WM_LBUTTONDOWN, &FullScreenSaverWnd::OnButtonDown},
        {WM_RBUTTONDOWN, &FullScreenSaverWnd::OnButtonDown},
        {WM_MBUTTONDOWN, &FullScreenSaverWnd::OnButtonDown},
        {WM_SYSKEYDOWN, &FullScreenSaverWnd::OnSysKeyDown},
        {WM_KEYDOWN, &FullScreenSaverWnd::OnKeyDown},
        {WM_CLOSE, &FullScreenSaverWnd::OnClose},
        {WM_TIMER, &FullScreenSaverWnd::OnTimer},
        {WM_DESTROY, &FullScreenSaverWnd::OnDestroy},
    };
    LRESULT result = 0;
    if (DispatchTable(this, kHandlers, Msg{message, wParam, lParam}, result)) return result;
    return DisplayWnd::WindowProc(message, wParam, lParam);
}

LRESULT FullScreenSaverWnd::OnCreate(const Msg& msg) {
    if (DisplayWnd::OnCreate(msg) == -1) return -1;
    hideCursor = true;
    StartTimers();
    return 0;
}

LRESULT FullScreenSaverWnd::OnSysCommand(const Msg& msg) {
    // The whole value is compared: the low four bits are not masked off.
    if (msg.wParam == SC_SCREENSAVE || msg.wParam == SC_CLOSE) return 0;
    return Default();
}

LRESULT FullScreenSaverWnd::OnSetCursor(const Msg&) {
    if (!hideCursor) return FALSE;
    SetCursor(nullptr);
    return TRUE;
}

LRESULT FullScreenSaverWnd::OnNcActivate(const Msg& msg) {
    if (msg.wParam != FALSE || verifying) return Default();
    return FALSE;
}

LRESULT FullScreenSaverWnd::OnActivate(const Msg& msg) {
    if (LOWORD(msg.wParam) == WA_INACTIVE) RequestClose();
    return Default();
}

LRESULT FullScreenSaverWnd::OnActivateApp(const Msg& msg) {
    if (msg.wParam == FALSE) RequestClose();
    return Default();
}

LRESULT FullScreenSaverWnd::OnMouseMove(const Msg& msg) {
    const int x = msg.x();
    const int y = msg.y();
    if ((mouseRef.x == -1 && mouseRef.y == -1) || Sequencer().StartingMovie) {
        mouseRef = POINT{x, y};
    } else if (x < mouseRef.x - kMouseSlack || x > mouseRef.x + kMouseSlack ||
               y < mouseRef.y - kMouseSlack || y > mouseRef.y + kMouseSlack) {
        RequestClose();
    }
    return Default();
}

LRESULT FullScreenSaverWnd::OnButtonDown(const Msg&) {
    RequestClose();
    return Default();
}

LRESULT FullScreenSaverWnd::OnSysKeyDown(const Msg&) {
    RequestClose();
    return Default();
}

LRESULT FullScreenSaverWnd::OnKeyDown(const Msg& msg) {
    if (!IsControlKey(static_cast<uint32_t>(msg.wParam))) RequestClose();
    return DisplayWnd::OnKeyDown(msg);
}

LRESULT FullScreenSaverWnd::OnClose(const Msg&) {
    if (!verifying && !Sequencer().StartingMovie) {
        StopTimers();
        verifying = true;
        const BOOL mayClose = VerifyPassword();
        verifying = false;
        if (mayClose && !Sequencer().StartingMovie) {
            ForgetMouse();
            return Default();  // destroys the window
        }
        StartTimers();
    }
    ForgetMouse();
    return 0;
}

LRESULT FullScreenSaverWnd::OnTimer(const Msg& msg) {
    if (msg.wParam == kMouseTimer) {
        ForgetMouse();
        return 0;
    }
    return DisplayWnd::OnTimer(msg);
}

LRESULT FullScreenSaverWnd::OnDestroy(const Msg& msg) {
    if (Sequencer().StartingMovie) return 0;
    DisplayWnd::OnDestroy(msg);
    StopTimers();
    PostQuitMessage(0);
    return 0;
}
