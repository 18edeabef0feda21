#pragma once
#include "core/ScanUi.h"
#include "saver/dialogs/ScanDialog.h"

// The device scan's question and window on the screen: message box 9103
// owned by the main window, and the ScanDialog.
class DialogScanUi : public ScanUi {
public:
    bool AskRetryScan() override;
    bool ShowScanWindow() override { return dialog_.Show(); }
    void HideScanWindow() override { dialog_.Hide(); }

    // The scanning window while it is shown, else null.
    HWND ScanWindow() const { return dialog_.GetSafeHwnd(); }

private:
    ScanDialog dialog_;
};
