#include "setup/ProgramRunner.h"

#include <string>
#include <vector>

#include "framework/Handles.h"

#ifndef _WIN64
static_assert(sizeof(STARTUPINFOA) == 68, "the start-up record of a 32-bit program");
#endif

bool RunProgram(const char* program, const char* commandLine, bool wait) {
    // CreateProcessA may write into the command line it is given.
    std::vector<char> line(commandLine, commandLine + lstrlenA(commandLine) + 1);
    std::string folder(program);
    const std::string::size_type slash = folder.find_last_of('\\');
    if (slash == std::string::npos) return false;  // only a full path is started
    folder.resize(slash == 2 ? 3 : slash);      // "C:\" keeps its backslash
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.wShowWindow = SW_SHOWDEFAULT;  // not used: dwFlags stays 0
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(program, line.data(), nullptr, nullptr, FALSE, CREATE_DEFAULT_ERROR_MODE | HIGH_PRIORITY_CLASS,
                        nullptr, folder.c_str(), &startup, &info)) {
        return false;
    }
    KernelHandle process(info.hProcess);
    KernelHandle thread(info.hThread);
    if (wait) {
        // Blocked on the process rather than asking for its exit code in a
        // loop, which would keep a processor busy against the installer.
        WaitForSingleObject(process.get(), INFINITE);
        DWORD code = 0;
        GetExitCodeProcess(process.get(), &code);
    }
    return true;
}
