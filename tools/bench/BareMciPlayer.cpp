// pelor_bare_mci: plays files one after another with the bare MCI sequence
// (open, window, where, put, play with notify; close on the notification)
// in a child window centred at the movie's own size on a black topmost
// popup. The gap benchmark measures PELOR.SCR against it. After the last
// file the screen stays black until WM_CLOSE, a key or a mouse button.
//   pelor_bare_mci FILE...
#include "framework/Win32.h"

#include <mmsystem.h>
#include <digitalv.h>

namespace {

constexpr UINT kNext = WM_USER + 2;

struct Player {
    HWND screen = nullptr;
    int next = 0;
    int count = 0;
    char** files = nullptr;
};
Player player;

LRESULT CALLBACK MovieProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == MM_MCINOTIFY) {
        MCI_GENERIC_PARMS close{};
        mciSendCommandA(static_cast<MCIDEVICEID>(lp), MCI_CLOSE, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&close));
        DestroyWindow(wnd);
        PostMessageA(player.screen, kNext, 0, 0);
        return 0;
    }
    return DefWindowProcA(wnd, msg, wp, lp);
}

// Starts the next file; a file that does not open is skipped.
void PlayNext() {
    while (player.next < player.count) {
        char* file = player.files[player.next++];
        HWND movie = CreateWindowExA(0, "PelorBareMovie", "", WS_CHILD, 0, 0, 100, 100, player.screen,
                                     nullptr, GetModuleHandleA(nullptr), nullptr);
        MCI_OPEN_PARMSA open{};
        open.lpstrElementName = file;
        if (movie == nullptr ||
            mciSendCommandA(0, MCI_OPEN, MCI_OPEN_ELEMENT | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&open)) != 0) {
            if (movie != nullptr) DestroyWindow(movie);
            continue;
        }
        MCI_ANIM_WINDOW_PARMSA window{};
        window.hWnd = movie;
        mciSendCommandA(open.wDeviceID, MCI_WINDOW, MCI_ANIM_WINDOW_HWND | MCI_WAIT,
                        reinterpret_cast<DWORD_PTR>(&window));
        MCI_ANIM_RECT_PARMS where{};
        RECT natural{0, 0, 10, 10};
        if (mciSendCommandA(open.wDeviceID, MCI_WHERE, MCI_ANIM_WHERE_SOURCE | MCI_WAIT,
                            reinterpret_cast<DWORD_PTR>(&where)) == 0) {
            natural = where.rc;
        }
        const int w = natural.right - natural.left, h = natural.bottom - natural.top;
        RECT screen;
        GetClientRect(player.screen, &screen);
        SetWindowPos(movie, nullptr, (screen.right - w) / 2, (screen.bottom - h) / 2, w, h,
                     SWP_NOZORDER | SWP_SHOWWINDOW);
        MCI_ANIM_RECT_PARMS put{};
        GetClientRect(movie, &put.rc);
        mciSendCommandA(open.wDeviceID, MCI_PUT, MCI_ANIM_RECT | MCI_ANIM_PUT_DESTINATION | MCI_WAIT,
                        reinterpret_cast<DWORD_PTR>(&put));
        MCI_PLAY_PARMS play{};
        play.dwCallback = reinterpret_cast<DWORD_PTR>(movie);
        if (mciSendCommandA(open.wDeviceID, MCI_PLAY, MCI_NOTIFY, reinterpret_cast<DWORD_PTR>(&play)) == 0) return;
        DestroyWindow(movie);
    }
}

LRESULT CALLBACK ScreenProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case kNext:
        PlayNext();
        return 0;
    case WM_KEYDOWN:
    case WM_LBUTTONDOWN:
        PostMessageA(wnd, WM_CLOSE, 0, 0);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(wnd, msg, wp, lp);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    player.files = __argv + 1;
    player.count = __argc - 1;
    WNDCLASSA wc{};
    wc.hInstance = instance;
    wc.lpfnWndProc = MovieProc;
    wc.lpszClassName = "PelorBareMovie";
    RegisterClassA(&wc);
    wc.lpfnWndProc = ScreenProc;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = "PelorBareScreen";
    RegisterClassA(&wc);
    player.screen = CreateWindowExA(WS_EX_TOPMOST, "PelorBareScreen", "BareMci", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                                    0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                    nullptr, nullptr, instance, nullptr);
    if (player.screen == nullptr) return 1;
    PostMessageA(player.screen, kNext, 0, 0);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
