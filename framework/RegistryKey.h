#pragma once
#include "framework/Win32.h"

#include <cstdint>
#include <string>

#include "framework/Handles.h"

// A registry key owned by this object. Getters state their contract: on any
// failure (missing value, wrong type, wrong size) they return the default.
class RegistryKey {
public:
    RegistryKey() = default;
    // Opens or creates `path` under `root`; check with IsOpen().
    static RegistryKey Create(HKEY root, const std::string& path);
    static RegistryKey Open(HKEY root, const std::string& path, REGSAM access = KEY_READ);

    bool IsOpen() const { return static_cast<bool>(key_); }
    HKEY get() const { return key_.get(); }

    // A REG_DWORD of exactly 4 bytes, else `def`.
    uint32_t GetDword(const char* name, uint32_t def) const;
    // A REG_SZ or REG_EXPAND_SZ (unexpanded), cut at its first zero, else `def`.
    std::string GetString(const char* name, const std::string& def) const;
    bool SetDword(const char* name, uint32_t value) const;
    // Stored with its terminating zero.
    bool SetString(const char* name, const std::string& value) const;
    bool DeleteValue(const char* name) const;

private:
    explicit RegistryKey(HKEY key) : key_(key) {}
    RegKeyHandle key_;
};

// Deletes `path` under `root` with everything below it.
bool DeleteRegistryTree(HKEY root, const std::string& path);
