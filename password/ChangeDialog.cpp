#include "password/ChangeDialog.h"

#include <string>

#include "password/PasswordStore.h"
#include "password/resource.h"
#include "password/Secret.h"

namespace {
const int kSecretIds[] = {IDC_OLD_PASSWORD, IDC_NEW_PASSWORD, IDC_CONFIRM_PASSWORD};
}  // namespace

ChangeDialog::ChangeDialog(HINSTANCE instance, HWND owner) : CDialog(IDD_CHANGE, owner) {
    SetResourceInstance(instance);
}

bool ChangeDialog::Run(HINSTANCE instance, HWND owner) {
    ChangeDialog dialog(instance, owner);
    return dialog.DoModal() == IDOK;
}

std::string ChangeDialog::LoadText(UINT id) const {
    char text[512] = {};
    LoadStringA(ResourceInstance(), id, text, sizeof text);
    return text;
}

std::string ChangeDialog::Caption() const {
    char text[128] = {};
    GetWindowTextA(m_hWnd, text, sizeof text);
    return text;
}

BOOL ChangeDialog::OnInitDialog() {
    for (int id : kSecretIds) SendDlgItemMessageA(m_hWnd, id, EM_LIMITTEXT, 255, 0);
    // With no password set there is no old one to ask for.
    const bool hasOld = PasswordStore::Current() != PasswordStore::State::None;
    EnableWindow(GetDlgItem(IDC_OLD_PASSWORD), hasOld);
    EnableWindow(GetDlgItem(IDC_OLD_LABEL), hasOld);
    SetFocus(GetDlgItem(hasOld ? IDC_OLD_PASSWORD : IDC_NEW_PASSWORD));
    return FALSE;  // the focus is set
}

void ChangeDialog::OnCancel() {
    ClearSecrets(m_hWnd, kSecretIds);
    EndDialog(IDCANCEL);
}

void ChangeDialog::OnOK() {
    const Secret oldPassword(m_hWnd, IDC_OLD_PASSWORD);
    const Secret newPassword(m_hWnd, IDC_NEW_PASSWORD);
    const Secret confirmation(m_hWnd, IDC_CONFIRM_PASSWORD);
    const bool oldMatches = PasswordStore::Current() == PasswordStore::State::None ||
                            PasswordStore::Matches(oldPassword.text());
    switch (JudgeChange(oldMatches, newPassword.text(), confirmation.text())) {
    case ChangeVerdict::WrongOldPassword:
        Complain(IDS_WRONG_OLD, IDC_OLD_PASSWORD);
        return;
    case ChangeVerdict::Mismatch:
        Complain(IDS_MISMATCH, IDC_NEW_PASSWORD);
        return;
    case ChangeVerdict::ConfirmEmpty:
        if (MessageBoxA(m_hWnd, LoadText(IDS_CONFIRM_EMPTY).c_str(), Caption().c_str(),
                        MB_YESNO | MB_DEFBUTTON2 | MB_ICONQUESTION) != IDYES) {
            SetFocus(GetDlgItem(IDC_NEW_PASSWORD));
            return;
        }
        break;
    case ChangeVerdict::Accept:
        break;
    }
    if (!PasswordStore::Save(newPassword.text())) {
        Complain(IDS_SAVE_FAILED, IDC_NEW_PASSWORD);
        return;
    }
    ClearSecrets(m_hWnd, kSecretIds);
    MessageBoxA(m_hWnd, LoadText(IDS_CHANGED).c_str(), Caption().c_str(), MB_OK | MB_ICONINFORMATION);
    EndDialog(IDOK);
}

void ChangeDialog::Complain(UINT id, int focus) {
    MessageBoxA(m_hWnd, LoadText(id).c_str(), Caption().c_str(), MB_OK | MB_ICONEXCLAMATION);
    SetDlgItemTextA(m_hWnd, focus, "");
    SetFocus(GetDlgItem(focus));
}
