#pragma once
#include <cstddef>
#include <cstdint>

#include "core/ModuleLoader.h"
#include "quicktime/QtRecords.h"

constexpr std::size_t kQtPathSize = 260;
constexpr int16_t kQtErrNoLibrary = -2093;
constexpr int16_t kQtErrNoEntry = -2094;
constexpr int16_t kQtErrNotStarted = -2095;

// The library's dispatcher: a selector (group in the high, index in the low
// 16 bits) and the routine's arguments in its order, each pointer-sized.
using QtDispatcher = intptr_t (*)(uint32_t selector, const intptr_t* args);

// The three entry points, resolved by name.
constexpr const char* kQtStorageEntryName = "_CallComponentFunctionWithStorage";
constexpr const char* kQtComponentEntryName = "_CallComponent";
constexpr const char* kQtDispatcherName = "theQuickTimeDispatcher";
constexpr const char* kQtLibraryName = "QuickTime.qts";

// The parameter block of a component call (selector 1:0000): flags, the size
// in bytes of the parameters, the component routine's selector, then the
// parameters. A parameter slot is pointer-sized, so on the 32-bit build the
// sizes are 4 and 8 and the block is the library's own.
struct QtComponentParams {
    uint8_t flags = 0;
    uint8_t size = 0;
    uint16_t what = 0;
    intptr_t params[2] = {0, 0};
};

// Finds, loads and reference-counts "QuickTime.qts" and reaches each of its
// routines through the dispatcher. Until Start succeeds (and after the last
// Stop) every stub returns kQtErrNotStarted.
class QuickTimeBinding {
public:
    explicit QuickTimeBinding(ModuleLoader& loader) : loader_(loader) {}
    QuickTimeBinding(const QuickTimeBinding&) = delete;
    QuickTimeBinding& operator=(const QuickTimeBinding&) = delete;

    // 0 when started; kQtErrNoLibrary, kQtErrNoEntry (an entry missing, or a
    // library without our marker, which is then never called) or the
    // library's own initialisation error otherwise, with the library
    // unloaded again.
    int16_t Start(int32_t flags);
    // Matches one successful Start; the last one unloads the library.
    void Stop();
    int32_t RefCount() const { return refCount_; }
    bool Loaded() const { return library_ != nullptr; }

    // The stubs, one per library routine, named by the routine's role.
    intptr_t CallComponent(intptr_t instance, QtComponentParams* block) { return Call(0x10000, {instance, P(block)}); }
    intptr_t SetPort(intptr_t port) { return Call(0x1C0007, {port, 0}); }
    intptr_t CreatePortAssociation(intptr_t window) { return Call(0x1D0001, {window, 0, 0}); }
    intptr_t DestroyPortAssociation(intptr_t port) { return Call(0x1D0002, {port}); }
    intptr_t NativeWindowPort(intptr_t window) { return Call(0x1D0003, {window}); }
    intptr_t InitializeLibrary(int32_t flags) { return Call(0x1D0008, {flags}); }
    intptr_t TerminateLibrary() { return Call(0x1D0009, nullptr); }
    intptr_t NativeEventToEvent(const void* message, void* event) { return Call(0x1D000A, {P(message), P(event)}); }
    intptr_t EnterMovies() { return Call(0x20001, nullptr); }
    intptr_t ExitMovies() { return Call(0x20002, nullptr); }
    intptr_t StartMovie(intptr_t movie) { return Call(0x2000B, {movie}); }
    intptr_t StopMovie(intptr_t movie) { return Call(0x2000C, {movie}); }
    intptr_t GoToBeginningOfMovie(intptr_t movie) { return Call(0x2000D, {movie}); }
    intptr_t MovieTimeBase(intptr_t movie) { return Call(0x20012, {movie}); }
    intptr_t UpdateMovie(intptr_t movie) { return Call(0x2001F, {movie}); }
    intptr_t DisposeMovie(intptr_t movie) { return Call(0x20023, {movie}); }
    intptr_t MovieTimeScale(intptr_t movie) { return Call(0x20029, {movie}); }
    intptr_t MovieDuration(intptr_t movie) { return Call(0x2002E, {movie}); }
    intptr_t CallMeWhen(intptr_t callback, intptr_t proc, intptr_t ref) { return Call(0x200B8, {callback, proc, ref, 2, 0, 0}); }
    intptr_t CloseMovieFile(intptr_t file) { return Call(0x200D5, {file}); }
    intptr_t IsMovieDone(intptr_t movie) { return Call(0x200DD, {movie}); }
    intptr_t NewCallBack(intptr_t timeBase, int32_t type) { return Call(0x200EB, {timeBase, type}); }
    intptr_t DisposeCallBack(intptr_t callback) { return Call(0x200EC, {callback}); }
    intptr_t NewMovieFromFile(intptr_t* movie, intptr_t file, int32_t flags) { return Call(0x200F0, {P(movie), file, 0, 0, flags, 0}); }
    intptr_t MovieVolume(intptr_t movie) { return Call(0x200F5, {movie}); }
    intptr_t MovieBox(intptr_t movie, void* rect) { return Call(0x200F9, {movie, P(rect)}); }
    intptr_t NewMovieController(intptr_t movie, const void* rect, int32_t flags) { return Call(0x2018A, {movie, P(rect), flags}); }
    intptr_t DisposeMovieController(intptr_t controller) { return Call(0x2018B, {controller}); }
    intptr_t OpenMovieFile(const void* spec, intptr_t* file, int32_t permission) { return Call(0x20192, {P(spec), P(file), permission}); }
    intptr_t MakeFileSpec(const unsigned char* path, void* spec) { return Call(0xF00E2, {0, 0, P(path), P(spec)}); }
    intptr_t CToPascalString(char* buffer) { return Call(0x280017, {P(buffer)}); }

    // The two controller calls: offer an event (component selector 7) and
    // perform an action (9) with a 16-bit action code sign-extended.
    intptr_t ControllerIsPlayerEvent(intptr_t controller, const void* event);
    intptr_t ControllerDoAction(intptr_t controller, int16_t action, intptr_t parameter);

    // The placeholder entry: does nothing, returns kQtErrNotStarted.
    static intptr_t Placeholder(uint32_t selector, const intptr_t* args);

private:
    template <std::size_t N>
    intptr_t Call(uint32_t selector, const intptr_t (&args)[N]) { return dispatcher_(selector, args); }
    intptr_t Call(uint32_t selector, std::nullptr_t) { return dispatcher_(selector, nullptr); }
    static intptr_t P(const void* p) { return reinterpret_cast<intptr_t>(p); }
    // Loads the library from the first place that has it; null when none.
    ModuleLoader::ModuleId Locate();
    // Whether `library` carries our marker; nothing in it is called to know.
    bool IsOurs(ModuleLoader::ModuleId library);
    // Puts the placeholder into all three entries.
    void Unbind();

    ModuleLoader& loader_;
    ModuleLoader::ModuleId library_ = nullptr;
    int32_t refCount_ = 0;
    void* componentStorageEntry_ = reinterpret_cast<void*>(&Placeholder);
    void* componentEntry_ = reinterpret_cast<void*>(&Placeholder);
    QtDispatcher dispatcher_ = &Placeholder;
};
