#pragma once
#include "framework/Win32.h"
#include "ModalDialog.h"

// The modal dialog that asks for the screen saver password.
class VerifyDialog {
public:
    // Shows the dialog owned by `owner`; true only when the right password
    // was typed. Cancel, closing the dialog or a wrong answer give false.
    static bool Run(HINSTANCE instance, HWND owner);

private:
    template <class T>
    friend INT_PTR CALLBACK ModalDialogProc(HWND, UINT, WPARAM, LPARAM);
    static INT_PTR OnInitDialog(HWND dialog);
    static INT_PTR OnCommand(HWND dialog, int id);
};
