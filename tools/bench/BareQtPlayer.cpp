// pelor_bare_qt: plays .mov files one after another straight through the
// media stack our QuickTime library uses (its movie, on the path the system
// offers: Media Foundation, or DirectShow where mfplat is off; no binding,
// no saver): each centred at its own size on a black topmost popup, the next
// one opened when the graph reports the end. The QuickTime benchmarks
// measure PELOR.SCR against it. After the last file the screen stays black
// until WM_CLOSE, a key or a mouse button.
//   pelor_bare_qt FILE...
#include <windows.h>

#include <memory>

#include "quicktime/Movie.h"

namespace {

constexpr UINT kNext = WM_USER + 2;

struct Player {
    HWND screen = nullptr;
    int next = 0;
    int count = 0;
    char** files = nullptr;
    std::unique_ptr<Movie> movie;
};
Player player;

// Opens the next file that the library's movie can play and starts it.
void PlayNext() {
    player.movie.reset();
    while (player.next < player.count) {
        std::unique_ptr<Movie> movie = Movie::Open(player.files[player.next++], player.screen);
        if (!movie) continue;
        const QtRect box = movie->Box();
        const int w = box.right - box.left, h = box.bottom - box.top;
        RECT screen;
        GetClientRect(player.screen, &screen);
        const int16_t left = static_cast<int16_t>((screen.right - w) / 2);
        const int16_t top = static_cast<int16_t>((screen.bottom - h) / 2);
        movie->ShowAt(QtRect{top, left, static_cast<int16_t>(top + h), static_cast<int16_t>(left + w)});
        movie->Start();
        player.movie = std::move(movie);
        return;
    }
}

LRESULT CALLBACK ScreenProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case kNext:
        PlayNext();
        return 0;
    case MediaFoundationMovie::kEventMessage:
        if (player.movie) {
            player.movie->Service();
            if (player.movie->Done()) PostMessageA(wnd, kNext, 0, 0);
        }
        return 0;
    case WM_KEYDOWN:
    case WM_LBUTTONDOWN:
        PostMessageA(wnd, WM_CLOSE, 0, 0);
        return 0;
    case WM_DESTROY:
        player.movie.reset();
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(wnd, msg, wp, lp);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    player.files = __argv + 1;
    player.count = __argc - 1;
    WNDCLASSA wc{};
    wc.hInstance = instance;
    wc.lpfnWndProc = ScreenProc;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = "PelorBareQtScreen";
    RegisterClassA(&wc);
    player.screen = CreateWindowExA(WS_EX_TOPMOST, "PelorBareQtScreen", "BareQt", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                                    0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                    nullptr, nullptr, instance, nullptr);
    if (player.screen == nullptr) return 1;
    PostMessageA(player.screen, kNext, 0, 0);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    Movie::Unload();
    CoUninitialize();
    return 0;
}
