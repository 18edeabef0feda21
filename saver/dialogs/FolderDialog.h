#pragma once
#include "framework/Win32.h"

#include <string>

// The system's folder browser (Windows 95 and later), looked up when first
// used. It opens at `start` when that names a folder. The chosen folder's
// full path; false when the user cancelled, chose something that is not a
// folder of the file system, or the shell lacks the browser.
bool ChooseFolder(HWND owner, const std::string& start, std::string& path);

// Where the browser opens for a playlist entry: the entry itself when it is
// a folder, otherwise the folder its file is in ("" for a bare name).
std::string BrowseStartFor(const std::string& file);
