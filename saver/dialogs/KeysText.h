#pragma once
#include <cstdint>

#include "saver/resources/resource.h"

// The string shown below the configuration dialog's options: the keys that
// work while the saver runs, or what a Windows NT system does not support.
namespace keys_text {
constexpr uint32_t kPlatformWin32Nt = 2;  // VER_PLATFORM_WIN32_NT
constexpr unsigned kKeys = IDS_KEYS_HELP;                 // the key list
constexpr unsigned kNt4Notice = IDS_NT4_NO_POWER_OR_KEYS;  // NT 4.0 and earlier: no power or keys
constexpr unsigned kNtNotice = IDS_NT_NO_KEYS;             // later NT: no keys
}  // namespace keys_text

// The string id for a system that reports this platform id and major version.
unsigned KeysTextId(uint32_t platformId, uint32_t majorVersion);
