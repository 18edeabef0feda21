#include "saver/shell/OwnProcess.h"

bool IsOwnProcessWindow(HWND wnd) {
    if (wnd == nullptr) return false;
    DWORD pid = 0;
    return GetWindowThreadProcessId(wnd, &pid) != 0 && pid == GetCurrentProcessId();
}

namespace {
BOOL CALLBACK FindOwnWindow(HWND wnd, LPARAM found) {
    if (!IsOwnProcessWindow(wnd)) return TRUE;
    *reinterpret_cast<bool*>(found) = true;
    return FALSE;
}
}  // namespace

bool IsOwnProcessThread(DWORD threadId) {
    // The thread being activated has the window being activated; its
    // windows tell whose thread it is.
    if (threadId == 0) return false;
    bool found = false;
    EnumThreadWindows(threadId, FindOwnWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}
