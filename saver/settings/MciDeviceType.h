#pragma once
#include <cstddef>
#include <string>

// The longest type name an MCI device has: 79 characters, a name buffer of
// 80 with its terminator. The system's open overruns its own stack on much
// longer names, so a longer type (a damaged registry, someone else's
// playlist file) is never handed to it: no device has such a name.
constexpr size_t kMaxMciDeviceTypeLength = 79;

inline bool IsPossibleMciDeviceType(const std::string& type) {
    return type.size() <= kMaxMciDeviceTypeLength;
}
