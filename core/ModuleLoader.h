#pragma once
#include <cstddef>

// The system facilities the QuickTime binding needs to find and load the
// library. Every path buffer holds `size` characters (the binding passes
// kQtPathSize).
class ModuleLoader {
public:
    using ModuleId = void*;
    virtual ~ModuleLoader() = default;
    // The full path of a module called `name` already loaded into the process;
    // false when there is none or its path cannot be read.
    virtual bool LoadedModulePath(const char* name, char* path, std::size_t size) = 0;
    // The full path of the program file; false when it cannot be read.
    virtual bool ProgramPath(char* path, std::size_t size) = 0;
    // The system directory, without a trailing separator; false when unknown.
    virtual bool SystemDirectory(char* path, std::size_t size) = 0;
    // Null when the file cannot be loaded.
    virtual ModuleId Load(const char* path) = 0;
    virtual void Unload(ModuleId module) = 0;
    // Null when the module has no entry of that name.
    virtual void* Resolve(ModuleId module, const char* name) = 0;
};
