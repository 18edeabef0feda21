#include "password/VerifyDialog.h"

#include "password/PasswordStore.h"
#include "password/resource.h"
#include "password/Secret.h"

VerifyDialog::VerifyDialog(HINSTANCE instance, HWND owner) : CDialog(IDD_VERIFY, owner) {
    SetResourceInstance(instance);
}

bool VerifyDialog::Run(HINSTANCE instance, HWND owner) {
    VerifyDialog dialog(instance, owner);
    return dialog.DoModal() == IDOK;
}

BOOL VerifyDialog::OnInitDialog() {
    SendDlgItemMessageA(m_hWnd, IDC_PASSWORD, EM_LIMITTEXT, 255, 0);
    // The owner is a topmost full-screen window: stay above it.
    SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(m_hWnd);
    SetFocus(GetDlgItem(IDC_PASSWORD));
    return FALSE;  // the focus is set
}

void VerifyDialog::OnOK() {
    bool right = false;
    {
        const Secret typed(m_hWnd, IDC_PASSWORD);
        right = PasswordStore::Matches(typed.text());
    }
    ClearSecrets(m_hWnd, {IDC_PASSWORD});
    EndDialog(right ? IDOK : IDCANCEL);
}

void VerifyDialog::OnCancel() {
    ClearSecrets(m_hWnd, {IDC_PASSWORD});
    EndDialog(IDCANCEL);
}
