#include "saver/dialogs/TitleFontChoice.h"

#include <commdlg.h>

#include "framework/LateBound.h"

static_assert(sizeof(LOGFONTA) == sizeof(LogFont), "LogFont must match LOGFONTA");
static_assert(kTitleFontFlags ==
                  (CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_LIMITSIZE | CF_FORCEFONTEXIST),
              "the font dialog's flags");

bool ChooseTitleFont(HWND owner, LogFont& font) {
    // LogFont has LOGFONTA's layout; the dialog works on a copy so Cancel
    // leaves `font` alone.
    LogFont chosen = font;
    CHOOSEFONTA request = {};
    request.lStructSize = sizeof request;
    request.hwndOwner = owner;
    request.lpLogFont = reinterpret_cast<LOGFONTA*>(&chosen);
    request.Flags = kTitleFontFlags;
    request.nSizeMin = kTitleFontPoints;
    request.nSizeMax = kTitleFontPoints;
    static auto* chooseFont = LateBound<decltype(ChooseFontA)>("comdlg32.dll", "ChooseFontA");
    if (chooseFont == nullptr || !chooseFont(&request)) return false;
    font = chosen;
    return true;
}
