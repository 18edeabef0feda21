#include "framework/RegistryKey.h"

#include <vector>

namespace {
// Larger texts are not settings the saver wrote; they read as missing.
constexpr DWORD kMaxTextBytes = 1u << 20;
}

RegistryKey RegistryKey::Create(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_READ | KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return RegistryKey();
    }
    return RegistryKey(key);
}

RegistryKey RegistryKey::Open(HKEY root, const std::string& path, REGSAM access) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, access, &key) != ERROR_SUCCESS) return RegistryKey();
    return RegistryKey(key);
}

uint32_t RegistryKey::GetDword(const char* name, uint32_t def) const {
    if (!IsOpen()) return def;
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegQueryValueExA(key_.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(&value),
                         &size) != ERROR_SUCCESS) {
        return def;
    }
    return type == REG_DWORD && size == sizeof value ? value : def;
}

std::string RegistryKey::GetString(const char* name, const std::string& def) const {
    if (!IsOpen()) return def;
    // Most texts are paths and titles: one query into a buffer on the stack
    // reads them, and only a longer one costs a second query for its size.
    char held[512];
    DWORD type = 0;
    DWORD size = sizeof held - 1;
    LONG status = RegQueryValueExA(key_.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(held), &size);
    if (status == ERROR_SUCCESS) {
        if ((type != REG_SZ && type != REG_EXPAND_SZ) || size > sizeof held - 1) return def;
        // A value stored without its terminating zero still ends at its size.
        held[size] = '\0';
        return std::string(held);
    }
    if (status != ERROR_MORE_DATA) return def;
    if ((type != REG_SZ && type != REG_EXPAND_SZ) || size > kMaxTextBytes) return def;
    std::vector<char> data(size + 1, '\0');
    DWORD got = size;
    if (RegQueryValueExA(key_.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                         &got) != ERROR_SUCCESS ||
        got > size || (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return def;
    }
    data[got] = '\0';
    return std::string(data.data());
}

bool RegistryKey::SetDword(const char* name, uint32_t value) const {
    if (!IsOpen()) return false;
    const DWORD v = value;
    return RegSetValueExA(key_.get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v),
                          sizeof v) == ERROR_SUCCESS;
}

bool RegistryKey::SetString(const char* name, const std::string& value) const {
    if (!IsOpen()) return false;
    return RegSetValueExA(key_.get(), name, 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

bool RegistryKey::DeleteValue(const char* name) const {
    return IsOpen() && RegDeleteValueA(key_.get(), name) == ERROR_SUCCESS;
}

bool DeleteRegistryTree(HKEY root, const std::string& path) {
    {
        RegistryKey key = RegistryKey::Open(root, path, KEY_READ | KEY_WRITE);
        if (!key.IsOpen()) return false;
        char child[256];
        for (;;) {
            DWORD size = sizeof child;
            if (RegEnumKeyExA(key.get(), 0, child, &size, nullptr, nullptr, nullptr, nullptr) !=
                ERROR_SUCCESS) {
                break;
            }
            if (!DeleteRegistryTree(root, path + "\\" + child)) return false;
        }
    }
    return RegDeleteKeyA(root, path.c_str()) == ERROR_SUCCESS;
}
