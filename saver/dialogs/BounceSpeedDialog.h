#pragma once
#include "framework/Dialog.h"

#include "saver/settings/SaverSettings.h"

#include <commctrl.h>

#include <cstdint>

// The two ways comctl32 registers its trackbar class: InitCommonControlsEx
// (comctl32 4.70, Internet Explorer 3, and later) and InitCommonControls,
// all that the first Windows 95's comctl32 has. Null where it is missing.
struct CommonControlsInit {
    BOOL(WINAPI* extended)(const INITCOMMONCONTROLSEX*);
    void(WINAPI* plain)();
};

// Registers the trackbar class through `init.extended`, or through
// `init.plain` where that is missing or refuses.
void RegisterTrackbarClass(const CommonControlsInit& init);

// The bounce speed slider (template 146): "Faster" at the top, position 1,
// "Slower" at the bottom, 1000, on the scale of SliderScale.h.
class BounceSpeedDialog : public CDialog {
public:
    BounceSpeedDialog();

    // The caller's options: BounceSpeed, the bounce timer's period in
    // milliseconds, is shown and, on OK, read back. A slider left where it
    // was shown keeps the value: the scale's round trip can lose one, and OK
    // must not creep.
    GlobalOptions Options;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    HWND slider_ = nullptr;
    // The position BounceSpeed was shown at.
    int shownPosition_ = 0;
};
