#pragma once
#include "framework/Dialog.h"

// The box shown while the device scan runs: a modeless dialog from template
// 140 (icon 128 and "Scanning for MCI Devices..."), with no handlers of its
// own. Its owner is the application's main window, when there is one. The
// window goes with Hide or with the object.
class ScanDialog : public CDialog {
public:
    ScanDialog();

    // Creates and paints the window at once, since the scan processes no
    // messages until it ends; false when it could not be created.
    bool Show();
    // Destroys the window if it is shown.
    void Hide() { DestroyWindow(); }

protected:
    // The box has no buttons and only the scan takes it down: Enter and
    // Escape do nothing.
    void OnOK() override {}
    void OnCancel() override {}
};
