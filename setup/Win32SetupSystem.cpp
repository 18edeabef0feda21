#include "setup/Win32SetupSystem.h"

#include <direct.h>

#include <vector>

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

bool Win32SetupSystem::RunProgram(const char* commandLine, bool wait) { return ::RunProgram(commandLine, wait); }
