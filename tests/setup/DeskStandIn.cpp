// Test-only desk.cpl: Wine has no display settings applet. InstallScreenSaver
// records its argument and selects the saver as the system's applet does,
// by its full path in "SCRNSAVE.EXE" under Control Panel\Desktop. Never shipped.
#include "tests/setup/StandInLog.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

extern "C" __declspec(dllexport) void CALLBACK InstallScreenSaver(HWND, HINSTANCE, LPSTR arguments, int) {
    RecordOwnFile(reinterpret_cast<HMODULE>(&__ImageBase));
    RecordCall("desk.cpl", arguments);
    char path[MAX_PATH] = {};
    char* name = nullptr;
    if (SearchPathA(nullptr, arguments, nullptr, MAX_PATH, path, &name) == 0) lstrcpynA(path, arguments, MAX_PATH);
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
        return;
    }
    RegSetValueExA(key, "SCRNSAVE.EXE", 0, REG_SZ, reinterpret_cast<const BYTE*>(path),
                   static_cast<DWORD>(lstrlenA(path) + 1));
    RegCloseKey(key);
}
