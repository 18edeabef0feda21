#pragma once
#include "framework/Dialog.h"

#include <string>

// The modal dialog that sets a new screen saver password.
class ChangeDialog : public CDialog {
public:
    // `instance` is the module that holds the template and the strings
    // (this component's).
    ChangeDialog(HINSTANCE instance, HWND owner);

    // Shows the dialog owned by `owner` (may be null); true when a new
    // password was stored.
    static bool Run(HINSTANCE instance, HWND owner);

protected:
    BOOL OnInitDialog() override;
    // Judges the three fields; stores the new password and ends with IDOK,
    // or says what is wrong and stays open.
    void OnOK() override;
    // Wipes the fields and ends with IDCANCEL.
    void OnCancel() override;

private:
    // A warning box with string `id`, then control `focus` emptied and
    // focused.
    void Complain(UINT id, int focus);
    std::string LoadText(UINT id) const;
    std::string Caption() const;
};
