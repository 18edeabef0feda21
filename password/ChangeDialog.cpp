#include "ChangeDialog.h"

#include "PasswordStore.h"
#include "Secret.h"
#include "resource.h"

namespace {
const int kSecretIds[] = {IDC_OLD_PASSWORD, IDC_NEW_PASSWORD, IDC_CONFIRM_PASSWORD};

std::string LoadText(HWND dialog, UINT id) {
    char text[512] = {};
    LoadStringA(reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE)), id, text, sizeof text);
    return text;
}

std::string Caption(HWND dialog) {
    char text[128] = {};
    GetWindowTextA(dialog, text, sizeof text);
    return text;
}
}  // namespace

bool ChangeDialog::Run(HINSTANCE instance, HWND owner) {
    return RunModalDialog<ChangeDialog>(instance, IDD_CHANGE, owner);
}

INT_PTR ChangeDialog::OnInitDialog(HWND dialog) {
    for (int id : kSecretIds) SendDlgItemMessageA(dialog, id, EM_LIMITTEXT, 255, 0);
    // With no password set there is no old one to ask for.
    const bool hasOld = PasswordStore::Current() != PasswordStore::State::None;
    EnableWindow(GetDlgItem(dialog, IDC_OLD_PASSWORD), hasOld);
    EnableWindow(GetDlgItem(dialog, IDC_OLD_LABEL), hasOld);
    SetFocus(GetDlgItem(dialog, hasOld ? IDC_OLD_PASSWORD : IDC_NEW_PASSWORD));
    return FALSE;  // the focus is set
}

INT_PTR ChangeDialog::OnCommand(HWND dialog, int id) {
    switch (id) {
    case IDOK:
        OnOk(dialog);
        return TRUE;
    case IDCANCEL:
        ClearSecrets(dialog, kSecretIds);
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    default:
        return FALSE;
    }
}

void ChangeDialog::OnOk(HWND dialog) {
    const Secret oldPassword(dialog, IDC_OLD_PASSWORD);
    const Secret newPassword(dialog, IDC_NEW_PASSWORD);
    const Secret confirmation(dialog, IDC_CONFIRM_PASSWORD);
    const bool oldMatches = PasswordStore::Current() == PasswordStore::State::None ||
                            PasswordStore::Matches(oldPassword.text());
    switch (JudgeChange(oldMatches, newPassword.text(), confirmation.text())) {
    case ChangeVerdict::WrongOldPassword:
        Complain(dialog, IDS_WRONG_OLD, IDC_OLD_PASSWORD);
        return;
    case ChangeVerdict::Mismatch:
        Complain(dialog, IDS_MISMATCH, IDC_NEW_PASSWORD);
        return;
    case ChangeVerdict::ConfirmEmpty:
        if (MessageBoxA(dialog, LoadText(dialog, IDS_CONFIRM_EMPTY).c_str(), Caption(dialog).c_str(),
                        MB_YESNO | MB_DEFBUTTON2 | MB_ICONQUESTION) != IDYES) {
            SetFocus(GetDlgItem(dialog, IDC_NEW_PASSWORD));
            return;
        }
        break;
    case ChangeVerdict::Accept:
        break;
    }
    if (!PasswordStore::Save(newPassword.text())) {
        Complain(dialog, IDS_SAVE_FAILED, IDC_NEW_PASSWORD);
        return;
    }
    ClearSecrets(dialog, kSecretIds);
    MessageBoxA(dialog, LoadText(dialog, IDS_CHANGED).c_str(), Caption(dialog).c_str(), MB_OK | MB_ICONINFORMATION);
    EndDialog(dialog, IDOK);
}

void ChangeDialog::Complain(HWND dialog, UINT id, int focus) {
    MessageBoxA(dialog, LoadText(dialog, id).c_str(), Caption(dialog).c_str(), MB_OK | MB_ICONEXCLAMATION);
    SetDlgItemTextA(dialog, focus, "");
    SetFocus(GetDlgItem(dialog, focus));
}
