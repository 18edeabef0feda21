#include "VerifyDialog.h"

#include "PasswordStore.h"
#include "Secret.h"
#include "resource.h"

bool VerifyDialog::Run(HINSTANCE instance, HWND owner) {
    return RunModalDialog<VerifyDialog>(instance, IDD_VERIFY, owner);
}

INT_PTR VerifyDialog::OnInitDialog(HWND dialog) {
    SendDlgItemMessageA(dialog, IDC_PASSWORD, EM_LIMITTEXT, 255, 0);
    // The owner is a topmost full-screen window: stay above it.
    SetWindowPos(dialog, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(dialog);
    SetFocus(GetDlgItem(dialog, IDC_PASSWORD));
    return FALSE;  // the focus is set
}

INT_PTR VerifyDialog::OnCommand(HWND dialog, int id) {
    if (id == IDOK) {
        bool right = false;
        {
            const Secret typed(dialog, IDC_PASSWORD);
            right = PasswordStore::Matches(typed.text());
        }
        ClearSecrets(dialog, {IDC_PASSWORD});
        EndDialog(dialog, right ? IDOK : IDCANCEL);
        return TRUE;
    }
    if (id == IDCANCEL) {
        ClearSecrets(dialog, {IDC_PASSWORD});
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}
