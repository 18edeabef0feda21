#pragma once
#include "framework/Win32.h"

// The dialog procedure shared by the component's modal dialogs: `T` answers
// WM_INITDIALOG with T::OnInitDialog(dialog) and WM_COMMAND with
// T::OnCommand(dialog, id). Nothing may unwind into the dialog manager: a
// failure ends the dialog as cancelled, so nothing is stored or let through.
template <class T>
INT_PTR CALLBACK ModalDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    try {
        switch (message) {
        case WM_INITDIALOG:
            return T::OnInitDialog(dialog);
        case WM_COMMAND:
            return T::OnCommand(dialog, LOWORD(wParam));
        default:
            return FALSE;
        }
    } catch (...) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
}

// Runs dialog template `id` modally for `T`; true when it ended with IDOK.
template <class T>
bool RunModalDialog(HINSTANCE instance, int id, HWND owner) {
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(id), owner, &ModalDialogProc<T>, 0) == IDOK;
}
