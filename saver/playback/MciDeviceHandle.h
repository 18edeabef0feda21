#pragma once
#include "framework/Handles.h"

#include "framework/Multimedia.h"

// An MCI device id from MCI_OPEN, closed with MCI_CLOSE (waiting) when its
// owner goes or takes another.
struct MciDeviceTraits {
    using Handle = MCIDEVICEID;
    static MCIDEVICEID Empty() { return 0; }
    static void Close(MCIDEVICEID device) {
        MCI_GENERIC_PARMS parms{};
        SendMciCommand(device, MCI_CLOSE, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&parms));
    }
};
using MciDeviceHandle = UniqueHandle<MciDeviceTraits>;
