#pragma once
#include "framework/Win32.h"

// The modal dialog that asks for the screen saver password.
class VerifyDialog {
public:
    // Shows the dialog owned by `owner`; true only when the right password
    // was typed. Cancel, closing the dialog or a wrong answer give false.
    static bool Run(HINSTANCE instance, HWND owner);

private:
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    static INT_PTR OnInitDialog(HWND dialog);
    static INT_PTR OnCommand(HWND dialog, int id);
};
