#include "saver/shell/PasswordCheck.h"

namespace {
bool PasswordRequired() {
    HKEY raw = nullptr;
    if (RegOpenKeyA(HKEY_CURRENT_USER, "Control Panel\\Desktop", &raw) != ERROR_SUCCESS) return false;
    RegKeyHandle key(raw);
    // Read as a 4-byte number whatever its type; a longer value does not count.
    DWORD use = 0;
    DWORD size = sizeof use;
    if (RegQueryValueExA(key.get(), "ScreenSaveUsePassword", nullptr, nullptr, reinterpret_cast<BYTE*>(&use),
                         &size) != ERROR_SUCCESS) {
        return false;
    }
    return use != 0;
}
}  // namespace

VerifyScreenSavePwdFn FindPasswordCheck(Module& library) {
    if (!PasswordRequired()) return nullptr;
    library = Module(LoadLibraryA("PASSWORD.CPL"));
    if (!library) return nullptr;
    return reinterpret_cast<VerifyScreenSavePwdFn>(
        reinterpret_cast<void*>(GetProcAddress(library.get(), "VerifyScreenSavePwd")));
}
