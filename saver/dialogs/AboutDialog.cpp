#include "saver/dialogs/AboutDialog.h"

#include "framework/DataExchange.h"
#include "framework/WinApp.h"
#include "saver/dialogs/CentreWindow.h"
#include "saver/resources/resource.h"

AboutDialog::AboutDialog() : CDialog(IDD_ABOUT) {}

void AboutDialog::DoDataExchange(CDataExchange& dx) {
    DDX_Control(dx, IDC_BUGS_ADDRESS, bugs_);
    DDX_Control(dx, IDC_EMAIL_ADDRESS, email_);
    DDX_Control(dx, IDC_UPDATES_ADDRESS, updates_);
}

BOOL AboutDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    CentreOverOwner(m_hWnd);
    CWinApp* app = CWinApp::Get();
    SetWindowTextA(updates_, app->LoadString(IDS_UPDATES_ADDRESS).c_str());
    SetWindowTextA(bugs_, app->LoadString(IDS_BUGS_ADDRESS).c_str());
    SetWindowTextA(email_, app->LoadString(IDS_EMAIL_ADDRESS).c_str());
    return TRUE;
}
