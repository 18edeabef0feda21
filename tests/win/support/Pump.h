#pragma once
#include "framework/Win32.h"

#include <functional>

// Dispatches this thread's messages for `ms` milliseconds. A quit request
// (the full-screen window posts one when it goes) is taken and ignored.
inline void PumpFor(DWORD ms) {
    const DWORD start = GetTickCount();
    MSG msg;
    while (GetTickCount() - start < ms) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) continue;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

// Pumps until `done` holds or `ms` milliseconds have passed; whether it held.
inline bool PumpUntil(const std::function<bool()>& done, DWORD ms) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start >= ms) return false;
        PumpFor(5);
    }
    return true;
}
