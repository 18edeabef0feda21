#pragma once
#include "framework/Win32.h"

// How the running saver came to be told each monitor's own pixels.
enum class DpiAwarenessSet {
    Already,       // an earlier setting (the manifest's) stands; the calls refuse to change it
    PerMonitorV2,  // SetProcessDpiAwarenessContext, Windows 10 1703 and later
    PerMonitor,    // the first version: shcore's SetProcessDpiAwareness (Windows 8.1 and later),
                   // or the context call where it knows no V2
    SystemWide,    // SetProcessDPIAware, Windows Vista to 8: one DPI for every monitor
    Unavailable,   // none of them: Windows 95 to XP, which never scale a program
};

// A system function by library and name, null when there is none. The
// library is loaded when it is not already.
using DpiCallLookup = void (*(*)(const char* library, const char* name))();
void (*LookUpSystemCall(const char* library, const char* name))();

// Asks for per-monitor awareness by the newest call the system has, each
// looked up only when the one before is missing or refuses the request, so
// shcore is loaded only where user32 cannot do it; where only
// SetProcessDPIAware exists, the process becomes system aware. Run mode only,
// before its first window: see SaverApp::RunSaver.
DpiAwarenessSet BecomeDpiAware(DpiCallLookup lookup = &LookUpSystemCall);
