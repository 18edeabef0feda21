// pelor_bare_black: the least a screen saver does before its first frame:
// a topmost popup over every monitor (the primary screen where the system
// does not report a virtual screen), painted black. The start-up
// benchmark measures PELOR.SCR /s against it. Ends on WM_CLOSE, a key or a
// mouse button.
#include "framework/Win32.h"

namespace {

LRESULT CALLBACK BlackProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
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
    WNDCLASSA wc{};
    wc.lpfnWndProc = BlackProc;
    wc.hInstance = instance;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = "PelorBareBlack";
    if (!RegisterClassA(&wc)) return 1;
    RECT all{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (GetSystemMetrics(SM_CXVIRTUALSCREEN) > 0) {
        all.left = GetSystemMetrics(SM_XVIRTUALSCREEN);
        all.top = GetSystemMetrics(SM_YVIRTUALSCREEN);
        all.right = all.left + GetSystemMetrics(SM_CXVIRTUALSCREEN);
        all.bottom = all.top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
    }
    if (!CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "BareBlack", WS_POPUP | WS_VISIBLE, all.left, all.top,
                         all.right - all.left, all.bottom - all.top, nullptr, nullptr, instance, nullptr)) {
        return 1;
    }
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
