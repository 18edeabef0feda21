#pragma once
#include <cstdint>

// The records the saver and our QuickTime.qts pass to each other through the
// dispatcher. Windows-free: window handles and message values travel as
// pointer-sized integers.

// The library's rectangle.
struct QtRect {
    int16_t top, left, bottom, right;
};

// A file specification: volume, directory and the length-prefixed path.
struct QtFileSpec {
    int16_t volume;
    int32_t directory;
    unsigned char name[256];
};

// A native window message as the saver hands it over for translation.
struct QtNativeMessage {
    intptr_t window;
    uint32_t message;
    uintptr_t wParam;
    intptr_t lParam;
    uint32_t time;
    int32_t x, y;
};

// The library's event record, made from a native message.
struct QtEventRecord {
    uint16_t what;
    intptr_t window;
    uint32_t message;
    uintptr_t wParam;
    intptr_t lParam;
    uint32_t when;
    int32_t x, y;
};

// How a QuickTime.qts says it is ours: an exported record, named
// kQtMarkerName, that the saver reads before it calls anything in the library.
// A library of another program with the same entry names has no such record
// and is never called: its calling convention is not ours.
struct QtLibraryMarker {
    char text[24];
    uint32_t version;  // the dispatcher's selectors and records as of this version
};
constexpr const char* kQtMarkerName = "PelorQuickTimeMarker";
constexpr QtLibraryMarker kQtLibraryMarker{"Pelorama QuickTime.qts", 1};

// The end-of-movie procedure the saver arms: the callback and its reference value.
using QtCallBackProc = void (*)(intptr_t callback, intptr_t refCon);

// Controller actions the saver performs.
constexpr int16_t kQtActionSetVolume = 14;
constexpr int16_t kQtActionSetLooping = 21;
