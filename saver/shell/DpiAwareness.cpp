#include "saver/shell/DpiAwareness.h"

#include "framework/LateBound.h"

namespace {
using SetContextFn = BOOL WINAPI(HANDLE);
using SetAwarenessFn = HRESULT WINAPI(int);
using SetAwareFn = BOOL WINAPI();

// DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2, DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE
// and PROCESS_PER_MONITOR_DPI_AWARE, which the headers for the oldest
// supported systems do not have.
const HANDLE kPerMonitorV2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));
const HANDLE kPerMonitor = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-3));
constexpr int kProcessPerMonitor = 2;
// What shcore answers when the process's awareness was set already.
constexpr HRESULT kAccessDenied = static_cast<HRESULT>(0x80070005L);

template <class Function>
Function* Look(DpiCallLookup lookup, const char* library, const char* name) {
    return reinterpret_cast<Function*>(lookup(library, name));
}
}  // namespace

void (*LookUpSystemCall(const char* library, const char* name))() { return LateBound<void()>(library, name); }

DpiAwarenessSet BecomeDpiAware(DpiCallLookup lookup) {
    if (auto* setContext = Look<SetContextFn>(lookup, "user32.dll", "SetProcessDpiAwarenessContext")) {
        if (setContext(kPerMonitorV2)) return DpiAwarenessSet::PerMonitorV2;
        if (GetLastError() == ERROR_ACCESS_DENIED) return DpiAwarenessSet::Already;
        // A system that knows the call but not V2 (Wine 8) takes the first
        // version here, without shcore.
        if (setContext(kPerMonitor)) return DpiAwarenessSet::PerMonitor;
        if (GetLastError() == ERROR_ACCESS_DENIED) return DpiAwarenessSet::Already;
    }
    if (auto* setAwareness = Look<SetAwarenessFn>(lookup, "shcore.dll", "SetProcessDpiAwareness")) {
        const HRESULT result = setAwareness(kProcessPerMonitor);
        if (SUCCEEDED(result)) return DpiAwarenessSet::PerMonitor;
        if (result == kAccessDenied) return DpiAwarenessSet::Already;
    }
    if (auto* setAware = Look<SetAwareFn>(lookup, "user32.dll", "SetProcessDPIAware")) {
        if (setAware()) return DpiAwarenessSet::SystemWide;
    }
    return DpiAwarenessSet::Unavailable;
}
