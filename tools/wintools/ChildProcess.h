#pragma once
#include "framework/Win32.h"

#include <string>

#include "framework/Handles.h"

// A program started with CreateProcessA; the handles close with the object.
class ChildProcess {
public:
    // Starts `commandLine`; check with Started().
    explicit ChildProcess(const std::string& commandLine) {
        STARTUPINFOA si{};
        si.cb = sizeof(si);
        PROCESS_INFORMATION pi{};
        std::string line = commandLine;  // CreateProcessA may write into it
        if (CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
            process_.reset(pi.hProcess);
            thread_.reset(pi.hThread);
        }
    }

    bool Started() const { return static_cast<bool>(process_); }
    // True once the program has ended, waiting at most `ms`.
    bool Wait(DWORD ms) const { return Started() && WaitForSingleObject(process_.get(), ms) == WAIT_OBJECT_0; }
    // The exit code, or STILL_ACTIVE (259) while it runs; 1 when it never started.
    DWORD ExitCode() const {
        DWORD code = 1;
        if (Started()) GetExitCodeProcess(process_.get(), &code);
        return code;
    }
    void Kill() const {
        if (Started()) TerminateProcess(process_.get(), 3);
    }

private:
    KernelHandle process_;
    KernelHandle thread_;
};

// `path` quoted for a command line.
inline std::string Quoted(const std::string& path) { return "\"" + path + "\""; }
