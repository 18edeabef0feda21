#include "saver/playback/TitlePainter.h"

#include "framework/Handles.h"
#include "saver/playback/TitleLayout.h"
#include "saver/settings/MediaItem.h"

namespace {
UINT AlignmentFor(TitleAnchor::Hang hang) {
    switch (hang) {
    case TitleAnchor::CentreTop: return TA_CENTER | TA_TOP;
    case TitleAnchor::CentreBottom: return TA_CENTER | TA_BOTTOM;
    case TitleAnchor::CentreBaseline: break;
    }
    return TA_CENTER | TA_BASELINE;
}
}  // namespace

void TitlePainter::Paint(HDC dc, const RECT& window, const MediaItem* item, bool titleCard, HWND movie) {
    {
        Brush black(CreateSolidBrush(RGB(0, 0, 0)));
        FillRect(dc, &window, black.get());
    }
    if (item == nullptr) return;
    const IntRect area{window.left, window.top, window.right, window.bottom};
    TitleAnchor anchor;
    if (titleCard) {
        anchor = TitleCardAnchor(area);
    } else {
        RECT m{};
        if (movie == nullptr || !GetWindowRect(movie, &m)) return;
        anchor = MovieTitleAnchor(area, IntRect{m.left, m.top, m.right, m.bottom});
    }
    LogFont description = item->GetTitleFont();
    description.lfHeight = TitleFontHeight(window.bottom, titleCard);
    Font font(CreateFontIndirectA(reinterpret_cast<const LOGFONTA*>(&description)));
    ScopedSelect selected(dc, font.get());
    SetTextColor(dc, RGB(255, 255, 255));
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, AlignmentFor(anchor.hang));
    TextOutA(dc, anchor.x, anchor.y, item->Title.c_str(), static_cast<int>(item->Title.size()));
}
