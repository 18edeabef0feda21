#pragma once
#include "framework/Win32.h"

// A function of a system library looked up at its first use instead of being
// imported: the common dialogs, the shell and the common controls cost a
// program tens of milliseconds at every start just to load, and only the
// settings window uses them, never the running saver. The library stays
// loaded for the rest of the process, as an import would. Null when the
// library or the function is missing.
//
//   static auto* open = LateBound<decltype(GetOpenFileNameA)>("comdlg32.dll", "GetOpenFileNameA");
template <class Function>
Function* LateBound(const char* library, const char* name) {
    HMODULE module = GetModuleHandleA(library);
    if (module == nullptr) module = LoadLibraryA(library);
    if (module == nullptr) return nullptr;
    return reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}
