#pragma once
#include "framework/Win32.h"

class MediaItem;

// Paints the display window: black over `window`, then `item`'s title, when
// there is one to show, in white: centred on the middle line on the title
// card, next to the movie window `movie` during the movie (nothing without a
// movie window). Fonts and brushes live only for the paint.
class TitlePainter {
public:
    static void Paint(HDC dc, const RECT& window, const MediaItem* item, bool titleCard, HWND movie);
};
