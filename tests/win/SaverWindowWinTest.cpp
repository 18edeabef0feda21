#include <gtest/gtest.h>

#include <string>

#include "framework/RegistryProfile.h"
#include "saver/playback/DibImage.h"
#include "saver/playback/MovieWnd.h"
#include "saver/resources/resource.h"
#include "saver/settings/MediaItem.h"
#include "saver/settings/SettingsNames.h"
#include "saver/shell/FullScreenSaverWnd.h"
#include "saver/shell/PreviewWnd.h"
#include "tests/win/support/MediaFiles.h"
#include "tests/win/support/Pump.h"
#include "tests/win/support/TestRegistry.h"

namespace {

const char kCompany[] = "Tolvane Arts Tests";
const char kApp[] = "SaverWindow";

// A full-screen window on an empty playlist, past the start of its logo
// window. The object deletes itself when its window goes.
struct Saver {
    Saver() : key(HKEY_CURRENT_USER, std::string("Software\\") + kCompany + "\\" + kApp),
              store(kCompany, kApp) {
        auto* made = new FullScreenSaverWnd(store, nullptr);
        if (!made->CreateFullScreen()) {
            delete made;
            return;
        }
        wnd = made->m_hWnd;
        window = made;
        PumpUntil([&] { return made->MovieWindow() != nullptr && !made->Sequencer().StartingMovie(); },
                  3000);
        PumpFor(50);
    }
    ~Saver() {
        if (IsWindow(wnd)) DestroyWindow(wnd);
        PumpFor(20);
    }
    bool Alive() const { return IsWindow(wnd) != FALSE; }
    void Send(UINT message, WPARAM wParam, LPARAM lParam) {
        PostMessageA(wnd, message, wParam, lParam);
        PumpFor(60);
    }
    void MoveTo(int x, int y) { Send(WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); }
    // Puts the real pointer at (x, y), forgets any reference it set on the
    // way, and makes (x, y) the reference.
    void Reference(int x, int y) {
        SetCursorPos(x, y);
        PumpFor(300);
        Send(WM_TIMER, 3, 0);
        MoveTo(x, y);
    }

