#include "ScanDialog.h"

#include "framework/WinApp.h"
#include "framework/Wnd.h"
#include "resource.h"

namespace {

HWND MainWindow() {
    CWinApp* app = CWinApp::Get();
    return app != nullptr && app->m_pMainWnd != nullptr ? app->m_pMainWnd->GetSafeHwnd() : nullptr;
}

HINSTANCE ResourceInstance() {
    CWinApp* app = CWinApp::Get();
    return app != nullptr ? app->Instance() : GetModuleHandleA(nullptr);
}

}  // namespace

INT_PTR CALLBACK ScanDialog::DialogProc(HWND, UINT message, WPARAM, LPARAM) {
    // Only the system's own processing: let it set the focus at creation.
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

bool ScanDialog::Create() {
    DestroyWindow();
    m_hWnd = CreateDialogParamA(ResourceInstance(), MAKEINTRESOURCEA(IDD_SCAN), MainWindow(),
                                &ScanDialog::DialogProc, 0);
    if (m_hWnd == nullptr) return false;
    UpdateWindow(m_hWnd);
    return true;
}

void ScanDialog::DestroyWindow() {
    if (m_hWnd != nullptr) ::DestroyWindow(m_hWnd);
    m_hWnd = nullptr;
}
