#pragma once
#include "framework/Win32.h"

#include <string>

// The stand-ins' record: one line "WHO|TEXT" per call, appended to
// pelor-standins.log in the system folder, where the tests read it.
inline void RecordCall(const char* who, const char* text) {
    char path[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryA(path, MAX_PATH - 24);
    if (length == 0 || length >= MAX_PATH - 24) return;
    lstrcatA(path, "\\pelor-standins.log");
    HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    const std::string line = std::string(who) + "|" + text + "\r\n";
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
}

// Records "ran|PATH" with the full path of the stand-in's own file, so a
// test can tell the system's copy from one put beside the setup.
inline void RecordOwnFile(HMODULE module) {
    char path[MAX_PATH] = {};
    if (GetModuleFileNameA(module, path, MAX_PATH) > 0) RecordCall("ran", path);
}
