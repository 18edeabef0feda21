// Another program's QuickTime.qts, for the tests only: the three entry names
// the saver looks for, with a calling convention that is not ours. Any call
// into it ends the process at once, as calling a foreign library with the
// wrong convention would.
#include <windows.h>

#include <cstdint>

extern "C" {
intptr_t ForeignEntry(uint32_t, const intptr_t*) {
    TerminateProcess(GetCurrentProcess(), 5);
    return 0;
}
}
