#include "saver/dialogs/BounceSpeedDialog.h"

#include "framework/DataExchange.h"
#include "framework/LateBound.h"
#include "saver/dialogs/SliderScale.h"
#include "saver/resources/resource.h"

void RegisterTrackbarClass(const CommonControlsInit& init) {
    const INITCOMMONCONTROLSEX classes{sizeof classes, ICC_BAR_CLASSES};
    if (init.extended != nullptr && init.extended(&classes)) return;
    if (init.plain != nullptr) init.plain();
}

BounceSpeedDialog::BounceSpeedDialog() : CDialog(IDD_BOUNCE_SPEED) {
    // The trackbar class must exist before the template is made.
    static const CommonControlsInit comctl32{
        LateBound<decltype(InitCommonControlsEx)>("comctl32.dll", "InitCommonControlsEx"),
        LateBound<decltype(InitCommonControls)>("comctl32.dll", "InitCommonControls")};
    RegisterTrackbarClass(comctl32);
}

void BounceSpeedDialog::DoDataExchange(CDataExchange& dx) { DDX_Control(dx, IDC_SPEED_SLIDER, slider_); }

BOOL BounceSpeedDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    SendMessageA(slider_, TBM_SETRANGEMIN, FALSE, slider::kMinPosition);
    SendMessageA(slider_, TBM_SETRANGEMAX, FALSE, slider::kMaxPosition);
    SendMessageA(slider_, TBM_SETPOS, TRUE, SpeedToSlider(Options.BounceSpeed));
    // Read back: the control clamps a stored speed outside its range.
    shownPosition_ = static_cast<int>(SendMessageA(slider_, TBM_GETPOS, 0, 0));
    return TRUE;
}

void BounceSpeedDialog::OnOK() {
    const int position = static_cast<int>(SendMessageA(slider_, TBM_GETPOS, 0, 0));
    if (position != shownPosition_) Options.BounceSpeed = SliderToSpeed(position);
    CDialog::OnOK();
}
