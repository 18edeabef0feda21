// QuickTime.qts: the routines the saver reaches through the dispatcher, over
// Media Foundation or DirectShow (quicktime/Movie.h). A movie controller is
// the place of a movie's picture in its window; a port is the window itself;
// a time base is its movie.
#include <windows.h>

#include <cstring>
#include <memory>
#include <string>

#include "quicktime/Movie.h"
#include "quicktime/QtRecords.h"

namespace {

constexpr intptr_t kNoErr = 0;
constexpr intptr_t kFileNotFound = -43;
constexpr intptr_t kNoMovieFound = -2048;
constexpr intptr_t kUnimplemented = -2010;

// An open movie file: only its path, the movie opens by name.
struct MovieFile {
    std::string path;
};

struct Controller {
    Movie* movie;
};

// The library's own state, set by its routines on the caller's thread.
HWND gCurrentPort = nullptr;
bool gComStarted = false;

template <class T>
T* As(intptr_t v) { return reinterpret_cast<T*>(v); }

intptr_t Initialize() {
    // CoInitialize is CoInitializeEx with COINIT_APARTMENTTHREADED, and every
    // ole32 has it: Windows 95's lacks CoInitializeEx without DCOM.
    const HRESULT hr = CoInitialize(nullptr);
    // A thread already in another apartment still reaches the graph.
    gComStarted = SUCCEEDED(hr);
    return kNoErr;
}

void Terminate() {
    Movie::Unload();
    if (gComStarted) CoUninitialize();
    gComStarted = false;
}

void ToPascal(char* buffer) {
    const size_t length = std::strlen(buffer);
    const size_t kept = length > 255 ? 255 : length;
    std::memmove(buffer + 1, buffer, kept);
    buffer[0] = static_cast<char>(kept);
}

void MakeFileSpec(int16_t volume, int32_t directory, const unsigned char* path, QtFileSpec* spec) {
    spec->volume = volume;
    spec->directory = directory;
    std::memcpy(spec->name, path, static_cast<size_t>(path[0]) + 1);
}

intptr_t OpenMovieFile(const QtFileSpec* spec, intptr_t* file) {
    std::string path(reinterpret_cast<const char*>(spec->name + 1), spec->name[0]);
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return kFileNotFound;
    // GetFileSize, not GetFileSizeEx, which Windows 95, 98 and NT 4.0 lack.
    DWORD high = 0;
    const DWORD low = GetFileSize(h, &high);
    const bool empty = (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) || (low == 0 && high == 0);
    CloseHandle(h);
    if (empty) return kNoMovieFound;
    *file = reinterpret_cast<intptr_t>(new MovieFile{path});
    return kNoErr;
}

intptr_t NewMovieFromFile(intptr_t* movie, intptr_t file) {
    std::unique_ptr<Movie> m = Movie::Open(As<MovieFile>(file)->path, gCurrentPort);
    if (!m) return kNoMovieFound;
    *movie = reinterpret_cast<intptr_t>(m.release());
    return kNoErr;
}

intptr_t NewController(Movie* movie, const QtRect* rect) {
    movie->ShowAt(*rect);
    return reinterpret_cast<intptr_t>(new Controller{movie});
}

void DisposeController(Controller* c) {
    if (c == nullptr) return;
    c->movie->Hide();
    delete c;
}

intptr_t NewCallBack(Movie* movie) { return reinterpret_cast<intptr_t>(new MovieCallBack{movie, nullptr, 0}); }

void CallMeWhen(MovieCallBack* callback, intptr_t proc, intptr_t refCon) {
    callback->proc = reinterpret_cast<QtCallBackProc>(proc);
    callback->refCon = refCon;
    if (callback->movie != nullptr) callback->movie->Armed() = callback;
}

void DisposeCallBack(MovieCallBack* callback) {
    if (callback == nullptr) return;
    if (callback->movie != nullptr && callback->movie->Armed() == callback) callback->movie->Armed() = nullptr;
    delete callback;
}

void ToEvent(const QtNativeMessage* native, QtEventRecord* event) {
    *event = QtEventRecord{0, native->window, native->message, native->wParam, native->lParam,
                           native->time, native->x, native->y};
}

// The component routines of a movie controller: 7 offers an event, 9 performs an action.
intptr_t CallComponent(Controller* c, const uint8_t* block) {
    if (c == nullptr) return kUnimplemented;
    uint16_t what = 0;
    std::memcpy(&what, block + 2, sizeof what);
    intptr_t params[2] = {0, 0};
    std::memcpy(params, block + sizeof(intptr_t), block[1] <= sizeof params ? block[1] : sizeof params);
    switch (what) {
    case 7:
        // Every message the window sees gives the movie its time.
        c->movie->Service();
        return 0;
    case 9:
        switch (static_cast<int16_t>(params[0])) {
        case kQtActionSetVolume: c->movie->SetVolume(static_cast<int16_t>(params[1])); return 0;
        case kQtActionSetLooping: c->movie->SetLooping(params[1] != 0); return 0;
        default: return kUnimplemented;
        }
    default: return kUnimplemented;
    }
}

intptr_t Dispatch(uint32_t selector, const intptr_t* a) {
    switch (selector) {
    case 0x10000: return CallComponent(As<Controller>(a[0]), As<const uint8_t>(a[1]));
    case 0x1C0007: gCurrentPort = As<HWND__>(a[0]); return kNoErr;
    case 0x1D0001: return kNoErr;
    case 0x1D0002: return kNoErr;
    case 0x1D0003: return a[0];
    case 0x1D0008: return Initialize();
    case 0x1D0009: Terminate(); return kNoErr;
    case 0x1D000A: ToEvent(As<const QtNativeMessage>(a[0]), As<QtEventRecord>(a[1])); return kNoErr;
    case 0x20001: return kNoErr;
    case 0x20002: return kNoErr;
    case 0x2000B: As<Movie>(a[0])->Start(); return kNoErr;
    case 0x2000C: As<Movie>(a[0])->Stop(); return kNoErr;
    case 0x2000D: As<Movie>(a[0])->GoToBeginning(); return kNoErr;
    case 0x20012: return a[0];
    case 0x2001F: return kNoErr;  // the picture's own window repaints itself
    case 0x20023: delete As<Movie>(a[0]); return kNoErr;
    case 0x20029: return 1000;  // a movie's time scale: its times are in milliseconds
    case 0x2002E: return As<Movie>(a[0])->DurationMs();
    case 0x200B8: CallMeWhen(As<MovieCallBack>(a[0]), a[1], a[2]); return kNoErr;
    case 0x200D5: delete As<MovieFile>(a[0]); return kNoErr;
    case 0x200DD: return As<Movie>(a[0])->Done() ? 1 : 0;
    case 0x200EB: return NewCallBack(As<Movie>(a[0]));
    case 0x200EC: DisposeCallBack(As<MovieCallBack>(a[0])); return kNoErr;
    case 0x200F0: return NewMovieFromFile(As<intptr_t>(a[0]), a[1]);
    case 0x200F5: return As<Movie>(a[0])->Volume();
    case 0x200F9: *As<QtRect>(a[1]) = As<Movie>(a[0])->Box(); return kNoErr;
    case 0x2018A: return NewController(As<Movie>(a[0]), As<const QtRect>(a[1]));
    case 0x2018B: DisposeController(As<Controller>(a[0])); return kNoErr;
    case 0x20192: return OpenMovieFile(As<const QtFileSpec>(a[0]), As<intptr_t>(a[1]));
    case 0xF00E2:
        MakeFileSpec(static_cast<int16_t>(a[0]), static_cast<int32_t>(a[1]), As<const unsigned char>(a[2]),
                     As<QtFileSpec>(a[3]));
        return kNoErr;
    case 0x280017: ToPascal(As<char>(a[0])); return kNoErr;
    default: return kUnimplemented;
    }
}

}  // namespace

extern "C" {
// Read by the saver before it calls anything here (QtRecords.h).
extern const QtLibraryMarker PelorQuickTimeMarker;
const QtLibraryMarker PelorQuickTimeMarker = kQtLibraryMarker;

intptr_t QtDispatch(uint32_t selector, const intptr_t* args) { return Dispatch(selector, args); }
// Present for callers that look for them; everything goes through the dispatcher.
intptr_t QtCallComponent(uint32_t, const intptr_t*) { return kUnimplemented; }
intptr_t QtCallComponentWithStorage(uint32_t, const intptr_t*) { return kUnimplemented; }
}
