#pragma once
#include "framework/Win32.h"

#include <memory>
#include <string>
#include <vector>

#include "framework/Handles.h"

class CWnd;
class ProfileStore;
class RegistryProfileStore;

// The application object: start-up and shut-down, the main-window slot, the
// registry profile and the string table. One exists per process.
class CWinApp {
public:
    // `appName` null: the program file's long base name ("PELOR" for
    // PELOR.SCR; "Pelorama Movies" on Windows 95 also when started as
    // PELORA~1.SCR).
    explicit CWinApp(const char* appName = nullptr);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // The application object of this process, or null.
    static CWinApp* Get();

    // true keeps the process in the message loop; false ends it at once.
    virtual bool StartUp() { return false; }
    // The process's exit code.
    virtual int ShutDown();
    // Pumps messages until a quit request or until the main window is gone.
    int Run();

    void SetArguments(std::vector<std::string> words) { arguments_ = std::move(words); }
    // The words after the program name, quotes removed.
    const std::vector<std::string>& Arguments() const { return arguments_; }

    // From now on the profile lives under HKEY_CURRENT_USER\Software\<company>\<AppName>.
    void SetRegistryKey(const std::string& company);
    // From now on the profile operations go to `profile` (a store over the
    // registry that refuses writes, say, to try what a full key does).
    void SetProfile(std::unique_ptr<ProfileStore> profile);
    ProfileStore& Profile();
    uint32_t GetProfileInt(const char* section, const char* entry, uint32_t def);
    std::string GetProfileString(const char* section, const char* entry, const char* def);
    bool WriteProfileInt(const char* section, const char* entry, uint32_t value);
    bool WriteProfileString(const char* section, const char* entry, const char* value);

    const std::string& AppName() const { return appName_; }
    HINSTANCE Instance() const { return instance_; }
    // The string table entry, or "" when there is none.
    std::string LoadString(UINT id) const;
    // A message box captioned with the application name, owned by the main window.
    int MessageBox(const std::string& text, UINT type) const;

    // Turns on three-dimensional dialog controls where CTL3D32.DLL exists.
    void Enable3dControls();

    CWnd* m_pMainWnd = nullptr;

private:
    HINSTANCE instance_;
    std::string appName_;
    std::vector<std::string> arguments_;
    std::unique_ptr<ProfileStore> profile_;
    Module ctl3d_;
};

// StartUp, then Run when it asked for the loop, then ShutDown; returns the exit code.
int RunApplication(CWinApp& app);

// The module's file's base name without folder or extension, from its long
// name however the process was started (LongBaseName).
std::string ModuleBaseName(HMODULE module);
// The base name of the file at `path` from its long name, as its folder
// lists it; from `path` itself when the file cannot be found.
std::string LongBaseName(const std::string& path);
