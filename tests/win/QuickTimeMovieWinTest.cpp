// The library's movie in-process, on the path the environment forces:
// PELOR_QT_PATH=mf (Media Foundation present) or ds (a prefix run with
// mfplat disabled). The movies are written by tests/win/qtmedia/make-media.sh
// into PELOR_QT_MEDIA.
#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "quicktime/FrameCopy.h"
#include "quicktime/Movie.h"
#include "quicktime/MovieAtoms.h"
#include "saver/playback/QuickTimeBinding.h"
#include "saver/playback/win32/Win32ModuleLoader.h"
#include "tests/win/support/Pump.h"

namespace {

constexpr DWORD kMarginMs = 4000;

std::string Media(const char* name) {
    const char* dir = std::getenv("PELOR_QT_MEDIA");
    return std::string(dir != nullptr ? dir : ".") + "\\" + name;
}

bool ExpectMediaFoundation() {
    const char* path = std::getenv("PELOR_QT_PATH");
    return path != nullptr && std::string(path) == "mf";
}

// The caller's window: every message it sees gives the movie its time, as
// the saver's movie window does.
class Host {
public:
    Host() {
        current = this;
        WNDCLASSA wc{};
        wc.lpfnWndProc = &Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        wc.lpszClassName = "PelorQtMovieHost";
        RegisterClassA(&wc);
        wnd_ = CreateWindowExA(WS_EX_TOPMOST, "PelorQtMovieHost", "", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                               400, 300, nullptr, nullptr, wc.hInstance, nullptr);
    }
    ~Host() {
        movie.reset();
        DestroyWindow(wnd_);
        if (current == this) current = nullptr;
    }
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    bool Open(const char* name) {
        current = this;
        movie = Movie::Open(Media(name), wnd_);
        return movie != nullptr;
    }
    // Shows the movie at its own size in the upper left and starts it.
    void Play() {
        movie->ShowAt(movie->Box());
        movie->Start();
    }
    // Arms the end callback, counting its calls.
    void Arm() {
        callback_ = MovieCallBack{movie.get(), &Ended, reinterpret_cast<intptr_t>(this)};
        movie->Armed() = &callback_;
    }
    // The colour at (x, y) of the movie's picture window.
    COLORREF PixelAt(int x, int y) const {
        HWND picture = GetWindow(wnd_, GW_CHILD);
        if (picture == nullptr) return CLR_INVALID;
        HDC dc = GetDC(picture);
        const COLORREF c = GetPixel(dc, x, y);
        ReleaseDC(picture, dc);
        return c;
    }
    bool PlaysToEnd(DWORD ms) {
        return PumpUntil([this] { return movie->Done(); }, ms);
    }

    std::unique_ptr<Movie> movie;
    int ends = 0;
    static Host* current;

private:
    static void Ended(intptr_t, intptr_t refCon) { ++reinterpret_cast<Host*>(refCon)->ends; }
    static LRESULT CALLBACK Proc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (current != nullptr && current->movie) current->movie->Service();
        return DefWindowProcA(wnd, message, wParam, lParam);
    }

    HWND wnd_ = nullptr;
    MovieCallBack callback_;
};
Host* Host::current = nullptr;

bool Reddish(COLORREF c) { return GetRValue(c) > 180 && GetGValue(c) < 80 && GetBValue(c) < 80; }
bool Bluish(COLORREF c) { return GetBValue(c) > 180 && GetRValue(c) < 80 && GetGValue(c) < 80; }