    ScratchKey key;
    RegistryProfileStore store;
    HWND wnd = nullptr;
    FullScreenSaverWnd* window = nullptr;
};

TEST(FullScreenSaverWnd, CoversTheScreenTopmostWithTheMouseCaptured) {
    Saver saver;
    ASSERT_TRUE(saver.Alive());
    const RECT r = [&] { RECT x{}; GetWindowRect(saver.wnd, &x); return x; }();
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(r.bottom, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(GetWindowLongPtrA(saver.wnd, GWL_STYLE) & (WS_POPUP | WS_VISIBLE), WS_POPUP | WS_VISIBLE);
    EXPECT_TRUE(GetWindowLongPtrA(saver.wnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(GetCapture(), saver.wnd);
    EXPECT_TRUE(saver.window->hideCursor);
    // Timer 3 runs: killing it succeeds only when it exists.
    EXPECT_TRUE(KillTimer(saver.wnd, 3));
}

RECT WindowRectOf(HWND wnd) {
    RECT r{};
    GetWindowRect(wnd, &r);
    return r;
}

TEST(FullScreenSaverWnd, ADisplayChangeResizesTheWindowAndPlacesTheMovieAgain) {
    // Wine does not tell a running program about a display change, so the
    // test sends the message the system sends, with the new size.
    MediaFolder media;
    ScratchKey key(HKEY_CURRENT_USER, std::string("Software\\") + kCompany + "\\" + kApp);
    RegistryProfileStore store(kCompany, kApp);
    store.WriteProfileInt(names::kConfigSection, names::kNumAVI, 1);
    const std::string clip = media.Avi("wide.avi", 320, 180, 10, 10);
    store.WriteProfileString(names::kConfigSection, ItemValueName(0, names::kItemFile).c_str(), clip.c_str());
    store.WriteProfileInt(names::kConfigSection, ItemValueName(0, names::kItemScale).c_str(), ScaleFullScreen);
    store.WriteProfileInt(names::kConfigSection, ItemValueName(0, names::kItemLoopInfinite).c_str(), 1);
    auto* saver = new FullScreenSaverWnd(store, nullptr);
    ASSERT_TRUE(saver->CreateFullScreen());
    const HWND wnd = saver->m_hWnd;
    ASSERT_TRUE(PumpUntil([&] { return saver->MovieWindow() != nullptr && !saver->Sequencer().StartingMovie(); },
                          5000));
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    struct Case {
        int width, height;
    };
    // Smaller, bigger, and back to the screen as it is.
    for (const Case c : {Case{cx / 2, cy / 2}, Case{cx + 200, cy + 150}, Case{cx, cy}}) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
        SendMessageA(wnd, WM_DISPLAYCHANGE, 32, MAKELPARAM(c.width, c.height));
        PumpFor(100);
        const RECT r = WindowRectOf(wnd);
        EXPECT_EQ(r.left, 0);
        EXPECT_EQ(r.top, 0);
        EXPECT_EQ(r.right, c.width);
        EXPECT_EQ(r.bottom, c.height);
        EXPECT_EQ(saver->WindowRect().right, c.width);
        EXPECT_EQ(saver->WindowRect().bottom, c.height);
        // The movie is letterboxed at the new full-screen size, in the middle.
        ASSERT_NE(saver->MovieWindow(), nullptr);
        const RECT m = WindowRectOf(saver->MovieWindow()->m_hWnd);
        // The screens are wider than 16:9 is tall: the width decides.
        const int width = c.width;
        const int height = c.width * 180 / 320;
        EXPECT_EQ(m.right - m.left, width);
        EXPECT_EQ(m.bottom - m.top, height);
        EXPECT_EQ(m.left, (c.width - width) / 2);
        EXPECT_EQ(m.top, (c.height - height) / 2);
    }
    DestroyWindow(wnd);
    PumpFor(50);
}

TEST(FullScreenSaverWnd, TwoPixelMovesStayAndThreeClose) {
    struct Case {
        int dx, dy;
        bool closes;
    };
    const Case cases[] = {{2, 2, false}, {-2, -2, false}, {2, -2, false}, {0, 0, false},
                          {3, 0, true},  {0, -3, true},   {-3, 2, true},  {40, 40, true}};
    // The pointer's own first move to the reference point arrives late under Wine.
    SetCursorPos(100, 100);
    PumpFor(500);
    for (const Case& c : cases) {
        Saver saver;
        ASSERT_TRUE(saver.Alive());
        saver.Reference(100, 100);
        saver.MoveTo(100 + c.dx, 100 + c.dy);
        PumpFor(100);
        EXPECT_EQ(!saver.Alive(), c.closes) << c.dx << "," << c.dy;
    }
}

TEST(FullScreenSaverWnd, TheMouseTimerForgetsTheReference) {
    Saver saver;
    saver.Reference(100, 100);
    SetCursorPos(300, 300);
    saver.Send(WM_TIMER, 3, 0);
    saver.MoveTo(300, 300);  // a new reference, not a move
    EXPECT_TRUE(saver.Alive());
    saver.MoveTo(302, 298);
    EXPECT_TRUE(saver.Alive());
    saver.MoveTo(305, 298);
    PumpFor(100);
    EXPECT_FALSE(saver.Alive());
}

TEST(FullScreenSaverWnd, ControlKeysStayOtherInputCloses) {
    struct Case {
        UINT message;
        WPARAM wParam;
        bool closes;
    };
    const Case cases[] = {
        {WM_KEYDOWN, 'M', false},          {WM_KEYDOWN, VK_UP, false},
        {WM_KEYDOWN, VK_DOWN, false},      {WM_KEYDOWN, VK_SUBTRACT, false},
        {WM_SYSCOMMAND, SC_SCREENSAVE, false}, {WM_SYSCOMMAND, SC_CLOSE, false},
        {WM_KEYDOWN, VK_SPACE, true},      {WM_KEYDOWN, VK_ESCAPE, true},
        {WM_KEYDOWN, VK_SHIFT, true},      {WM_KEYDOWN, VK_RETURN, true},
        {WM_SYSKEYDOWN, VK_MENU, true},    {WM_LBUTTONDOWN, 0, true},
        {WM_RBUTTONDOWN, 0, true},         {WM_MBUTTONDOWN, 0, true},
        {WM_ACTIVATEAPP, FALSE, true},     {WM_ACTIVATE, WA_INACTIVE, true},
    };
    for (const Case& c : cases) {
        Saver saver;
        ASSERT_TRUE(saver.Alive());
        saver.Send(c.message, c.wParam, 0);
        PumpFor(100);
        EXPECT_EQ(!saver.Alive(), c.closes) << c.message << " " << c.wParam;
    }
}

TEST(FullScreenSaverWnd, ACloseRequestWhileAMovieStartsIsDropped) {
    Saver saver;
    saver.window->Sequencer().BeginStart();
    saver.Send(WM_CLOSE, 0, 0);
    EXPECT_TRUE(saver.Alive());
    saver.window->Sequencer().EndStart();
    saver.Send(WM_CLOSE, 0, 0);
    EXPECT_FALSE(saver.Alive());
}

TEST(DibImage, TheLogoResource) {
    HRSRC found = FindResourceA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_LOGO), MAKEINTRESOURCEA(2));
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(SizeofResource(GetModuleHandleA(nullptr), found), 11064u);
    DibImage logo(IDB_LOGO);
    ASSERT_TRUE(logo.IsValid());
    EXPECT_EQ(logo.Width(), 100);
    EXPECT_EQ(logo.Height(), 100);
    EXPECT_EQ(logo.ColorCount(), 256u);
    EXPECT_EQ(logo.Info()->bmiHeader.biSizeImage, 10000u);
    EXPECT_EQ(logo.Info()->bmiHeader.biBitCount, 8);
    Palette palette = logo.MakePalette();
    ASSERT_TRUE(palette);
    PALETTEENTRY entry{};
    EXPECT_EQ(GetPaletteEntries(palette.get(), 0, 256, nullptr), 256u);
    GetPaletteEntries(palette.get(), 1, 1, &entry);
    EXPECT_EQ(entry.peRed, logo.ColorTable()[1].rgbRed);
    EXPECT_EQ(entry.peFlags, PC_NOCOLLAPSE);
}

TEST(DibImage, AMissingResourceIsEmpty) {
    DibImage none(4242);
    EXPECT_FALSE(none.IsValid());
    EXPECT_EQ(none.Width(), 0);
    EXPECT_FALSE(none.MakePalette());
}

LRESULT CALLBACK HostProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(wnd, message, wParam, lParam);
}

