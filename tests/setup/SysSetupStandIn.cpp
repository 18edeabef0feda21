// Test-only syssetup.dll: Wine has none. It records the command line of the
// RUNDLL32 process that loaded it and hands the INF section to the system's
// own INF engine, so the installation really happens. Never shipped.
#include "tests/setup/StandInLog.h"

#include <setupapi.h>

extern "C" IMAGE_DOS_HEADER __ImageBase;

extern "C" __declspec(dllexport) void CALLBACK SetupInfObjectInstallAction(HWND wnd, HINSTANCE instance,
                                                                         LPSTR arguments, int show) {
    RecordOwnFile(reinterpret_cast<HMODULE>(&__ImageBase));
    RecordCall("syssetup.dll", GetCommandLineA());
    InstallHinfSectionA(wnd, instance, arguments, show);
}
