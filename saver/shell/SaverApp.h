#pragma once
#include <string>

#include "framework/WinApp.h"

// The saver's application object: reads the command line, picks one of the
// four modes and owns the system's screen-saver-running flag in run mode.
class SaverApp : public CWinApp {
public:
    SaverApp();

    bool StartUp() override;
    int ShutDown() override;

    // Parses and runs the mode; the result is the result of start-up.
    virtual bool DispatchMode();
    virtual bool IsSwitch(const char* text) const;
    virtual void ParseCommandLine();
    virtual void RunConfigure();
    virtual void RunPreview();
    virtual void RunChangePassword();
    virtual void HandleOtherArgument(const std::string& word);
    virtual void RunSaver();
    // A warning box with string `id`, captioned with the application name.
    virtual void ShowMessageId(unsigned id);

    std::string switchText;
    std::string modeArgument;
    bool spiSet = false;
    UINT savedSpiState = 0;

private:
    HWND foregroundAtStart_ = nullptr;
};
