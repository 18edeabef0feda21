// A QuickTime.qts for the tests only (never shipped): it plays nothing and
// writes down every routine the saver reaches through the dispatcher, by
// name with the arguments that matter, so a test can check what the saver
// asked for and in which order. It also lets the test refuse the movie
// toolbox's initialisation and end the movie, and it counts end callbacks
// that would reach a movie already disposed of.
#include <windows.h>

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <set>
#include <string>

#include "quicktime/QtRecords.h"

namespace {

std::string gLog;
int16_t gEnterResult = 0;
bool gEndPending = false;
int gLateCallbacks = 0;
intptr_t gNextHandle = 0x1000;
// The movie's volume level: like the real library, the last level it was
// given, so a muted movie answers a negative one.
int16_t gVolume = 256;
// The movie's length in units of its time scale, 600 a second: 2 s.
int32_t gDuration = 1200;

struct Callback {
    intptr_t movie = 0;
    QtCallBackProc proc = nullptr;
    intptr_t refCon = 0;
    bool armed = false;
};
// The saver opens the next movie while one plays: each movie has its own
// callback, and an end reaches the movie that plays.
std::map<intptr_t, Callback> gCallbacks;   // by movie
std::map<intptr_t, intptr_t> gControllers;  // controller -> its movie
std::set<intptr_t> gPlaying;  // movies started and not stopped
std::set<intptr_t> gMovies;   // movies not disposed of
std::set<intptr_t> gDone;     // movies whose play has ended

void Log(const char* format, ...) {
    char line[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    gLog += line;
    gLog += '\n';
}

template <class T>
T* As(intptr_t v) { return reinterpret_cast<T*>(v); }

// Offers of an event are the only place the end callback runs, as in the
// real library: on the caller's own thread, inside its call.
void DeliverEnd(intptr_t controller) {
    if (!gEndPending) return;
    const auto owner = gControllers.find(controller);
    if (owner == gControllers.end() || gPlaying.count(owner->second) == 0) return;
    const auto found = gCallbacks.find(owner->second);
    if (found == gCallbacks.end() || !found->second.armed) return;
    Callback& callback = found->second;
    gEndPending = false;
    callback.armed = false;
    if (gMovies.count(callback.movie) == 0) ++gLateCallbacks;
    gDone.insert(callback.movie);
    callback.proc(reinterpret_cast<intptr_t>(&callback), callback.refCon);
}

intptr_t Component(intptr_t controller, const uint8_t* block) {
    uint16_t what = 0;
    std::memcpy(&what, block + 2, sizeof what);
    intptr_t params[2] = {0, 0};
    std::memcpy(params, block + sizeof(intptr_t), block[1] <= sizeof params ? block[1] : sizeof params);
    if (what == 7) {
        DeliverEnd(controller);
        return 0;
    }
    if (what == 9) {
        Log("ControllerDoAction %d %ld", static_cast<int>(static_cast<int16_t>(params[0])), static_cast<long>(params[1]));
        if (static_cast<int16_t>(params[0]) == kQtActionSetVolume) gVolume = static_cast<int16_t>(params[1]);
        return 0;
    }
    Log("CallComponent %ld %u", static_cast<long>(controller), what);
    return -2010;
}

intptr_t Dispatch(uint32_t selector, const intptr_t* a) {
    switch (selector) {
    case 0x10000: return Component(a[0], As<const uint8_t>(a[1]));
    case 0x1C0007: Log("SetPort"); return 0;
    case 0x1D0001: Log("CreatePortAssociation"); return 0;
    case 0x1D0002: Log("DestroyPortAssociation"); return 0;
    case 0x1D0003: Log("NativeWindowPort"); return a[0];
    case 0x1D0008: Log("InitializeLibrary %ld", static_cast<long>(a[0])); return 0;
    case 0x1D0009: Log("TerminateLibrary"); return 0;
    case 0x1D000A: {
        const auto* native = As<const QtNativeMessage>(a[0]);
        *As<QtEventRecord>(a[1]) = QtEventRecord{0, native->window, native->message, native->wParam, native->lParam,
                                                native->time, native->x, native->y};
        return 0;
    }
    case 0x20001: Log("EnterMovies"); return gEnterResult;
    case 0x20002: Log("ExitMovies"); return 0;
    case 0x2000B: Log("StartMovie"); gPlaying.insert(a[0]); return 0;
    case 0x2000C: Log("StopMovie"); gPlaying.erase(a[0]); return 0;
    case 0x2000D: Log("GoToBeginningOfMovie"); gDone.erase(a[0]); return 0;
    case 0x20012: Log("MovieTimeBase"); return a[0];
    case 0x2001F: return 0;
    case 0x20029: Log("MovieTimeScale"); return 600;
    case 0x2002E: Log("MovieDuration"); return gDuration;
    case 0x20023:
        Log("DisposeMovie");
        gMovies.erase(a[0]);
        gPlaying.erase(a[0]);
        return 0;
    case 0x200B8:
        Log("CallMeWhen");
        As<Callback>(a[0])->proc = reinterpret_cast<QtCallBackProc>(a[1]);
        As<Callback>(a[0])->refCon = a[2];
        As<Callback>(a[0])->armed = true;
        return 0;
    case 0x200D5: Log("CloseMovieFile"); return 0;
    case 0x200DD: Log("IsMovieDone"); return gDone.count(a[0]) != 0 ? 1 : 0;
    case 0x200EB:
        Log("NewCallBack %ld", static_cast<long>(a[1]));
    {
        Callback& callback = gCallbacks[a[0]];
        callback = Callback{a[0], nullptr, 0, false};
        return reinterpret_cast<intptr_t>(&callback);
    }
    case 0x200EC:
        Log("DisposeCallBack");
        As<Callback>(a[0])->armed = false;
        return 0;
    case 0x200F0: {
        const intptr_t movie = gNextHandle++;
        gMovies.insert(movie);
        *As<intptr_t>(a[0]) = movie;
        Log("NewMovieFromFile");
        return 0;
    }
    case 0x200F5: Log("MovieVolume"); return gVolume;
    case 0x200F9: *As<QtRect>(a[1]) = QtRect{0, 0, 120, 160}; Log("MovieBox"); return 0;
    case 0x2018A: {
        const auto* r = As<const QtRect>(a[1]);
        Log("NewMovieController %d %d %d %d %ld", r->top, r->left, r->bottom, r->right, static_cast<long>(a[2]));
        gControllers[gNextHandle] = a[0];
        return gNextHandle++;
    }
    case 0x2018B: Log("DisposeMovieController"); return 0;
    case 0x20192: *As<intptr_t>(a[1]) = gNextHandle++; Log("OpenMovieFile %ld", static_cast<long>(a[2])); return 0;
    case 0xF00E2: {
        const auto* path = As<const unsigned char>(a[2]);
        std::memcpy(As<QtFileSpec>(a[3])->name, path, static_cast<size_t>(path[0]) + 1);
        Log("MakeFileSpec %.*s", static_cast<int>(path[0]), reinterpret_cast<const char*>(path + 1));
        return 0;
    }
    case 0x280017: {
        char* text = As<char>(a[0]);
        const size_t length = std::strlen(text) > 255 ? 255 : std::strlen(text);
        std::memmove(text + 1, text, length);
        text[0] = static_cast<char>(length);
        Log("CToPascalString");
        return 0;
    }
    default: Log("Unknown %lx", static_cast<unsigned long>(selector)); return -2010;
    }
}

}  // namespace

extern "C" {
// The tests' library stands in for ours, so it carries our marker.
extern const QtLibraryMarker PelorQuickTimeMarker;
const QtLibraryMarker PelorQuickTimeMarker = kQtLibraryMarker;

intptr_t FakeDispatch(uint32_t selector, const intptr_t* args) { return Dispatch(selector, args); }
intptr_t FakeCallComponent(uint32_t, const intptr_t*) { return -2010; }
// What was called since the last FakeQtReset, one routine a line.
const char* FakeQtLog() { return gLog.c_str(); }
void FakeQtReset() {
    gLog.clear();
    gEnterResult = 0;
    gEndPending = false;
    gLateCallbacks = 0;
    gPlaying.clear();
    gVolume = 256;
    gDuration = 1200;
}
// The movie's length from now on, in 600ths of a second; 0 for unknown.
void FakeQtSetDuration(int units) { gDuration = units; }
// The movie's volume level from now on, as if the movie had been given it.
void FakeQtSetMovieVolume(int level) { gVolume = static_cast<int16_t>(level); }
// EnterMovies answers `result` from now on.
void FakeQtSetEnterResult(int result) { gEnterResult = static_cast<int16_t>(result); }
// The movie ends: its armed callback runs at the next offered event.
void FakeQtEndMovie() { gEndPending = true; }
// Callbacks that reached a movie after it was disposed of.
int FakeQtLateCallbacks() { return gLateCallbacks; }
}
