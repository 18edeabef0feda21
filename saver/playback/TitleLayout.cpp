#include "saver/playback/TitleLayout.h"

#include "saver/settings/SaverSettings.h"

int32_t TitleFontHeight(int32_t windowBottom, bool titleCard) {
    const int32_t card = windowBottom / 15;
    return titleCard ? card : card / 2;
}

TitleAnchor TitleCardAnchor(const IntRect& window) {
    return TitleAnchor{window.right / 2, window.bottom / 2, TitleAnchor::CentreBaseline};
}

TitleAnchor MovieTitleAnchor(const IntRect& window, const IntRect& movie) {
    const int32_t x = (movie.left + movie.right) / 2;
    if (movie.bottom < window.bottom) return TitleAnchor{x, movie.bottom + 1, TitleAnchor::CentreTop};
    return TitleAnchor{x, movie.top - 1, TitleAnchor::CentreBottom};
}

const MediaItem* TitleToPaint(const SaverSettings& settings, uint32_t index, bool titlePhase) {
    if (!settings.Titles) return nullptr;
    const MediaItem* item = settings.GetItem(index);
    if (item == nullptr || item->Title.empty()) return nullptr;
    const bool shown = titlePhase ? item->TitleBefore != 0 : item->TitleMovie != 0;
    return shown ? item : nullptr;
}