// A movie of each kind opens through the path the system offers, plays to
// its end within its length and a margin (well within it: a movie with sound
// too), and calls the armed callback once.
TEST(QuickTimeMovie, EachKindPlaysToItsEndThroughThePathOnOffer) {
    const struct {
        const char* name;
        long width, height;
        DWORD lengthMs;
    } kinds[] = {
        {"redblue.mov", 320, 240, 2000}, {"mjpeg.mov", 320, 240, 2000}, {"phone.mp4", 320, 180, 2000},
        {"oneframe.mov", 160, 120, 40},  {"sound.mov", 0, 0, 1000},    {"padded.mp4", 320, 180, 2000},
    };
    for (const auto& kind : kinds) {
        SCOPED_TRACE(kind.name);
        Host host;
        ASSERT_TRUE(host.Open(kind.name));
        EXPECT_EQ(host.movie->Through() == Movie::Path::kMediaFoundation, ExpectMediaFoundation());
        const QtRect box = host.movie->Box();
        EXPECT_EQ(box.right - box.left, kind.width);
        EXPECT_EQ(box.bottom - box.top, kind.height);
        host.Arm();
        const DWORD start = GetTickCount();
        host.Play();
        EXPECT_TRUE(host.PlaysToEnd(kind.lengthMs + kMarginMs));
        EXPECT_EQ(host.ends, 1);
        // A renderer drops samples that come late on a busy machine, so a
        // movie may end a little early; a quarter of its length is not a little.
        const DWORD early = kind.lengthMs / 4 > 100 ? kind.lengthMs / 4 : 100;
        EXPECT_GE(GetTickCount() - start + early, kind.lengthMs) << "ended before its length";
        EXPECT_LT(GetTickCount() - start, kind.lengthMs + 1500) << "ended long after its length";
    }
}

// The rows keep their order and the picture its frame size and stride; the
// first frame shows at once and the second second's colour about a second later.
TEST(QuickTimeMovie, PictureKeepsItsRowsAndItsTime) {
    {
        Host host;
        ASSERT_TRUE(host.Open("halves.mov"));
        host.Play();
        ASSERT_TRUE(PumpUntil([&] { return Reddish(host.PixelAt(160, 60)); }, 3000))
            << std::hex << host.PixelAt(160, 60);
        EXPECT_TRUE(Bluish(host.PixelAt(160, 180))) << std::hex << host.PixelAt(160, 180);
    }

    Host timed;
    ASSERT_TRUE(timed.Open("redblue.mov"));
    timed.Play();
    const DWORD start = GetTickCount();
    ASSERT_TRUE(PumpUntil([&] { return Reddish(timed.PixelAt(160, 120)); }, 2000));
    const DWORD firstRed = GetTickCount() - start;
    ASSERT_TRUE(PumpUntil([&] { return Bluish(timed.PixelAt(160, 120)); }, 3000));
    const DWORD firstBlue = GetTickCount() - start;
    std::printf("first frame after %lu ms, the colour of second 2 after %lu ms\n", firstRed, firstBlue);
    EXPECT_LT(firstRed, 500u);
    // The picture follows the movie's clock: a second between the two colours.
    EXPECT_GT(firstBlue - firstRed, 700u);
    EXPECT_LT(firstBlue - firstRed, 1400u);
}

// Looping plays on past the end until looping stops; a paused movie stays where it is.
TEST(QuickTimeMovie, LoopsUntilToldAndKeepsItsVolume) {
    Host host;
    ASSERT_TRUE(host.Open("mjpeg.mov"));
    host.Arm();
    host.movie->SetLooping(true);
    host.movie->SetVolume(-128);
    EXPECT_EQ(host.movie->Volume(), -128);
    host.movie->SetVolume(200);
    EXPECT_EQ(host.movie->Volume(), 200);
    host.Play();
    PumpFor(4500);
    EXPECT_FALSE(host.movie->Done());
    EXPECT_EQ(host.ends, 0);
    host.movie->SetLooping(false);
    EXPECT_TRUE(host.PlaysToEnd(2000 + kMarginMs));
    EXPECT_EQ(host.ends, 1);
    // Rewound and started again, it plays once more.
    host.Arm();
    host.movie->GoToBeginning();
    EXPECT_FALSE(host.movie->Done());
    host.movie->Start();
    EXPECT_TRUE(host.PlaysToEnd(2000 + kMarginMs));
    EXPECT_EQ(host.ends, 2);
}