TEST(PreviewWnd, TheLogoIsCentredInThePreviewArea) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &HostProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = CreateSolidBrush(RGB(0, 128, 128));
    wc.lpszClassName = "PelorPreviewHostTest";
    RegisterClassA(&wc);
    HWND host = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 10, 10,
                                152, 112, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(host, nullptr);
    RECT area{};
    GetClientRect(host, &area);
    auto* preview = new PreviewWnd();
    ASSERT_TRUE(preview->Create(0, WS_CHILD | WS_VISIBLE, area, host));
    HWND child = preview->m_hWnd;
    UpdateWindow(child);
    PumpFor(200);
    HDC dc = GetDC(child);
    const COLORREF corner = GetPixel(dc, 26, 6);
    EXPECT_NE(corner, RGB(0, 0, 0));
    EXPECT_NE(corner, RGB(0, 128, 128));
    EXPECT_EQ(GetPixel(dc, 25, 6), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(dc, 26, 5), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(dc, 125, 105), corner);  // the frame's far corner
    EXPECT_EQ(GetPixel(dc, 126, 106), RGB(0, 0, 0));
    ReleaseDC(child, dc);
    DestroyWindow(host);  // takes the preview, which deletes itself
    EXPECT_FALSE(IsWindow(child));
    PumpFor(20);
    DeleteObject(wc.hbrBackground);
}

}  // namespace
