// pelor_bare_black: the least a screen saver does before its first frame:
// a topmost popup over the primary screen, painted black. The start-up
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
    if (!CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "BareBlack", WS_POPUP | WS_VISIBLE, 0, 0,
                         GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                         instance, nullptr)) {
        return 1;
    }
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