// Bad input: each movie plays or is refused within its length and a margin.
TEST(QuickTimeMovie, BadInputPlaysOrIsRefusedInTime) {
    for (const char* name : {"badsound.mov", "badpicture.mov", "truncated.mov", "uhd.mov"}) {
        SCOPED_TRACE(name);
        Host host;
        const DWORD start = GetTickCount();
        if (!host.Open(name)) {
            EXPECT_LT(GetTickCount() - start, kMarginMs) << "refused, but slowly";
            continue;
        }
        host.Arm();
        host.Play();
        EXPECT_TRUE(host.PlaysToEnd(2000 + kMarginMs));
        EXPECT_EQ(host.ends, 1);
    }
}

// A QuickTime or MPEG-4 file cut short, one without its movie atom, or an
// empty file is given to no player (Media Foundation's source resolver, and
// now and then Wine's GStreamer splitter behind DirectShow, wait for ever on
// one): refused at once on either path.
TEST(QuickTimeMovie, AFileCutShortOrEmptyIsRefusedAtOnce) {
    const std::string empty = Media("empty.mov");
    CloseHandle(CreateFileA(empty.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    EXPECT_TRUE(MovieAtoms::Whole(Media("redblue.mov")));
    EXPECT_FALSE(MovieAtoms::Whole(Media("truncated.mov")));
    EXPECT_FALSE(MovieAtoms::Whole(Media("nomovie.mov")));
    EXPECT_FALSE(MovieAtoms::Whole(Media("missing.mov")));
    EXPECT_FALSE(MovieAtoms::Whole(empty));
    for (const std::string& name : {Media("truncated.mov"), Media("nomovie.mov"), empty}) {
        SCOPED_TRACE(name);
        const DWORD start = GetTickCount();
        EXPECT_EQ(Movie::Open(name, GetDesktopWindow()), nullptr);
        EXPECT_LT(GetTickCount() - start, 1000u);
    }
    DeleteFileA(empty.c_str());
    // Thousands of fragments, and zeros reserved after the last atom, are whole.
    EXPECT_TRUE(MovieAtoms::Whole(Media("frag.mp4")));
    EXPECT_TRUE(MovieAtoms::Whole(Media("padded.mp4")));
    if (!ExpectMediaFoundation()) GTEST_SKIP() << "the DirectShow path";
    for (const char* name : {"truncated.mov", "nomovie.mov"}) {
        SCOPED_TRACE(name);
        for (int run = 0; run < 5; ++run) {
            const DWORD start = GetTickCount();
            MediaFoundationMovie movie;
            EXPECT_FALSE(movie.Open(Media(name), GetDesktopWindow()));
            EXPECT_LT(GetTickCount() - start, 1000u);
        }
    }
    MediaFoundationMovie whole;
    EXPECT_TRUE(whole.Open(Media("redblue.mov"), GetDesktopWindow()));
}

// What recorders write: a fragment per frame after a movie atom without a
// length (4,400 top-level atoms) shows its picture; one with sound plays to
// its end. On Media Foundation, a movie with sound whose source tells no
// length (Wine's reads one from the fragments, so the test takes it away)
// ends after its last frame, within the stall margin, and tells the
// callback once; looping, it plays again.
TEST(QuickTimeMovie, FragmentedMoviesPlayAndEndWithoutALength) {
    {
        Host host;
        ASSERT_TRUE(host.Open("frag.mp4"));
        EXPECT_EQ(host.movie->Through() == Movie::Path::kMediaFoundation, ExpectMediaFoundation());
        EXPECT_EQ(host.movie->Box().right, 160);
        host.Play();
        const auto cyan = [](COLORREF c) { return GetRValue(c) < 80 && GetGValue(c) > 180 && GetBValue(c) > 180; };
        EXPECT_TRUE(PumpUntil([&] { return cyan(host.PixelAt(80, 60)); }, 3000)) << std::hex << host.PixelAt(80, 60);
    }
    for (const bool withoutLength : {false, true}) {
        SCOPED_TRACE(withoutLength ? "without a length" : "with the length the source tells");
        if (withoutLength && !ExpectMediaFoundation()) continue;
        Host host;
        ASSERT_TRUE(host.Open("fragsound.mp4"));
        std::printf("the fragmented movie with sound says it lasts %ld ms\n",
                    static_cast<long>(host.movie->DurationMs()));
        if (withoutLength) {
            host.movie->MediaFoundation()->ForgetLength();
            EXPECT_EQ(host.movie->DurationMs(), 0);
        }
        host.Arm();
        const DWORD start = GetTickCount();
        host.Play();
        EXPECT_TRUE(host.PlaysToEnd(2000 + MediaFoundationMovie::kStallMarginMs + kMarginMs));
        EXPECT_EQ(host.ends, 1);
        EXPECT_GE(GetTickCount() - start + 500, 2000u) << "ended before its last frame";
        if (!withoutLength) continue;
        host.Arm();
        host.movie->SetLooping(true);
        host.movie->GoToBeginning();
        host.movie->Start();
        PumpFor(2000 + MediaFoundationMovie::kStallMarginMs + 1000);
        EXPECT_EQ(host.ends, 1) << "a looping movie without a length stopped";
        EXPECT_FALSE(host.movie->Done());
    }
}

std::vector<unsigned char> Atom(const char* type, uint32_t length) {
    std::vector<unsigned char> atom(length < 8 ? 8 : length, 0);
    for (int i = 0; i < 4; ++i) atom[i] = static_cast<unsigned char>(length >> (24 - 8 * i));
    std::memcpy(atom.data() + 4, type, 4);
    return atom;
}

// An atom's header alone, its length telling more.
std::vector<unsigned char> Header(const char* type, uint32_t length) {
    std::vector<unsigned char> header = Atom(type, 8);
    for (int i = 0; i < 4; ++i) header[i] = static_cast<unsigned char>(length >> (24 - 8 * i));
    return header;
}

std::vector<unsigned char> Joined(std::initializer_list<std::vector<unsigned char>> parts) {
    std::vector<unsigned char> all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

// The walk over atoms in memory, case by case: padding after the last atom
// is no damage, a movie atom after it does not count, an atom cut short is
// damage wherever it stands.
TEST(QuickTimeMovie, AtomWalkTakesPaddingAndAnyNumberOfAtoms) {
    const auto ftyp = Atom("ftyp", 16), moov = Atom("moov", 40), mdat = Atom("mdat", 64);
    const struct {
        const char* what;
        std::vector<unsigned char> bytes;
        bool whole;
    } cases[] = {
        {"atoms to the end", Joined({ftyp, moov, mdat}), true},
        {"64 zero bytes after the last atom", Joined({ftyp, moov, mdat, std::vector<unsigned char>(64, 0)}), true},
        {"a tail of 5 bytes", Joined({ftyp, mdat, moov, std::vector<unsigned char>{1, 2, 3, 4, 5}}), true},
        {"zeros before the movie atom", Joined({ftyp, std::vector<unsigned char>(64, 0), moov}), false},
        {"padding and no movie atom", Joined({ftyp, mdat, std::vector<unsigned char>(64, 0)}), false},
        {"an atom cut short after the movie", Joined({ftyp, moov, Header("mdat", 200)}), false},
        {"a large atom cut short", Joined({ftyp, moov, Header("mdat", 1), Header("\0\0\0\0", 0xFFFF)}), false},
        {"an atom of 4 bytes", Joined({ftyp, moov, Atom("free", 4)}), false},
        {"not laid out in atoms", std::vector<unsigned char>{0, 0, 1, 0xBA, 0x44, 0, 4, 0, 4, 1}, true},
        {"nothing", std::vector<unsigned char>{}, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MovieAtoms::Whole(c.bytes.data(), c.bytes.size()), c.whole) << c.what;
    }

    // A few hundred thousand atoms, in memory and from a file: headers only.
    constexpr int kAtoms = 300000;
    std::vector<unsigned char> many = Joined({ftyp, moov});
    const auto free8 = Atom("free", 8);
    many.reserve(many.size() + kAtoms * free8.size());
    for (int i = 0; i < kAtoms; ++i) many.insert(many.end(), free8.begin(), free8.end());
    LARGE_INTEGER frequency, before, after;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&before);
    EXPECT_TRUE(MovieAtoms::Whole(many.data(), many.size()));
    QueryPerformanceCounter(&after);
    const double inMemory = static_cast<double>(after.QuadPart - before.QuadPart) * 1000.0 / frequency.QuadPart;
    const std::string path = Media("manyatoms.mp4");
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, many.data(), static_cast<DWORD>(many.size()), &written, nullptr);
    CloseHandle(file);
    QueryPerformanceCounter(&before);
    EXPECT_TRUE(MovieAtoms::Whole(path));
    QueryPerformanceCounter(&after);
    const double fromFile = static_cast<double>(after.QuadPart - before.QuadPart) * 1000.0 / frequency.QuadPart;
    DeleteFileA(path.c_str());
    std::printf("%d atoms walked in %.1f ms in memory, %.1f ms from a file\n", kAtoms + 2, inMemory, fromFile);
}

// `size` bytes that end where a page the process may not touch begins, so
// that a read past them faults.
class GuardedBytes {
public:
    explicit GuardedBytes(size_t size) {
        const size_t pages = (size + kPage - 1) / kPage + 1;
        base_ = static_cast<BYTE*>(VirtualAlloc(nullptr, pages * kPage, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        DWORD old = 0;
        VirtualProtect(base_ + (pages - 1) * kPage, kPage, PAGE_NOACCESS, &old);
        data = base_ + (pages - 1) * kPage - size;
    }
    ~GuardedBytes() { VirtualFree(base_, 0, MEM_RELEASE); }
    GuardedBytes(const GuardedBytes&) = delete;
    GuardedBytes& operator=(const GuardedBytes&) = delete;

    BYTE* data = nullptr;

private:
    static constexpr size_t kPage = 4096;
    BYTE* base_ = nullptr;
};

// Frames of every shape, each against an inaccessible page: the grabber
// reads nothing past a frame, keeps those its format fits and passes over
// those too short for it.
TEST(QuickTimeMovie, FrameCopiesReadNothingPastTheFrame) {
    const struct {
        const char* what;
        FrameFormat format;
        DWORD size;
        bool kept;
    } cases[] = {
        // Wine sizes NV12 as ((w + 1) & ~1) * h * 3 / 2: an odd height leaves
        // the last chroma row short.
        {"NV12 4x3 in 18 bytes", FrameFormat{4, 3, 4, true}, 18, true},
        {"NV12 3x3, stride 3, in 18 bytes", FrameFormat{3, 3, 3, true}, 18, true},
        {"NV12 3x2, stride 3, in 9 bytes", FrameFormat{3, 2, 3, true}, 9, true},
        {"NV12 5x5 without a stride in 45 bytes", FrameFormat{5, 5, 0, true}, 45, true},
        {"NV12 4x4 in 20 bytes", FrameFormat{4, 4, 4, true}, 20, false},
        {"NV12 3840x2160, kept at half size", FrameFormat{3840, 2160, 3840, true}, 3840 * 2160 * 3 / 2, true},
        {"NV12 stride shorter than a row", FrameFormat{8, 2, 4, true}, 24, false},
        {"RGB32 2x2", FrameFormat{2, 2, 8, false}, 16, true},
        {"RGB32 2x2 bottom-up", FrameFormat{2, 2, -8, false}, 16, true},
        {"RGB32 2x2 a byte short", FrameFormat{2, 2, 8, false}, 15, false},
        {"RGB32 4001x7, kept at a third, bottom-up", FrameFormat{4001, 7, -4001 * 4, false}, 4001 * 7 * 4, true},
        {"RGB32 stride shorter than a row", FrameFormat{4, 1, 8, false}, 16, false},
        {"no width", FrameFormat{0, 4, 0, false}, 64, false},
        {"a negative height", FrameFormat{4, -4, 16, false}, 64, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        GuardedBytes frame(c.size);
        std::memset(frame.data, 0xEB, c.size);
        FrameGrabber* grabber = FrameGrabber::Create();
        grabber->SetFormat(c.format);
        grabber->OnProcessSample(GUID_NULL, 0, 0, 0, frame.data, c.size);
        EXPECT_EQ(grabber->Frames(), c.kept ? 1 : 0);
        grabber->LetGo();
        grabber->Release();
    }

    // The chroma the short buffer lacks is grey: the last row of a 3x3 NV12
    // frame of white luma in 16 bytes is white, not tinted by what follows.
    GuardedBytes frame(18);
    std::memset(frame.data, 235, 9);
    std::memset(frame.data + 9, 128, 6);
    std::memset(frame.data + 15, 0, 3);  // the part of the last chroma row there is
    const FrameCopy copy(FrameFormat{3, 3, 3, true});
    std::vector<uint8_t> pixels(static_cast<size_t>(copy.KeptBytes()), 1);
    ASSERT_TRUE(copy.Copy(frame.data, 15, pixels.data()));
    for (int i = 0; i < 9 * 4; i += 4) {
        SCOPED_TRACE(i / 4);
        EXPECT_GE(pixels[i], 250);
        EXPECT_GE(pixels[i + 1], 250);
        EXPECT_GE(pixels[i + 2], 250);
    }
}

// A picture's bytes are counted in 64 bits: 32,768 x 32,769 pixels, which a
// 32-bit product wraps to 128 KB, and the rows INT_MIN, are refused.
TEST(QuickTimeMovie, PictureSizesAreCountedWithoutWrapping) {
    EXPECT_EQ(FrameCopy::Rgb32Bytes(320, 240), 320u * 240u * 4u);
    EXPECT_EQ(FrameCopy::Rgb32Bytes(320, -240), 320u * 240u * 4u);
    EXPECT_EQ(FrameCopy::Rgb32Bytes(32767, -32767), uint64_t{32767} * 32767 * 4);
    EXPECT_EQ(FrameCopy::Rgb32Bytes(32768, 32769), 0u);
    EXPECT_EQ(FrameCopy::Rgb32Bytes(320, INT_MIN), 0u);
    EXPECT_EQ(FrameCopy::Rgb32Bytes(INT_MIN, 240), 0u);
    EXPECT_EQ(FrameCopy::Rgb32Bytes(-320, 240), 0u);
    EXPECT_EQ(FrameCopy::Rgb32Bytes(320, 0), 0u);
    EXPECT_EQ(FrameCopy::Rgb32Bytes(INT_MAX, INT_MAX), 0u);
}

// The saver's own binding over the built QuickTime.qts: stopped while a
// movie with sound still holds its sample grabber, the library returns at
// once and stays mapped, so the grabber's code is still there when Media
// Foundation lets it go; once no grabber is left a later stop unloads it.
TEST(QuickTimeMovie, StoppingTheLibraryNeitherWaitsNorFreesCodeInUse) {
    if (!ExpectMediaFoundation()) GTEST_SKIP() << "the DirectShow path holds no grabber of ours";
    Win32ModuleLoader loader;
    QuickTimeBinding library(loader);
    ASSERT_EQ(library.Start(0), 0);
    ASSERT_NE(GetModuleHandleA(kQtLibraryName), nullptr);
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 320, 240, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    library.SetPort(reinterpret_cast<intptr_t>(window));
    const std::string path = Media("redblue.mov");
    unsigned char name[256];
    name[0] = static_cast<unsigned char>(path.size());
    std::memcpy(name + 1, path.data(), path.size());
    QtFileSpec spec{};
    intptr_t file = 0, movie = 0;
    library.MakeFileSpec(name, &spec);
    ASSERT_EQ(library.OpenMovieFile(&spec, &file, 1), 0);
    ASSERT_EQ(library.NewMovieFromFile(&movie, file, 0), 0);
    library.CloseMovieFile(file);
    library.StartMovie(movie);
    PumpFor(400);

    const DWORD start = GetTickCount();
    library.Stop();
    const DWORD stopMs = GetTickCount() - start;
    std::printf("the library stopped in %lu ms with a grabber held\n", stopMs);
    EXPECT_LT(stopMs, 200u) << "the stop waited for the grabber";
    HMODULE still = GetModuleHandleA(kQtLibraryName);
    ASSERT_NE(still, nullptr) << "unloaded while its grabber may still be called";
    // Its code is there to let the movie and its grabber go.
    const auto dispatch =
        reinterpret_cast<QtDispatcher>(reinterpret_cast<void*>(GetProcAddress(still, kQtDispatcherName)));
    ASSERT_NE(dispatch, nullptr);
    const intptr_t args[] = {movie};
    dispatch(0x20023, args);  // the movie's disposal

    // Started and stopped again once the grabber has gone, it is unloaded.
    const bool unloaded = PumpUntil(
        [&] {
            if (library.Start(0) != 0) return false;
            library.Stop();
            return GetModuleHandleA(kQtLibraryName) == nullptr;
        },
        5000);
    EXPECT_TRUE(unloaded) << "the library kept itself loaded with no grabber left";
    DestroyWindow(window);
}

// Media Foundation's own: a sound it cannot decode leaves the picture; a 4K
// picture is kept at half size.
TEST(QuickTimeMovie, MediaFoundationDropsBadSoundAndHalvesA4KPicture) {
    if (!ExpectMediaFoundation()) GTEST_SKIP() << "the DirectShow path";
    MediaFoundationMovie sound;
    ASSERT_TRUE(sound.Open(Media("badsound.mov"), GetDesktopWindow()));
    EXPECT_FALSE(sound.HasSound());
    EXPECT_EQ(sound.PictureFormat().width, 320);
    EXPECT_EQ(sound.PictureFormat().height, 240);
    // NV12 rows hold a byte a pixel, 32-bit RGB rows four.
    const FrameFormat format = sound.PictureFormat();
    EXPECT_EQ(format.stride < 0 ? -format.stride : format.stride, format.nv12 ? 320 : 1280);

    MediaFoundationMovie aac;
    ASSERT_TRUE(aac.Open(Media("redblue.mov"), GetDesktopWindow()));
    EXPECT_TRUE(aac.HasSound());
    EXPECT_TRUE(aac.PictureFormat().nv12) << "the H.264 decoder's frames reach the grabber without a colour converter";

    MediaFoundationMovie uhd;
    ASSERT_TRUE(uhd.Open(Media("uhd.mov"), GetDesktopWindow()));
    EXPECT_EQ(uhd.Box().right, 3840);
    EXPECT_EQ(uhd.Box().bottom, 2160);
    EXPECT_EQ(uhd.PictureFormat().width, 3840);
}

// Picture and sound together: the frame on show is the one the session's
// presentation clock (the audio renderer's time on Windows; the system's
// under Wine 8, whose renderer is no time source) has reached, never one
// ahead of it, and nearly always no more than a frame (40 ms here) behind: a
// busy machine may decode one frame late now and then (a CI run saw 66 ms).
TEST(QuickTimeMovie, MediaFoundationPictureKeepsToTheSoundsClock) {
    if (!ExpectMediaFoundation()) GTEST_SKIP() << "the DirectShow path";
    Host host;
    ASSERT_TRUE(host.Open("redblue.mov"));
    host.Play();
    MediaFoundationMovie* movie = host.movie->MediaFoundation();
    ASSERT_NE(movie, nullptr);
    ASSERT_TRUE(movie->HasSound());
    LONGLONG worstAhead = 0, worstBehind = 0, clock = 0;
    int samples = 0, late = 0;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 1800) {
        PumpFor(7);
        // A frame that came while the clock was read is passed over.
        const LONGLONG frame = movie->FrameTime();
        clock = movie->ClockTime();
        if (movie->FramesShown() == 0 || clock <= 0 || frame != movie->FrameTime()) continue;
        worstAhead = std::max(worstAhead, frame - clock);
        worstBehind = std::max(worstBehind, clock - frame);
        if (clock - frame > 400000 + 200000) ++late;
        ++samples;
    }
    std::printf("%d readings: a frame at most %lld ms ahead of the clock, %lld ms behind it; %d more than a "
                "frame behind\n",
                samples, worstAhead / 10000, worstBehind / 10000, late);
    EXPECT_GT(samples, 50);
    EXPECT_GT(clock, 15000000) << "the clock ran";
    EXPECT_LE(worstAhead, 50000) << "a frame shown before its time";
    EXPECT_LE(late * 20, samples) << "frames left on show past the next one's time";
    EXPECT_LE(worstBehind, 3 * 400000) << "a frame left on show past three frames' time";
}

// The process's private memory in kilobytes and its threads.
size_t PrivateKb() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.PagefileUsage / 1024;
}

int ThreadCount() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return -1;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID == GetCurrentProcessId()) ++count;
    }
    CloseHandle(snapshot);
    return count;
}

