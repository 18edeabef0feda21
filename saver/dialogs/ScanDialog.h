#pragma once
#include "framework/Win32.h"

// The box shown while the device scan runs: a plain modeless dialog from
// template 140 (icon 128 and "Scanning for MCI Devices..."), with no
// handlers. Its owner is the application's main window, when there is one.
class ScanDialog {
public:
    ScanDialog() = default;
    ~ScanDialog() { DestroyWindow(); }
    ScanDialog(const ScanDialog&) = delete;
    ScanDialog& operator=(const ScanDialog&) = delete;

    // Creates and paints the window at once, since the scan processes no
    // messages until it ends; false when it could not be created.
    bool Create();
    void DestroyWindow();
    HWND GetSafeHwnd() const { return m_hWnd; }

private:
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hWnd = nullptr;
};
