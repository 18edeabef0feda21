#pragma once
#include <string>

#include "framework/RegistryKey.h"

// A registry subtree of the test's own, deleted before and after the test.
class ScratchKey {
public:
    ScratchKey(HKEY root, std::string path) : root_(root), path_(std::move(path)) {
        DeleteRegistryTree(root_, path_);
    }
    ~ScratchKey() { DeleteRegistryTree(root_, path_); }
    ScratchKey(const ScratchKey&) = delete;
    ScratchKey& operator=(const ScratchKey&) = delete;

    const std::string& path() const { return path_; }
    RegistryKey Open(const std::string& sub = "") const {
        return RegistryKey::Create(root_, sub.empty() ? path_ : path_ + "\\" + sub);
    }
    // Stores raw bytes of any type, for values the program never writes itself.
    void SetRaw(const std::string& sub, const char* name, DWORD type, const void* data,
                DWORD size) const {
        RegistryKey key = Open(sub);
        RegSetValueExA(key.get(), name, 0, type, static_cast<const BYTE*>(data), size);
    }

private:
    HKEY root_;
    std::string path_;
};
