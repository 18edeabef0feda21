#include "saver/shell/FullScreenSaverWnd.h"

#include "framework/LateBound.h"
#include "framework/WinApp.h"
#include "saver/playback/PlaybackMessages.h"
#include "saver/playback/SaverKeys.h"
#include "saver/settings/SettingsNames.h"
#include "saver/shell/OwnProcess.h"
#include "saver/shell/PasswordCheck.h"
#include "saver/shell/PowerEvent.h"
#include "saver/shell/TimerPeriod.h"

namespace {
constexpr UINT kMouseMilliseconds = 3000;
static_assert(kTimerMinimumMs == USER_TIMER_MINIMUM && kTimerMaximumMs == USER_TIMER_MAXIMUM,
              "timer bounds as SetTimer takes them");
// How far the pointer may stray from its reference without ending the saver.
constexpr int kMouseSlack = 2;
}  // namespace

FullScreenSaverWnd::FullScreenSaverWnd() : DisplayWnd(true) {}

FullScreenSaverWnd::FullScreenSaverWnd(ProfileStore& store, MachineDefaults* machine)
    : DisplayWnd(store, machine, true) {}

bool FullScreenSaverWnd::CreateFullScreen() {
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (!Create(WS_EX_TOPMOST, WS_POPUP | WS_VISIBLE, screen, nullptr)) return false;
    // Black the screen now, before the queued start of the playlist opens a
    // device: the first frame is what the user waits for.
    UpdateWindow(m_hWnd);
    covers_.Cover(m_hWnd);
    return true;
}

void FullScreenSaverWnd::StartTimers() {
    ::SetTimer(m_hWnd, kMouseTimer, kMouseMilliseconds, nullptr);
    if (Settings().Delay) ::SetTimer(m_hWnd, kStopTimer, MinutesToTimerPeriod(Settings().DelayMinutes), nullptr);
    if (Settings().Power) ::SetTimer(m_hWnd, kPowerTimer, MinutesToTimerPeriod(Settings().PowerMinutes), nullptr);
}

void FullScreenSaverWnd::StopTimers() {
    ::KillTimer(m_hWnd, kMouseTimer);
    if (Settings().Delay) ::KillTimer(m_hWnd, kStopTimer);
    if (Settings().Power) ::KillTimer(m_hWnd, kPowerTimer);
}

void FullScreenSaverWnd::StopPlayback() {
    StopTimers();
    Sequencer().EnablePlayback(false);
    DestroyMovieWindow();
}

void FullScreenSaverWnd::ResumePlayback() {
    StartTimers();
    Sequencer().EnablePlayback(true);
    Advance();
}

BOOL FullScreenSaverWnd::VerifyPassword() {
    const VerifyScreenSavePwdFn verify = FindPasswordCheck(passwordLibrary_);
    if (verify == nullptr) return TRUE;
    // The cursor stays visible over this window while the dialog is up.
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    hideCursor = false;
    const BOOL answer = verify(m_hWnd);
    hideCursor = true;
    CaptureInput();
    return answer;
}

LRESULT FullScreenSaverWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // Power events come before anything else the window does.
    if (message == WM_POWERBROADCAST) return OnPowerBroadcast(wParam);
    static const MessageEntry<FullScreenSaverWnd> kHandlers[] = {
        {WM_CREATE, &FullScreenSaverWnd::OnCreate},
        {WM_SYSCOMMAND, &FullScreenSaverWnd::OnSysCommand},
        {WM_SETCURSOR, &FullScreenSaverWnd::OnSetCursor},
        {WM_NCACTIVATE, &FullScreenSaverWnd::OnNcActivate},
        {WM_ACTIVATE, &FullScreenSaverWnd::OnActivate},
        {WM_ACTIVATEAPP, &FullScreenSaverWnd::OnActivateApp},
        {WM_CAPTURECHANGED, &FullScreenSaverWnd::OnCaptureChanged},
        {UM_TAKEBACKINPUT, &FullScreenSaverWnd::OnTakeBackInput},
        {WM_MOUSEMOVE, &FullScreenSaverWnd::OnMouseMove},
        {WM_LBUTTONDOWN, &FullScreenSaverWnd::OnButtonDown},
        {WM_RBUTTONDOWN, &FullScreenSaverWnd::OnButtonDown},
        {WM_MBUTTONDOWN, &FullScreenSaverWnd::OnButtonDown},
        {WM_SYSKEYDOWN, &FullScreenSaverWnd::OnSysKeyDown},
        {WM_KEYDOWN, &FullScreenSaverWnd::OnKeyDown},
        {WM_CLOSE, &FullScreenSaverWnd::OnClose},
        {WM_TIMER, &FullScreenSaverWnd::OnTimer},
        {WM_DESTROY, &FullScreenSaverWnd::OnDestroy},
        {WM_DISPLAYCHANGE, &FullScreenSaverWnd::OnDisplayChange},
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
    if (LOWORD(msg.wParam) == WA_INACTIVE) {
        // A window of the saver's own process (a media device's video
        // window, say) taking the activation is not the user.
        // Activation moving to another thread may not name the window it
        // goes to; by now that window is the foreground one.
        HWND to = reinterpret_cast<HWND>(msg.lParam);
        if (to == nullptr) to = GetForegroundWindow();
        if (IsOtherOwnWindow(to)) {
            TakeBackInput();
        } else {
            RequestClose();
        }
    }
    return Default();
}

