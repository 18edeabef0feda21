#pragma once
#include "framework/Win32.h"
#include "setup/SetupSystem.h"

// The setup's system: its string table, GetVersionExA, the runtime's current
// folder, the system and Windows folders, IsWow64Process where the system
// has it, message boxes without owner, the agreement dialog, CreateProcessA.
class Win32SetupSystem : public SetupSystem {
public:
    explicit Win32SetupSystem(HINSTANCE instance) : instance_(instance) {}

    std::string LoadText(int id, std::size_t bufferSize) override;
    bool Platform(unsigned long* platformId) override;
    bool CurrentFolder(char* folder, std::size_t size) override;
    int Message(const std::string& text, const std::string& caption, unsigned style) override;
    int Agreement() override;
    std::string SystemFolder() override;
    std::string WindowsFolder() override;
    bool Wow64() override;
    bool RunProgram(const std::string& program, const char* commandLine, bool wait) override;
    bool SameFile(const std::string& a, const std::string& b) override;

private:
    HINSTANCE instance_;
};
