#include "saver/shell/PreviewWnd.h"

#include "framework/Handles.h"
#include "saver/playback/DibImage.h"
#include "saver/playback/DibLayout.h"
#include "saver/resources/resource.h"

bool PreviewWnd::Create(DWORD exStyle, DWORD style, const RECT& rect, HWND parent) {
    rect_ = rect;
    const char* cls = RegisterWndClass(CS_HREDRAW | CS_VREDRAW, nullptr, nullptr, nullptr);
    return CreateEx(exStyle, cls, "", style, rect, parent, nullptr);
}

LRESULT PreviewWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    static const MessageEntry<PreviewWnd> kHandlers[] = {
        {WM_PAINT, &PreviewWnd::OnPaint},
    };
    LRESULT result = 0;
    if (DispatchTable(this, kHandlers, Msg{message, wParam, lParam}, result)) return result;
    return Default();
}

LRESULT PreviewWnd::OnPaint(const Msg&) {
    PaintDC paint(m_hWnd);
    HDC dc = paint.dc();
    {
        Brush black(CreateSolidBrush(RGB(0, 0, 0)));
        FillRect(dc, &rect_, black.get());
    }
    DibImage logo(IDB_LOGO);
    Palette palette = logo.MakePalette();
    ScopedPalette realised(dc, palette.get());
    const DibOrigin at = CentredOrigin(rect_.right, rect_.bottom, logo.Width(), logo.Height());
    logo.Draw(dc, at.x, at.y);
    return 0;
}
