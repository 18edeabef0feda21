#pragma once
#include "framework/Win32.h"

// Dialog 103: the agreement text of ".\LICENSE.TXT" (at most its first
// 8192 bytes) with Yes and No. Only those two buttons close it; Escape and
// the close request do nothing.
class AgreementDialog {
public:
    static constexpr DWORD kMaxText = 8192;

    // Runs the dialog modally without owner; IDYES or IDNO (or -1 when the
    // dialog cannot be made).
    static INT_PTR Run(HINSTANCE instance);

    static INT_PTR CALLBACK Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

private:
    static BOOL OnInitDialog(HWND dialog);
    static BOOL OnCommand(HWND dialog, WORD id, WORD code);
};
