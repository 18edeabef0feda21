#pragma once
#include <cstddef>
#include <string>

// What the setup sequence needs of the system, one operation per facility.
// The Win32 layer implements it for real, the unit tests in memory. Numbers
// are the system's own (message box styles, button ids, platform ids).
class SetupSystem {
public:
    virtual ~SetupSystem() = default;

    // String `id` of the program, as a buffer of `bufferSize` characters
    // holds it (cut to bufferSize - 1); "" when there is none.
    virtual std::string LoadText(int id, std::size_t bufferSize) = 0;
    // The platform id of the running system; false when it cannot be read.
    virtual bool Platform(unsigned long* platformId) = 0;
    // The current folder into `folder`, which holds `size` bytes with the
    // terminating zero; false (and `folder` untouched) when it does not fit.
    virtual bool CurrentFolder(char* folder, std::size_t size) = 0;
    // A message box without owner; the id of the button pressed.
    virtual int Message(const std::string& text, const std::string& caption, unsigned style) = 0;
    // The agreement dialog, modal, without owner; the id of the button pressed.
    virtual int Agreement() = 0;
    // The system folder (GetSystemDirectoryA) and the Windows folder
    // (GetWindowsDirectoryA); "" when the system does not say.
    virtual std::string SystemFolder() = 0;
    virtual std::string WindowsFolder() = 0;
    // True for a 32-bit program on 64-bit Windows; false where the system
    // cannot tell (before Windows XP there is no 64-bit Windows).
    virtual bool Wow64() = 0;
    // Starts the program at the full path `program` with `commandLine`, in
    // the program's own folder; with `wait`, returns only once it has
    // ended. False when it could not be started.
    virtual bool RunProgram(const std::string& program, const char* commandLine, bool wait) = 0;
    // True when both files can be read and hold the same bytes.
    virtual bool SameFile(const std::string& a, const std::string& b) = 0;
};
