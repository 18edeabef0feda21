// The covers of the monitors besides the primary screen, at the real
// run-mode window. Under a one-monitor screen only the first case has
// anything to check; tests/e2e/test_monitors.sh runs them all on two.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/RegistryProfile.h"
#include "saver/shell/FullScreenSaverWnd.h"
#include "tests/win/support/Pump.h"
#include "tests/win/support/TestRegistry.h"

namespace {

const char kCompany[] = "Tolvane Arts Tests";
const char kApp[] = "MonitorCover";

BOOL CALLBACK AddOther(HMONITOR monitor, HDC, LPRECT, LPARAM param) {
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    if (GetMonitorInfoA(monitor, &mi) && !(mi.dwFlags & MONITORINFOF_PRIMARY)) {
        reinterpret_cast<std::vector<RECT>*>(param)->push_back(mi.rcMonitor);
    }
    return TRUE;
}

// The centre of the first monitor besides the primary one.
POINT OtherCentre(const std::vector<RECT>& others) {
    return POINT{(others[0].left + others[0].right) / 2, (others[0].top + others[0].bottom) / 2};
}

// Puts the pointer at `at` before a saver starts: its own move there arrives
// late under Wine and would count as activity.
void Park(POINT at) {
    SetCursorPos(at.x, at.y);
    PumpFor(500);
}

// The monitors the system reports besides the primary one.
std::vector<RECT> OtherMonitors() {
    std::vector<RECT> others;
    EnumDisplayMonitors(nullptr, nullptr, &AddOther, reinterpret_cast<LPARAM>(&others));
    return others;
}

struct OwnedList {
    HWND owner;
    std::vector<HWND> found;
};

BOOL CALLBACK AddOwned(HWND wnd, LPARAM param) {
    auto* list = reinterpret_cast<OwnedList*>(param);
    if (GetWindow(wnd, GW_OWNER) == list->owner) list->found.push_back(wnd);
    return TRUE;
}

// A full-screen window on an empty playlist, past the start of its logo.
struct Saver {
    Saver() : key(HKEY_CURRENT_USER, std::string("Software\\") + kCompany + "\\" + kApp), store(kCompany, kApp) {
        auto* made = new FullScreenSaverWnd(store, nullptr);
        if (!made->CreateFullScreen()) {
            delete made;
            return;
        }
        wnd = made->m_hWnd;
        window = made;
        PumpUntil([&] { return made->MovieWindow() != nullptr && !made->Sequencer().StartingMovie(); }, 3000);
        PumpFor(100);
    }
    ~Saver() {
        if (IsWindow(wnd)) DestroyWindow(wnd);
        PumpFor(20);
    }
    bool Alive() const { return IsWindow(wnd) != FALSE; }
    // The top-level windows the full-screen window owns.
    std::vector<HWND> Covers() const {
        OwnedList list{wnd, {}};
        EnumThreadWindows(GetCurrentThreadId(), &AddOwned, reinterpret_cast<LPARAM>(&list));
        return list.found;
    }
    // Makes (x, y), in screen coordinates, the mouse reference.
    void Reference(int x, int y) {
        SetCursorPos(x, y);
        PumpFor(300);
        PostMessageA(wnd, WM_TIMER, 3, 0);
        PumpFor(60);
        POINT at{x, y};
        ScreenToClient(wnd, &at);
        PostMessageA(wnd, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
        PumpFor(60);
    }

    ScratchKey key;
    RegistryProfileStore store;
    HWND wnd = nullptr;
    FullScreenSaverWnd* window = nullptr;
};

RECT WindowRect(HWND wnd) {
    RECT r{};
    GetWindowRect(wnd, &r);
    return r;
}

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(MonitorCover, OneBlackTopmostCoverPerOtherMonitorThatTakesNoActivation) {
    const std::vector<RECT> others = OtherMonitors();
    Saver saver;
    ASSERT_TRUE(saver.Alive());
    const std::vector<HWND> covers = saver.Covers();
    ASSERT_EQ(covers.size(), others.size()) << "one cover per monitor besides the primary one, none with one monitor";
    for (size_t i = 0; i < covers.size(); ++i) {
        HWND cover = covers[i];
        bool matched = false;
        for (const RECT& monitor : others) matched = matched || SameRect(WindowRect(cover), monitor);
        EXPECT_TRUE(matched) << "cover " << i << " lies exactly over a monitor";
        EXPECT_TRUE(IsWindowVisible(cover));
        const LONG_PTR style = GetWindowLongPtrA(cover, GWL_STYLE);
        const LONG_PTR ex = GetWindowLongPtrA(cover, GWL_EXSTYLE);
        EXPECT_EQ(style & (WS_POPUP | WS_CAPTION | WS_THICKFRAME), WS_POPUP);
        EXPECT_TRUE(ex & WS_EX_TOPMOST);
        EXPECT_TRUE(ex & WS_EX_NOACTIVATE);
        EXPECT_EQ(SendMessageA(cover, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(saver.wnd),
                               MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
                  MA_NOACTIVATE);
        // Black: the class brush paints it.
        const HBRUSH brush = reinterpret_cast<HBRUSH>(GetClassLongPtrA(cover, GCLP_HBRBACKGROUND));
        EXPECT_EQ(brush, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    // The full-screen window keeps the activation, the capture and the focus
    // (its movie window's), and nothing it made asked it to close.
    EXPECT_EQ(GetActiveWindow(), saver.wnd);
    EXPECT_EQ(GetForegroundWindow(), saver.wnd);
    EXPECT_EQ(GetCapture(), saver.wnd);
    EXPECT_EQ(GetFocus(), GetWindow(saver.wnd, GW_CHILD));
    PumpFor(300);
    EXPECT_TRUE(saver.Alive());
}

TEST(MonitorCover, InputOverACoverGoesThroughTheSaversThreshold) {
    const std::vector<RECT> others = OtherMonitors();
    if (others.empty()) GTEST_SKIP() << "one monitor";
    const POINT centre = OtherCentre(others);
    Park(centre);
    struct Case {
        const char* name;
        UINT message;
        int dx, dy;
        bool closes;
    };
    const Case cases[] = {
        {"a move of 2 pixels", WM_MOUSEMOVE, 2, -2, false},
        {"a move of 3 pixels", WM_MOUSEMOVE, 0, 3, true},
        {"a left click", WM_LBUTTONDOWN, 0, 0, true},
        {"a right click", WM_RBUTTONDOWN, 0, 0, true},
        {"a middle click", WM_MBUTTONDOWN, 0, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Saver saver;
        ASSERT_TRUE(saver.Alive());
        const std::vector<HWND> covers = saver.Covers();
        ASSERT_FALSE(covers.empty());
        const RECT monitor = WindowRect(covers[0]);
        const int x = centre.x, y = centre.y;
        saver.Reference(x, y);
        ASSERT_TRUE(saver.Alive());
        EXPECT_EQ(saver.window->mouseRef.x, x) << "the reference in the full-screen window's coordinates";
        EXPECT_EQ(saver.window->mouseRef.y, y);
        // The cover's own client coordinates, as the system gives them to it.
        const int cx = x - monitor.left + c.dx, cy = y - monitor.top + c.dy;
        SendMessageA(covers[0], c.message, 0, MAKELPARAM(cx, cy));
        PumpFor(150);
        EXPECT_EQ(!saver.Alive(), c.closes);
        if (saver.Alive()) {
            // The same close path: a close request from the cover's input was
            // not queued to end the saver later.
            PumpFor(200);
            EXPECT_TRUE(saver.Alive());
        }
    }
}

TEST(MonitorCover, TheFullScreenWindowDecidesTheCursorOverACover) {
    const std::vector<RECT> others = OtherMonitors();
    if (others.empty()) GTEST_SKIP() << "one monitor";
    const POINT centre = OtherCentre(others);
    Park(centre);
    Saver saver;
    ASSERT_TRUE(saver.Alive());
    const std::vector<HWND> covers = saver.Covers();
    ASSERT_FALSE(covers.empty());
    const LPARAM client = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    EXPECT_TRUE(SendMessageA(covers[0], WM_SETCURSOR, reinterpret_cast<WPARAM>(covers[0]), client));
    EXPECT_EQ(GetCursor(), nullptr) << "hidden while the saver runs";
    // As while the password dialog is up.
    saver.window->hideCursor = false;
    SendMessageA(covers[0], WM_SETCURSOR, reinterpret_cast<WPARAM>(covers[0]), client);
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_ARROW));
    saver.window->hideCursor = true;
    // A disabled owner (a modal dialog is up) takes no input through its cover.
    saver.Reference(centre.x, centre.y);
    ASSERT_TRUE(saver.Alive());
    EnableWindow(saver.wnd, FALSE);
    SendMessageA(covers[0], WM_LBUTTONDOWN, 0, MAKELPARAM(centre.x - others[0].left, centre.y - others[0].top));
    PumpFor(150);
    EnableWindow(saver.wnd, TRUE);
    EXPECT_TRUE(saver.Alive());
}

TEST(MonitorCover, CoversGoWithTheFullScreenWindowAndFollowADisplayChange) {
    if (OtherMonitors().empty()) GTEST_SKIP() << "one monitor";
    Saver saver;
    ASSERT_TRUE(saver.Alive());
    const std::vector<HWND> before = saver.Covers();
    ASSERT_FALSE(before.empty());
    SendMessageA(saver.wnd, WM_DISPLAYCHANGE, 32, MAKELPARAM(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)));
    PumpFor(200);
    const std::vector<HWND> after = saver.Covers();
    EXPECT_EQ(after.size(), before.size()) << "made afresh for the same monitors";
    for (HWND old : before) EXPECT_FALSE(IsWindow(old));
    EXPECT_TRUE(saver.Alive()) << "a display change is not activity";
    DestroyWindow(saver.wnd);
    PumpFor(50);
    for (HWND cover : after) EXPECT_FALSE(IsWindow(cover)) << "nothing of them outlives run mode";
}

}  // namespace
