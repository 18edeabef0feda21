#pragma once
// How a program's file name becomes its application name, the key its
// settings live under. Tested natively; the Win32 layer finds the names.
#include <string>

// The base name of the file at `path`: `longName` (the file's long name as
// the system lists it in its folder) when not "", else the last part of
// `path`, without the extension in either case. Windows 95 starts a saver
// by its short name from the display settings and by its long one from
// Explorer; through the long name both come to one application name.
std::string ProgramBaseName(const std::string& path, const std::string& longName);
