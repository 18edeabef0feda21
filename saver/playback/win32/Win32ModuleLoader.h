#pragma once
#include "core/ModuleLoader.h"
#include "framework/Win32.h"

// Finds and loads libraries with the system's loader.
class Win32ModuleLoader : public ModuleLoader {
public:
    bool LoadedModulePath(const char* name, char* path, std::size_t size) override;
    bool ProgramPath(char* path, std::size_t size) override;
    bool SystemDirectory(char* path, std::size_t size) override;
    ModuleId Load(const char* path) override;
    void Unload(ModuleId module) override;
    void* Resolve(ModuleId module, const char* name) override;
};
