#pragma once
#include "framework/Win32.h"

#include <string>
#include <vector>

// The system's open and save dialogs with the framework's filter syntax:
// pairs of description and patterns separated by "|", ended by "||".

// The chosen full paths, in the order the dialog reports them; false when
// the user cancelled or the names did not fit `bufferChars` characters.
bool ChooseFilesToOpen(HWND owner, const char* filter, DWORD flags, size_t bufferChars,
                       std::vector<std::string>& paths);

// The chosen path; false when the user cancelled. `defaultExtension` may be null.
bool ChooseFileToSave(HWND owner, const char* filter, const char* defaultExtension, DWORD flags,
                      std::string& path);

// The names of a drop, each whole whatever its length.
std::vector<std::string> DroppedNames(HDROP drop);

// Files dragged from the shell onto `window` arrive as WM_DROPFILES.
void AcceptDroppedFiles(HWND window);
// Gives a drop back to the shell once its names are read.
void FinishDrop(HDROP drop);
