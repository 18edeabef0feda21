#include "setup/Win32SetupSystem.h"

#include <direct.h>

#include <vector>

#include "framework/Handles.h"
#include "framework/LateBound.h"
#include "setup/AgreementDialog.h"
#include "setup/ProgramRunner.h"

std::string Win32SetupSystem::LoadText(int id, std::size_t bufferSize) {
    std::vector<char> buffer(bufferSize + 1, '\0');
    LoadStringA(instance_, static_cast<UINT>(id), buffer.data(), static_cast<int>(bufferSize));
    return buffer.data();
}

bool Win32SetupSystem::Platform(unsigned long* platformId) {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;  // 148
    if (!GetVersionExA(&version)) return false;
    *platformId = version.dwPlatformId;
    return true;
}

bool Win32SetupSystem::CurrentFolder(char* folder, std::size_t size) {
    std::vector<char> buffer(size, '\0');
    if (_getcwd(buffer.data(), static_cast<int>(size)) == nullptr) return false;
    lstrcpynA(folder, buffer.data(), static_cast<int>(size));
    return true;
}

int Win32SetupSystem::Message(const std::string& text, const std::string& caption, unsigned style) {
    return MessageBoxA(nullptr, text.c_str(), caption.c_str(), style);
}

int Win32SetupSystem::Agreement() { return static_cast<int>(AgreementDialog::Run(instance_)); }

std::string Win32SetupSystem::SystemFolder() {
    char folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    return length > 0 && length < MAX_PATH ? folder : "";
}

std::string Win32SetupSystem::WindowsFolder() {
    char folder[MAX_PATH] = {};
    const UINT length = GetWindowsDirectoryA(folder, MAX_PATH);
    return length > 0 && length < MAX_PATH ? folder : "";
}

bool Win32SetupSystem::Wow64() {
    // IsWow64Process came with Windows XP SP2; before it there is no 64-bit
    // Windows to run on.
    static auto* isWow64 = LateBound<decltype(IsWow64Process)>("kernel32.dll", "IsWow64Process");
    BOOL wow64 = FALSE;
    return isWow64 != nullptr && isWow64(GetCurrentProcess(), &wow64) && wow64;
}

namespace {
// The whole file; false when it cannot be opened or read.
bool ReadWhole(const std::string& path, std::vector<char>& bytes) {
    HANDLE opened = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (opened == INVALID_HANDLE_VALUE) return false;
    KernelHandle file(opened);
    bytes.clear();
    char chunk[16384];
    DWORD got = 0;
    do {
        if (!ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr)) return false;
        bytes.insert(bytes.end(), chunk, chunk + got);
    } while (got > 0);
    return true;
}
}  // namespace

bool Win32SetupSystem::SameFile(const std::string& a, const std::string& b) {
    std::vector<char> first;
    std::vector<char> second;
    return ReadWhole(a, first) && ReadWhole(b, second) && first == second;
}

bool Win32SetupSystem::RunProgram(const std::string& program, const char* commandLine, bool wait) {
    return ::RunProgram(program.c_str(), commandLine, wait);
}
