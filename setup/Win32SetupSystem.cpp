#include "setup/Win32SetupSystem.h"

#include <direct.h>

#include <vector>

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

bool Win32SetupSystem::RunProgram(const std::string& program, const char* commandLine, bool wait) {
    return ::RunProgram(program.c_str(), commandLine, wait);
}
