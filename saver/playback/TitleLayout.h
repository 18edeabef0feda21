#pragma once
#include <cstdint>

#include "saver/playback/MovieGeometry.h"

class MediaItem;
class SaverSettings;

// Where a title line goes: a point and how the text hangs from it.
struct TitleAnchor {
    enum Hang { CentreBaseline, CentreTop, CentreBottom };
    int32_t x = 0;
    int32_t y = 0;
    Hang hang = CentreBaseline;
};

// The character-cell height of the title font: a fifteenth of the window's
// bottom edge on the title card, half of that during the movie.
int32_t TitleFontHeight(int32_t windowBottom, bool titleCard);

// The title card's line: centred, its baseline on the middle line.
TitleAnchor TitleCardAnchor(const IntRect& window);

// The movie-time title: hanging one pixel below a movie that ends above the
// window's bottom, else standing one pixel above it; centred on the movie.
TitleAnchor MovieTitleAnchor(const IntRect& window, const IntRect& movie);

// The item whose title is painted now, or null when none is: titles are on,
// `index` names an item, the item shows its title in this phase and has one.
const MediaItem* TitleToPaint(const SaverSettings& settings, uint32_t index, bool titlePhase);
