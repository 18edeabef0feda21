#include "setup/AgreementDialog.h"

#include <vector>

#include "framework/Handles.h"
#include "setup/SetupSequence.h"
// Last: its ids are macros that would clash with the names above.
#include "setup/resource.h"

INT_PTR AgreementDialog::Run(HINSTANCE instance) {
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_AGREEMENT), nullptr, &AgreementDialog::Proc, 0);
}

INT_PTR CALLBACK AgreementDialog::Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    try {
        switch (message) {
        case WM_INITDIALOG: return OnInitDialog(dialog);
        case WM_COMMAND: return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
        default: return FALSE;
        }
    } catch (...) {
        // Nothing unwinds into the dialog manager; a failure is a No.
        EndDialog(dialog, IDNO);
        return TRUE;
    }
}

BOOL AgreementDialog::OnInitDialog(HWND dialog) {
    // CreateFile rather than OpenFile: OpenFile's record holds only 128
    // characters of path, so a deep folder would show an empty agreement.
    HANDLE file = CreateFileA(setup::kLicenseFile, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return TRUE;  // the box stays empty
    KernelHandle owned(file);
    std::vector<char> text(kMaxText + 1, '\0');
    DWORD read = 0;
    if (!ReadFile(owned.get(), text.data(), kMaxText, &read, nullptr)) read = 0;
    text[read] = '\0';
    SetDlgItemTextA(dialog, IDC_AGREEMENT_TEXT, text.data());
    return TRUE;
}

BOOL AgreementDialog::OnCommand(HWND dialog, WORD id, WORD code) {
    if (code != 0 || (id != IDYES && id != IDNO)) return FALSE;
    EndDialog(dialog, id);
    return TRUE;
}
