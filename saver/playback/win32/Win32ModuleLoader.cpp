#include "saver/playback/win32/Win32ModuleLoader.h"

namespace {
// A length the system filled in, or 0 and no terminator, or the buffer's size
// when the text was cut: only the middle case is a whole path.
bool Whole(DWORD length, std::size_t size) { return length > 0 && length < size; }
}  // namespace

bool Win32ModuleLoader::LoadedModulePath(const char* name, char* path, std::size_t size) {
    HMODULE loaded = GetModuleHandleA(name);
    if (loaded == nullptr) return false;
    return Whole(GetModuleFileNameA(loaded, path, static_cast<DWORD>(size)), size);
}

bool Win32ModuleLoader::ProgramPath(char* path, std::size_t size) {
    return Whole(GetModuleFileNameA(nullptr, path, static_cast<DWORD>(size)), size);
}

bool Win32ModuleLoader::SystemDirectory(char* path, std::size_t size) {
    return Whole(GetSystemDirectoryA(path, static_cast<UINT>(size)), size);
}

ModuleLoader::ModuleId Win32ModuleLoader::Load(const char* path) { return LoadLibraryA(path); }

void Win32ModuleLoader::Unload(ModuleId module) { FreeLibrary(static_cast<HMODULE>(module)); }

void* Win32ModuleLoader::Resolve(ModuleId module, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), name));
}
