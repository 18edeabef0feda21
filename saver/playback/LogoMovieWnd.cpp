#include "saver/playback/LogoMovieWnd.h"

#include "saver/playback/DibImage.h"
#include "saver/resources/resource.h"

BOOL LogoMovieWnd::Play() {
    RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    return 1;
}

void LogoMovieWnd::Place() {
    NaturalRect = RECT{0, 0, kWidth, kHeight};
    MovieWnd::Place();
}

LRESULT LogoMovieWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    static const MessageEntry<LogoMovieWnd> kHandlers[] = {
        {WM_PAINT, &LogoMovieWnd::OnPaint},
    };
    LRESULT result = 0;
    if (DispatchTable(this, kHandlers, Msg{message, wParam, lParam}, result)) return result;
    return MovieWnd::WindowProc(message, wParam, lParam);
}

LRESULT LogoMovieWnd::OnPaint(const Msg&) {
    PaintDC paint(m_hWnd);
    HDC dc = paint.dc();
    RECT r{};
    GetWindowRect(m_hWnd, &r);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    {
        Font font(CreateFontA(30, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, 0, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, 0, "Times New Roman"));
        ScopedSelect selected(dc, font.get());
        char text[256] = "";
        const int length = LoadStringA(GetModuleHandleA(nullptr), IDS_PLAYLIST_EMPTY, text, sizeof text);
        SetTextColor(dc, RGB(255, 255, 255));
        SetBkMode(dc, TRANSPARENT);
        SetTextAlign(dc, TA_CENTER | TA_BASELINE);
        TextOutA(dc, width / 2, height - 15, text, length);
    }
    DibImage logo(IDB_LOGO);
    Palette palette = logo.MakePalette();
    ScopedPalette realised(dc, palette.get());
    logo.Draw(dc, width / 2 - logo.Width() / 2, 0);
    return 0;
}
