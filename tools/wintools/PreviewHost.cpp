// pelor_preview_host: stands in for the display settings' preview area. It
// shows a dark cyan borderless window whose client area is WIDTH x HEIGHT at
// (X, Y) on the screen, starts "SAVER /p <its handle>", and after SECONDS
// destroys its window, which takes the preview window with it.
//   pelor_preview_host SAVER [SECONDS [X Y WIDTH HEIGHT]]
// Prints the handle it passed, then, once the saver has put a window inside
// the host, "child LEFT TOP RIGHT BOTTOM VISIBLE" in host client coordinates
// (Wine does not show what another process draws in a child window, so this
// is what a script can see of it). Exits with the saver's exit code, or 3
// when the saver did not end within 10 s of the host's window going away.
#include "framework/Win32.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "tools/wintools/ChildProcess.h"

namespace {

constexpr UINT_PTR kEndTimer = 1;
constexpr UINT_PTR kChildTimer = 2;

constexpr DWORD kMostWaitForVisibleMs = 5000;

// Prints the first child window of `host` once, and stops looking. A child
// of another process is linked into the host before its creation has made
// it visible, so an invisible child is reported only once it has had time.
void ReportChild(HWND host, DWORD since) {
    HWND child = GetWindow(host, GW_CHILD);
    if (child == nullptr) return;
    if (!IsWindowVisible(child) && GetTickCount() - since < kMostWaitForVisibleMs) return;
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, host, reinterpret_cast<POINT*>(&r), 2);
    std::printf("child %ld %ld %ld %ld %d\n", r.left, r.top, r.right, r.bottom,
                IsWindowVisible(child) ? 1 : 0);
    std::fflush(stdout);
    KillTimer(host, kChildTimer);
}

LRESULT CALLBACK HostProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    static const DWORD started = GetTickCount();
    switch (msg) {
    case WM_TIMER:
        if (wp == kEndTimer) DestroyWindow(wnd);
        if (wp == kChildTimer) ReportChild(wnd, started);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(wnd, msg, wp, lp);
    }
}

int Arg(int argc, char** argv, int i, int def) { return argc > i ? std::atoi(argv[i]) : def; }

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: pelor_preview_host SAVER [SECONDS [X Y WIDTH HEIGHT]]\n");
        return 2;
    }
    const int seconds = Arg(argc, argv, 2, 10);
    const int x = Arg(argc, argv, 3, 100), y = Arg(argc, argv, 4, 100);
    const int w = Arg(argc, argv, 5, 152), h = Arg(argc, argv, 6, 112);

    WNDCLASSA wc{};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = CreateSolidBrush(RGB(0, 128, 128));
    wc.lpszClassName = "PelorPreviewHost";
    RegisterClassA(&wc);
    HWND host = CreateWindowExA(0, wc.lpszClassName, "PreviewHost", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                                x, y, w, h, nullptr, nullptr, wc.hInstance, nullptr);
    if (host == nullptr) return 2;
    UpdateWindow(host);
    SetTimer(host, kEndTimer, static_cast<UINT>(seconds) * 1000, nullptr);
    SetTimer(host, kChildTimer, 50, nullptr);

    const std::string handle = std::to_string(reinterpret_cast<UINT_PTR>(host));
    std::printf("%s\n", handle.c_str());
    std::fflush(stdout);
    ChildProcess saver(Quoted(argv[1]) + " /p " + handle);
    if (!saver.Started()) {
        DestroyWindow(host);
        return 2;
    }
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    DeleteObject(wc.hbrBackground);
    if (!saver.Wait(10000)) {
        saver.Kill();
        return 3;
    }
    return static_cast<int>(saver.ExitCode());
}
