// PASSWORD.CPL: our own stand-in for the system's screen saver password
// component, for systems that have none (Wine). It is placed beside
// PELOR.SCR for tests and demos and is never installed on Windows, where
// the system's component stays in charge.
#include "framework/Win32.h"

#include "password/ChangeDialog.h"
#include "password/VerifyDialog.h"

namespace {
HINSTANCE ThisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&ThisModule), &module);
    return module;
}
}  // namespace

// Asks for the password in a modal dialog owned by `owner`; nonzero when
// the right one was typed, 0 for a wrong one or a cancelled dialog.
extern "C" BOOL WINAPI VerifyScreenSavePwd(HWND owner) {
    try {
        return VerifyDialog::Run(ThisModule(), owner) ? TRUE : FALSE;
    } catch (...) {
        return FALSE;
    }
}

// The change call of the network-provider library, for the "SCRSAVE"
// provider only: 0 when a new password was stored, ERROR_CANCELLED when the
// user gave up, ERROR_INVALID_PARAMETER for any other provider.
extern "C" DWORD WINAPI PwdChangePasswordA(LPCSTR provider, HWND owner, DWORD, DWORD) {
    if (provider == nullptr || lstrcmpiA(provider, "SCRSAVE") != 0) return ERROR_INVALID_PARAMETER;
    try {
        return ChangeDialog::Run(ThisModule(), owner) ? 0 : ERROR_CANCELLED;
    } catch (...) {
        return ERROR_CANCELLED;
    }
}
