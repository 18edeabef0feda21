#pragma once
// <windows.h> for the Windows layer. The profile calls of the core share
// their names with old Win16 profile macros; those are taken back here so the
// core's names mean the same on both sides.
#include <windows.h>

#undef GetProfileInt
#undef GetProfileString
#undef WriteProfileString
