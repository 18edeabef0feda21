#include "quicktime/SelfReference.h"

namespace {

volatile LONG gHeld = 0;  // 1 while the module holds a reference on itself

// The module this code lies in: VirtualQuery and GetModuleFileNameA, as
// Windows 95 has them (GetModuleHandleEx came with XP).
HMODULE ThisModule() {
    MEMORY_BASIC_INFORMATION info{};
    if (VirtualQuery(reinterpret_cast<const void*>(&ThisModule), &info, sizeof info) == 0) return nullptr;
    return static_cast<HMODULE>(info.AllocationBase);
}

}  // namespace

void SelfReference::Take() {
    const HMODULE self = ThisModule();
    if (self == nullptr || self == GetModuleHandleA(nullptr)) return;
    if (InterlockedExchange(&gHeld, 1) != 0) return;
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(self, path, sizeof path);
    if (length == 0 || length >= sizeof path || LoadLibraryA(path) != self) InterlockedExchange(&gHeld, 0);
}

void SelfReference::GiveBackIf(bool unused) {
    if (!unused) return;
    const HMODULE self = ThisModule();
    if (self != nullptr && InterlockedExchange(&gHeld, 0) != 0) FreeLibrary(self);
}

bool SelfReference::Held() { return gHeld != 0; }
