#pragma once
#include "framework/Win32.h"

// Whether a window, or the thread an activation goes to, belongs to this
// process: a media device's own window on a thread of the saver is not the
// user switching to another program.
bool IsOwnProcessWindow(HWND wnd);
bool IsOwnProcessThread(DWORD threadId);
