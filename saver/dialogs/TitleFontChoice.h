#pragma once
#include "framework/Win32.h"
#include "saver/settings/LogFont.h"

// The system's font dialog for a title font, owned by `owner`: screen fonts
// only, started from `font`, sizes limited to 12 points, no effects and no
// colour. On OK `font` becomes the chosen one and the result is true; on
// Cancel (or when the dialog cannot be shown) `font` is left as it was.
bool ChooseTitleFont(HWND owner, LogFont& font);

// The font dialog's flags: CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT |
// CF_LIMITSIZE | CF_FORCEFONTEXIST.
constexpr DWORD kTitleFontFlags = 0x12041;
constexpr int kTitleFontPoints = 12;
