#pragma once
// Names the system matches without regard to case (registry value names,
// file names and extensions, device types), compared as the single-byte
// text they are: byte by byte under the C library's case rule.
#include <cctype>
#include <cstring>
#include <string>

inline bool SameIgnoringCase(const char* a, size_t aLength, const char* b, size_t bLength) {
    if (aLength != bLength) return false;
    for (size_t i = 0; i < aLength; ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

inline bool SameIgnoringCase(const std::string& a, const char* b) {
    return SameIgnoringCase(a.data(), a.size(), b, std::strlen(b));
}

inline bool SameIgnoringCase(const std::string& a, const std::string& b) {
    return SameIgnoringCase(a.data(), a.size(), b.data(), b.size());
}
