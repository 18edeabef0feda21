#include "saver/dialogs/ScanDialog.h"

#include "saver/resources/resource.h"

ScanDialog::ScanDialog() : CDialog(IDD_SCAN) {}

bool ScanDialog::Show() {
    Hide();
    if (!Create()) return false;
    UpdateWindow(m_hWnd);
    return true;
}
