// MPR.DLL: our stand-in for the network-provider library, for tests and the
// demo under Wine, whose own MPR.DLL has a PwdChangePasswordA that shows
// nothing. Like the system's, it hands a change request to the provider that
// owns the key; the one provider here is "SCRSAVE", the screen saver
// password, and its provider is the password component beside us
// (PASSWORD.CPL). Placed beside PELOR.SCR by the tests and the demo, never
// shipped.
#include <windows.h>

namespace {
using ChangeFn = DWORD(WINAPI*)(LPCSTR, HWND, DWORD, DWORD);

// The folder this library was loaded from, with a trailing backslash.
bool OwnFolder(char* path, DWORD size) {
    HMODULE self = nullptr;
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCSTR>(&OwnFolder), &self)) {
        return false;
    }
    const DWORD length = GetModuleFileNameA(self, path, size);
    if (length == 0 || length >= size) return false;
    for (DWORD i = length; i > 0; --i) {
        if (path[i - 1] == '\\' || path[i - 1] == '/') {
            path[i] = '\0';
            return true;
        }
    }
    return false;
}
}  // namespace

// 0 when the provider changed the password, ERROR_CANCELLED when the user
// gave up, ERROR_BAD_PROVIDER for a key without a provider, ERROR_MOD_NOT_FOUND
// when the provider's library is not there.
extern "C" DWORD WINAPI PwdChangePasswordA(LPCSTR provider, HWND owner, DWORD reserved1,
                                           DWORD reserved2) {
    if (provider == nullptr || lstrcmpiA(provider, "SCRSAVE") != 0) return ERROR_BAD_PROVIDER;
    // The provider beside us first, so that the saver in this folder talks
    // to the component in this folder; then wherever the system finds one.
    char path[MAX_PATH + 16] = {};
    HMODULE component = nullptr;
    if (OwnFolder(path, MAX_PATH)) {
        lstrcatA(path, "PASSWORD.CPL");
        component = LoadLibraryA(path);
    }
    if (component == nullptr) component = LoadLibraryA("PASSWORD.CPL");
    if (component == nullptr) return ERROR_MOD_NOT_FOUND;
    const auto change = reinterpret_cast<ChangeFn>(
        reinterpret_cast<void*>(GetProcAddress(component, "PwdChangePasswordA")));
    const DWORD result = change != nullptr ? change(provider, owner, reserved1, reserved2)
                                           : static_cast<DWORD>(ERROR_PROC_NOT_FOUND);
    FreeLibrary(component);
    return result;
}