// 500 movies opened, started and let go leave no sample grabber more, and the
// process's threads and memory where they were; then H.264 movies, silent and
// with sound, closed mid-play with frames waiting for their time, leave no
// grabber either.
TEST(QuickTimeMovie, FiveHundredMoviesLeakNothing) {
    const int kMovies = std::getenv("PELOR_QT_SOAK") != nullptr ? std::atoi(std::getenv("PELOR_QT_SOAK")) : 500;
    {
        Host warm;  // the first movie loads the libraries for good
        ASSERT_TRUE(warm.Open("oneframe.mov"));
    }
    MediaFoundationMovie::WaitForGrabbers(3000);
    // The earlier tests' movies, with sound or without, have let theirs go.
    const LONG grabbersBefore = FrameGrabber::Alive();
    EXPECT_EQ(grabbersBefore, 0);
    const size_t memoryBefore = PrivateKb();
    const int threadsBefore = ThreadCount();
    DWORD start = GetTickCount();
    for (int i = 0; i < kMovies; ++i) {
        Host host;
        ASSERT_TRUE(host.Open(i % 2 == 0 ? "oneframe.mov" : "sound.mov")) << i;
        host.Arm();
        host.Play();
        PumpFor(20);
    }
    MediaFoundationMovie::WaitForGrabbers(3000);
    PumpFor(500);
    const size_t memoryAfter = PrivateKb();
    const int threadsAfter = ThreadCount();
    std::printf("%d movies in %lu ms; sample grabbers %ld before, %ld after; threads %d before, %d after; "
                "private memory %zu KB before, %zu KB after\n",
                kMovies, GetTickCount() - start, grabbersBefore, FrameGrabber::Alive(), threadsBefore, threadsAfter,
                memoryBefore, memoryAfter);
    EXPECT_EQ(FrameGrabber::Alive(), grabbersBefore);
    EXPECT_LE(threadsAfter, threadsBefore + 4);
    EXPECT_LT(memoryAfter, memoryBefore + 32 * 1024) << "more than 64 KB a movie";

    const int kStopped = kMovies / 8;
    start = GetTickCount();
    for (int i = 0; i < kStopped; ++i) {
        Host host;
        ASSERT_TRUE(host.Open(i % 2 == 0 ? "halves.mov" : "redblue.mov")) << i;
        host.Play();
        PumpFor(300);
    }
    MediaFoundationMovie::WaitForGrabbers(3000);
    std::printf("%d movies stopped mid-play in %lu ms; sample grabbers %ld after; private memory %zu KB after\n",
                kStopped, GetTickCount() - start, FrameGrabber::Alive(), PrivateKb());
    EXPECT_EQ(FrameGrabber::Alive(), grabbersBefore);
}

}  // namespace