LRESULT FullScreenSaverWnd::OnActivateApp(const Msg& msg) {
    if (msg.wParam == FALSE) {
        const DWORD to = static_cast<DWORD>(msg.lParam);
        if (to != 0 ? IsOwnProcessThread(to) : IsOtherOwnWindow(GetForegroundWindow())) {
            TakeBackInput();
        } else {
            RequestClose();
        }
    }
    return Default();
}

LRESULT FullScreenSaverWnd::OnCaptureChanged(const Msg& msg) {
    // The saver holds the mouse while it runs; only the password dialog and
    // the window's end may take it.
    if (reinterpret_cast<HWND>(msg.lParam) != m_hWnd) TakeBackInput();
    return Default();
}

LRESULT FullScreenSaverWnd::OnTakeBackInput(const Msg&) {
    takeBackPosted_ = false;
    if (verifying || destroying_) return 0;
    if (GetForegroundWindow() != m_hWnd && IsOwnProcessWindow(GetForegroundWindow())) SetForegroundWindow(m_hWnd);
    if (GetCapture() != m_hWnd) CaptureInput();
    return 0;
}

bool FullScreenSaverWnd::IsOtherOwnWindow(HWND wnd) const {
    return wnd != m_hWnd && IsOwnProcessWindow(wnd);
}

void FullScreenSaverWnd::TakeBackInput() {
    if (verifying || destroying_ || takeBackPosted_) return;
    takeBackPosted_ = true;
    PostMessage(UM_TAKEBACKINPUT);
}

LRESULT FullScreenSaverWnd::OnMouseMove(const Msg& msg) {
    const int x = msg.x();
    const int y = msg.y();
    if ((mouseRef.x == -1 && mouseRef.y == -1) || Sequencer().StartingMovie()) {
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
    if (!verifying && !Sequencer().StartingMovie()) {
        StopTimers();
        verifying = true;
        const BOOL mayClose = VerifyPassword();
        verifying = false;
        if (mayClose && !Sequencer().StartingMovie()) {
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
    if (msg.wParam == kStopTimer) {
        // Once only: a later StartTimers of this run leaves timer 5 alone.
        ::KillTimer(m_hWnd, kStopTimer);
        Settings().Delay = 0;
        Sequencer().EnablePlayback(false);
        DestroyMovieWindow();
        return 0;
    }
    if (msg.wParam == kPowerTimer) {
        StopPlayback();
        // Windows NT 4.0 has no SetSystemPowerState: there the saver only stops.
        static auto* suspend = LateBound<decltype(SetSystemPowerState)>("kernel32.dll", "SetSystemPowerState");
        if (suspend != nullptr) suspend(TRUE, FALSE);
        return 0;
    }
    return DisplayWnd::OnTimer(msg);
}

LRESULT FullScreenSaverWnd::OnDestroy(const Msg& msg) {
    covers_.Clear();
    destroying_ = true;
    if (Sequencer().StartingMovie()) return 0;
    DisplayWnd::OnDestroy(msg);
    StopTimers();
    PostQuitMessage(0);
    return 0;
}

LRESULT FullScreenSaverWnd::OnDisplayChange(const Msg& msg) {
    // The message carries the primary screen's new size.
    int width = LOWORD(msg.lParam), height = HIWORD(msg.lParam);
    if (width == 0 || height == 0) {
        width = GetSystemMetrics(SM_CXSCREEN);
        height = GetSystemMetrics(SM_CYSCREEN);
    }
    Resize(RECT{0, 0, width, height});
    covers_.Cover(m_hWnd);
    return Default();
}

LRESULT FullScreenSaverWnd::OnPowerBroadcast(WPARAM event) {
    switch (PlanPowerEvent(static_cast<uint32_t>(event))) {
    case PowerAction::StopPlayback: StopPlayback(); break;
    case PowerAction::ResumePlayback: ResumePlayback(); break;
    case PowerAction::Close: RequestClose(); break;
    case PowerAction::None: break;
    }
    return TRUE;
}
