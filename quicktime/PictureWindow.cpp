#include "quicktime/PictureWindow.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

constexpr char kClass[] = "PelorQtMoviePicture";
constexpr UINT_PTR kTickTimer = 1;
constexpr UINT kTickMilliseconds = 30;

// This library's own module, from the linker's image base symbol rather than
// GetModuleHandleExA, which Windows before XP lacks.
HINSTANCE LibraryModule() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

}  // namespace

bool PictureWindow::Create(HWND parent, PictureSource* source) {
    Destroy();
    WNDCLASSA wc{};
    wc.lpfnWndProc = &Proc;
    wc.hInstance = LibraryModule();
    wc.lpszClassName = kClass;
    RegisterClassA(&wc);  // fails harmlessly when registered already
    wnd_ = CreateWindowExA(0, kClass, "", WS_CHILD | WS_DISABLED, 0, 0, 0, 0, parent, nullptr, LibraryModule(),
                           nullptr);
    if (wnd_ == nullptr) return false;
    SetWindowLongPtrA(wnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(source));
    SetTimer(wnd_, kTickTimer, kTickMilliseconds, nullptr);
    return true;
}

void PictureWindow::Destroy() {
    if (wnd_ == nullptr) return;
    SetWindowLongPtrA(wnd_, GWLP_USERDATA, 0);
    DestroyWindow(wnd_);
    wnd_ = nullptr;
}

void PictureWindow::ShowAt(int left, int top, int width, int height) {
    if (wnd_ == nullptr) return;
    MoveWindow(wnd_, left, top, width, height, TRUE);
    ShowWindow(wnd_, SW_SHOWNA);
}

void PictureWindow::Hide() {
    if (wnd_ != nullptr) ShowWindow(wnd_, SW_HIDE);
}

void PictureWindow::UnregisterWindowClass() { UnregisterClassA(kClass, LibraryModule()); }

LRESULT CALLBACK PictureWindow::Proc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* source = reinterpret_cast<PictureSource*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
    switch (message) {
    case WM_NCHITTEST:
        return HTTRANSPARENT;
    case WM_ERASEBKGND:
        return 1;
    case WM_TIMER:
        if (source != nullptr && source->Tick()) InvalidateRect(wnd, nullptr, FALSE);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(wnd, &paint);
        RECT area;
        GetClientRect(wnd, &area);
        if (source != nullptr) {
            source->PaintPicture(dc, area);
        } else {
            FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        }
        EndPaint(wnd, &paint);
        return 0;
    }
    default:
        return DefWindowProcA(wnd, message, wParam, lParam);
    }
}
