#pragma once
#include "framework/Dialog.h"

// The modal dialog that asks for the screen saver password.
class VerifyDialog : public CDialog {
public:
    // `instance` is the module that holds the template (this component's).
    VerifyDialog(HINSTANCE instance, HWND owner);

    // Shows the dialog owned by `owner`; true only when the right password
    // was typed. Cancel, closing the dialog or a wrong answer give false.
    static bool Run(HINSTANCE instance, HWND owner);

protected:
    BOOL OnInitDialog() override;
    // Ends with IDOK for the right password and IDCANCEL for a wrong one;
    // the typed text is wiped either way.
    void OnOK() override;
    void OnCancel() override;
};
