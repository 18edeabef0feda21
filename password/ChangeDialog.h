#pragma once
#include "framework/Win32.h"
#include "ModalDialog.h"

// The modal dialog that sets a new screen saver password.
class ChangeDialog {
public:
    // Shows the dialog owned by `owner` (may be null); true when a new
    // password was stored.
    static bool Run(HINSTANCE instance, HWND owner);

private:
    template <class T>
    friend INT_PTR CALLBACK ModalDialogProc(HWND, UINT, WPARAM, LPARAM);
    static INT_PTR OnInitDialog(HWND dialog);
    static INT_PTR OnCommand(HWND dialog, int id);
    static void OnOk(HWND dialog);
    // A warning box with string `id`, then the focus on control `focus`.
    static void Complain(HWND dialog, UINT id, int focus);
};
