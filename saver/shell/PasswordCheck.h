#pragma once
#include "framework/Handles.h"

// "VerifyScreenSavePwd" of the system's password component: shows its
// dialog owned by the window; nonzero when the right password was typed.
using VerifyScreenSavePwdFn = BOOL(WINAPI*)(HWND);

// The password question to ask before the saver closes, looked up afresh:
// null when none is required ("ScreenSaveUsePassword" under
// HKEY_CURRENT_USER\Control Panel\Desktop absent, longer than 4 bytes or 0)
// or when "PASSWORD.CPL" or its function cannot be found; the saver may
// then close without asking. `library` keeps the component loaded: the
// previous load is let go only after the new one is made.
VerifyScreenSavePwdFn FindPasswordCheck(Module& library);
