// pelor_mci_probe: opens FILE with the MCI system as the saver does (element,
// optional device type), reports the source rectangle and plays it once to
// the end, so the tests can tell which files a device really plays.
//   pelor_mci_probe FILE [DEVICETYPE]
// Prints "open <error>", then "where <l> <t> <r> <b>" or "where none", then
// "play <error> <ms>". Exits 0 when open and play both succeeded.
#include "framework/Win32.h"

#include <mmsystem.h>
#include <digitalv.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: pelor_mci_probe FILE [DEVICETYPE]\n");
        return 2;
    }
    MCI_OPEN_PARMSA open{};
    open.lpstrElementName = argv[1];
    DWORD flags = MCI_OPEN_ELEMENT | MCI_WAIT;
    if (argc > 2) {
        open.lpstrDeviceType = argv[2];
        flags |= MCI_OPEN_TYPE;
    }
    const MCIERROR opened = mciSendCommandA(0, MCI_OPEN, flags, reinterpret_cast<DWORD_PTR>(&open));
    std::printf("open %lu\n", static_cast<unsigned long>(opened));
    if (opened != 0) return 1;

    MCI_ANIM_RECT_PARMS where{};
    if (mciSendCommandA(open.wDeviceID, MCI_WHERE, MCI_ANIM_WHERE_SOURCE | MCI_WAIT,
                        reinterpret_cast<DWORD_PTR>(&where)) == 0) {
        std::printf("where %ld %ld %ld %ld\n", where.rc.left, where.rc.top, where.rc.right, where.rc.bottom);
    } else {
        std::printf("where none\n");
    }
    const DWORD start = GetTickCount();
    MCI_PLAY_PARMS play{};
    const MCIERROR played = mciSendCommandA(open.wDeviceID, MCI_PLAY, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&play));
    std::printf("play %lu %lu\n", static_cast<unsigned long>(played),
                static_cast<unsigned long>(GetTickCount() - start));
    MCI_GENERIC_PARMS close{};
    mciSendCommandA(open.wDeviceID, MCI_CLOSE, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&close));
    return played == 0 ? 0 : 1;
}
