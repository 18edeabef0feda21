// Test-only RUNDLL.EXE for a prefix that answers as Windows 95/98: records
// its command line, and hands "setupx.dll,InstallHinfSection SECTION MODE
// PATH" to the system's own INF engine, as Windows 95's setupx would
// process it. Never shipped.
#include <cstring>

#include "tests/setup/StandInLog.h"

#include <setupapi.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR arguments, int show) {
    RecordOwnFile(nullptr);
    RecordCall("RUNDLL.EXE", GetCommandLineA());
    static const char kInstaller[] = "setupx.dll,InstallHinfSection ";
    if (std::strncmp(arguments, kInstaller, sizeof kInstaller - 1) == 0) {
        InstallHinfSectionA(nullptr, instance, arguments + sizeof kInstaller - 1, show);
    }
    return 0;
}
