// The saver's QuickTime player against a logging QuickTime.qts of the tests'
// own (fakeqt/): which routines it reaches, with which arguments, in which
// order, from the start of QuickTime to the end of a movie; a refused
// toolbox initialisation; and no end callback after a movie is disposed of.
#include <gtest/gtest.h>

#include "framework/Win32.h"

#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "framework/RegistryProfile.h"
#include "saver/playback/DisplayWnd.h"
#include "saver/playback/MovieWnd.h"
#include "saver/playback/QtMovieWnd.h"
#include "saver/playback/QuickTimeBinding.h"
#include "saver/playback/QuickTimeSession.h"
#include "saver/settings/MediaItem.h"
#include "saver/settings/SettingsNames.h"
#include "tests/win/support/MediaFiles.h"
#include "tests/win/support/Pump.h"
#include "tests/win/support/TestRegistry.h"

namespace {

const char kCompany[] = "Tolvane Arts Tests";
const char kApp[] = "FakeQuickTime";

// A module from a folder beside the test program, by its path there.
HMODULE LoadBeside(const char* relative) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    folder.resize(folder.find_last_of('\\') + 1);
    return LoadLibraryA((folder + relative).c_str());
}

// The fake library, loaded before the saver looks for one: a copy already
// in the process is the first place the binding takes it from.
class FakeLibrary {
public:
    FakeLibrary() {
        module_ = LoadBeside("fakeqt\\QuickTime.qts");
        if (module_ == nullptr) return;
        log_ = reinterpret_cast<const char* (*)()>(reinterpret_cast<void*>(GetProcAddress(module_, "FakeQtLog")));
        reset_ = reinterpret_cast<void (*)()>(reinterpret_cast<void*>(GetProcAddress(module_, "FakeQtReset")));
        enter_ = reinterpret_cast<void (*)(int)>(reinterpret_cast<void*>(GetProcAddress(module_, "FakeQtSetEnterResult")));
        end_ = reinterpret_cast<void (*)()>(reinterpret_cast<void*>(GetProcAddress(module_, "FakeQtEndMovie")));
        late_ = reinterpret_cast<int (*)()>(reinterpret_cast<void*>(GetProcAddress(module_, "FakeQtLateCallbacks")));
        duration_ = reinterpret_cast<void (*)(int)>(reinterpret_cast<void*>(GetProcAddress(module_, "FakeQtSetDuration")));
        volume_ = reinterpret_cast<void (*)(int)>(reinterpret_cast<void*>(GetProcAddress(module_, "FakeQtSetMovieVolume")));
        reset_();
    }
    ~FakeLibrary() {
        if (module_ != nullptr) FreeLibrary(module_);
    }
    bool Loaded() const { return module_ != nullptr && log_ && reset_ && enter_ && end_ && late_ && volume_ && duration_; }
    // The routines called so far, one a line, the arguments after the name.
    std::vector<std::string> Calls() const {
        std::vector<std::string> calls;
        std::istringstream lines(log_());
        for (std::string line; std::getline(lines, line);) calls.push_back(line);
        return calls;
    }
    void RefuseEnterMovies() { enter_(-108); }
    void EndMovie() { end_(); }
    int LateCallbacks() { return late_(); }
    // The movie answers `level` from now on, as if it had been given it.
    void SetMovieVolume(int level) { volume_(level); }
    // The movie's length from now on, in 600ths of a second.
    void SetDuration(int units) { duration_(units); }
    // The levels given through the controller's volume action, in order.
    std::vector<int> VolumeLevels() const {
        std::vector<int> levels;
        const std::string prefix = "ControllerDoAction 14 ";
        for (const std::string& call : Calls()) {
            if (call.compare(0, prefix.size(), prefix) == 0) levels.push_back(std::atoi(call.c_str() + prefix.size()));
        }
        return levels;
    }

private:
    HMODULE module_ = nullptr;
    const char* (*log_)() = nullptr;
    void (*reset_)() = nullptr;
    void (*enter_)(int) = nullptr;
    void (*end_)() = nullptr;
    int (*late_)() = nullptr;
    void (*volume_)(int) = nullptr;
    void (*duration_)(int) = nullptr;
};

// A playlist of the test's own in a scratch key: QuickTime items by file
// name, other values item by item.
struct Playlist {
    Playlist() : key(HKEY_CURRENT_USER, std::string("Software\\") + kCompany + "\\" + kApp), store(kCompany, kApp) {}
    void Count(uint32_t n) { store.WriteProfileInt(names::kConfigSection, names::kNumAVI, n); }
    void File(uint32_t i, const std::string& file) {
        store.WriteProfileString(names::kConfigSection, ItemValueName(i, names::kItemFile).c_str(), file.c_str());
    }
    void QuickTimeItem(uint32_t i, const std::string& file) {
        File(i, file);
        store.WriteProfileString(names::kConfigSection, ItemValueName(i, names::kItemMCI).c_str(),
                                 names::kQuickTimePlayer);
    }
    void Num(uint32_t i, const char* name, uint32_t v) {
        store.WriteProfileInt(names::kConfigSection, ItemValueName(i, name).c_str(), v);
    }
    ScratchKey key;
    RegistryProfileStore store;
};

// Whether `wanted` appear in `calls` in this order (each matched against the
// start of a call), other calls in between allowed; the first one missing
// otherwise, in `missing`.
bool InOrder(const std::vector<std::string>& calls, const std::vector<std::string>& wanted, std::string& missing) {
    size_t at = 0;
    for (const std::string& want : wanted) {
        while (at < calls.size() && calls[at].compare(0, want.size(), want) != 0) ++at;
        if (at == calls.size()) {
            missing = want;
            return false;
        }
        ++at;
    }
    return true;
}

std::string Joined(const std::vector<std::string>& calls) {
    std::string text;
    for (const std::string& call : calls) text += call + "; ";
    return text;
}

std::string Joined(const std::vector<int>& levels) {
    std::string text;
    for (int level : levels) text += std::to_string(level) + " ";
    return text;
}

// A key pressed while the movie window has the focus.
void PressKey(MovieWnd* movie, WPARAM vk) {
    SendMessageA(movie->m_hWnd, WM_KEYDOWN, vk, 1);
    PumpFor(50);
}

TEST(QuickTimeFake, ARefusedToolboxStopsTheBindingAgain) {
    FakeLibrary fake;
    ASSERT_TRUE(fake.Loaded()) << "fakeqt\\QuickTime.qts beside the test program";
    fake.RefuseEnterMovies();
    {
        QuickTimeSession session(QuickTime());
        EXPECT_EQ(session.QuickTimeReady, 0);
    }
    EXPECT_EQ(QuickTime().RefCount(), 0);
    EXPECT_FALSE(QuickTime().Loaded());
    std::string missing;
    EXPECT_TRUE(InOrder(fake.Calls(), {"InitializeLibrary 0", "EnterMovies", "TerminateLibrary"}, missing))
        << missing << " in " << Joined(fake.Calls());
}

TEST(QuickTimeFake, APlayFromStartToEndInTheOrderOfThePlayer) {
    FakeLibrary fake;
    ASSERT_TRUE(fake.Loaded()) << "fakeqt\\QuickTime.qts beside the test program";
    Playlist playlist;
    playlist.Count(2);
    playlist.QuickTimeItem(0, "C:\\movies\\one.mov");
    playlist.Num(0, names::kItemScale, 1);
    playlist.Num(0, names::kItemMute, 1);
    playlist.QuickTimeItem(1, "C:\\movies\\two.qt");
    {
        auto display = std::make_unique<DisplayWnd>(playlist.store, nullptr, false);
        ASSERT_TRUE(display->Create(0, WS_POPUP | WS_VISIBLE, RECT{0, 0, 800, 600}, nullptr));
        ASSERT_TRUE(PumpUntil([&] { return display->MovieWindow() != nullptr; }, 3000));
        MovieWnd* movie = display->MovieWindow();
        EXPECT_EQ(movie->Kind(), PlayerKind::QuickTime);
        const HWND first = movie->m_hWnd;
        PumpFor(200);
        fake.EndMovie();
        // The end arrives at the next message the movie window offers.
        PostMessageA(first, WM_NULL, 0, 0);
        ASSERT_TRUE(PumpUntil([&] { return !IsWindow(first); }, 3000)) << Joined(fake.Calls());
        ASSERT_TRUE(PumpUntil([&] { return display->MovieWindow() != nullptr; }, 3000));
        PumpFor(100);
        display->DestroyWindow();
        PumpFor(50);
        EXPECT_EQ(display->QuickTimeState(), nullptr);
        EXPECT_FALSE(QuickTime().Loaded());
    }
    const std::vector<std::string> calls = fake.Calls();
    std::string missing;
    // Starting QuickTime, opening the movie and its controller at its own box,
    // arming the end callback; placing it rebuilds the controller at the
    // window's client rectangle; the mute through the controller's volume
    // action with the level negated; play; the next movie opened while it
    // plays; at the end the callback disarmed and the end checked, the next
    // movie started, then the ended window's destruction stops and closes it.
    EXPECT_TRUE(InOrder(calls,
                        {"InitializeLibrary 0", "EnterMovies",
                         "CToPascalString", "MakeFileSpec C:\\movies\\one.mov", "CreatePortAssociation",
                         "NativeWindowPort", "SetPort", "OpenMovieFile 1", "NewMovieFromFile", "CloseMovieFile",
                         "MovieBox", "NewMovieController 0 0 120 160 11", "MovieTimeBase", "NewCallBack 4",
                         "CallMeWhen",
                         "DisposeMovieController", "NewMovieController 0 0 120 160 11",
                         "MovieVolume", "ControllerDoAction 14 -256",
                         "StartMovie",
                         "MakeFileSpec C:\\movies\\two.qt", "OpenMovieFile 1", "CallMeWhen",
                         "DisposeCallBack", "IsMovieDone", "StartMovie",
                         "StopMovie", "GoToBeginningOfMovie",
                         "DisposeMovieController", "DisposeMovie", "DestroyPortAssociation",
                         "ExitMovies", "TerminateLibrary"},
                        missing))
        << missing << " in " << Joined(calls);
    // One library start for the two movies, one stop at the end.
    int starts = 0;
    for (const std::string& call : calls) starts += call.rfind("InitializeLibrary", 0) == 0;
    EXPECT_EQ(starts, 1);
}

TEST(QuickTimeFake, ADisposedMovieIsNeverReachedByItsEndCallback) {
    FakeLibrary fake;
    ASSERT_TRUE(fake.Loaded()) << "fakeqt\\QuickTime.qts beside the test program";
    Playlist playlist;
    playlist.Count(1);
    playlist.QuickTimeItem(0, "C:\\movies\\one.mov");
    playlist.Num(0, names::kItemLoopInfinite, 1);
    auto display = std::make_unique<DisplayWnd>(playlist.store, nullptr, false);
    ASSERT_TRUE(display->Create(0, WS_POPUP | WS_VISIBLE, RECT{0, 0, 800, 600}, nullptr));
    ASSERT_TRUE(PumpUntil([&] { return display->MovieWindow() != nullptr; }, 3000));
    auto* movie = static_cast<QtMovieWnd*>(display->MovieWindow());
    // The movie goes while its end is on the way.
    fake.EndMovie();
    movie->Close();
    PostMessageA(movie->m_hWnd, WM_NULL, 0, 0);
    PumpFor(200);
    EXPECT_EQ(fake.LateCallbacks(), 0);
    display->DestroyWindow();
    PumpFor(50);
}

TEST(QuickTimeFake, MuteAndUnmuteFollowTheSignOfTheLevelOnEveryLoop) {
    FakeLibrary fake;
    ASSERT_TRUE(fake.Loaded()) << "fakeqt\\QuickTime.qts beside the test program";
    Playlist playlist;
    playlist.Count(2);
    playlist.QuickTimeItem(0, "C:\\movies\\one.mov");
    playlist.Num(0, names::kItemMute, 1);
    playlist.Num(0, names::kItemLoops, 3);
    playlist.QuickTimeItem(1, "C:\\movies\\two.mov");
    auto display = std::make_unique<DisplayWnd>(playlist.store, nullptr, false);
    ASSERT_TRUE(display->Create(0, WS_POPUP | WS_VISIBLE, RECT{0, 0, 800, 600}, nullptr));
    ASSERT_TRUE(PumpUntil([&] { return display->MovieWindow() != nullptr; }, 3000));
    MovieWnd* movie = display->MovieWindow();
    const HWND first = movie->m_hWnd;
    auto endLoop = [&] {
        fake.EndMovie();
        PostMessageA(first, WM_NULL, 0, 0);
        PumpFor(100);
    };
    PressKey(movie, 'M');    // sound on
    PressKey(movie, 'M');    // off again
    endLoop();               // loop 2 starts muted
    PressKey(movie, VK_UP);  // Up brings a muted movie back
    endLoop();               // loop 3 starts with sound
    // The next movie was last given a muted level; it is not muted itself.
    fake.SetMovieVolume(-256);
    endLoop();
    ASSERT_TRUE(PumpUntil([&] { return !IsWindow(first); }, 3000)) << Joined(fake.Calls());
    ASSERT_TRUE(PumpUntil([&] { return display->MovieWindow() != nullptr; }, 3000));
    PumpFor(100);
    display->DestroyWindow();
    PumpFor(50);
    const std::vector<int> levels = fake.VolumeLevels();
    const std::vector<int> wanted{-256, 256, -256, -256, 256, 256, 256};
    EXPECT_EQ(levels, wanted) << Joined(levels);
}

TEST(QuickTimeForeign, AnotherProgramsLibraryIsNeverCalledItsItemsDropAndTheRestPlays) {
    // Loaded first, so the binding finds it before any other: any call into
    // it would end this process.
    HMODULE foreign = LoadBeside("foreignqt\\QuickTime.qts");
    ASSERT_NE(foreign, nullptr) << "foreignqt\\QuickTime.qts beside the test program";
    MediaFolder media;
    const std::string avi = media.Avi("after.avi", 160, 120, 10, 10);
    Playlist playlist;
    playlist.Count(2);
    playlist.QuickTimeItem(0, "C:\\movies\\one.mov");
    playlist.File(1, avi);
    playlist.Num(1, names::kItemLoopInfinite, 1);
    {
        auto display = std::make_unique<DisplayWnd>(playlist.store, nullptr, false);
        ASSERT_TRUE(display->Create(0, WS_POPUP | WS_VISIBLE, RECT{0, 0, 800, 600}, nullptr));
        ASSERT_TRUE(PumpUntil([&] { return display->MovieWindow() != nullptr; }, 5000));
        EXPECT_EQ(display->MovieWindow()->Kind(), PlayerKind::Mci);
        EXPECT_EQ(display->QuickTimeState(), nullptr);
        EXPECT_FALSE(QuickTime().Loaded());
        // The QuickTime item is gone for the run; the AVI is all that is left.
        EXPECT_EQ(display->Settings().GetCount(), 1u);
        display->DestroyWindow();
        PumpFor(50);
    }
    FreeLibrary(foreign);
}

TEST(QuickTimeFake, QuickTimeLivesOnBehindAnMciItemUntilItsLastMovieIsGone) {
    FakeLibrary fake;
    ASSERT_TRUE(fake.Loaded()) << "fakeqt\\QuickTime.qts beside the test program";
    MediaFolder media;
    Playlist playlist;
    playlist.Count(3);
    playlist.QuickTimeItem(0, "C:\\movies\\one.mov");
    playlist.File(1, media.Avi("between.avi", 160, 120, 5, 10));  // 0.5 s
    playlist.QuickTimeItem(2, "C:\\movies\\two.mov");
    playlist.Num(2, names::kItemLoopInfinite, 1);
    auto display = std::make_unique<DisplayWnd>(playlist.store, nullptr, false);
    ASSERT_TRUE(display->Create(0, WS_POPUP | WS_VISIBLE, RECT{0, 0, 800, 600}, nullptr));
    // The MCI item is prepared while the QuickTime movie plays: the session stays.
    ASSERT_TRUE(PumpUntil([&] { return display->PreparedWindow() != nullptr; }, 3000));
    EXPECT_EQ(display->PreparedWindow()->Kind(), PlayerKind::Mci);
    ASSERT_NE(display->QuickTimeState(), nullptr);
    EXPECT_EQ(display->QuickTimeState()->QuickTimeReady, 1);
    const HWND first = display->MovieWindow()->m_hWnd;
    fake.EndMovie();
    PostMessageA(first, WM_NULL, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return !IsWindow(first); }, 3000)) << Joined(fake.Calls());
    ASSERT_TRUE(PumpUntil(
        [&] { return display->MovieWindow() != nullptr && display->MovieWindow()->Kind() == PlayerKind::QuickTime; },
        5000));
    display->DestroyWindow();
    PumpFor(50);
    // Stopped once its last movie was gone, started again for the next one.
    std::string missing;
    EXPECT_TRUE(InOrder(fake.Calls(), {"InitializeLibrary 0", "MakeFileSpec C:\\movies\\one.mov", "DisposeMovie",
                                       "TerminateLibrary", "InitializeLibrary 0", "MakeFileSpec C:\\movies\\two.mov",
                                       "TerminateLibrary"},
                        missing))
        << missing << " in " << Joined(fake.Calls());
}

TEST(QuickTimeFake, AMovieThatNeverEndsIsOverAfterItsLengthAndAMargin) {
    FakeLibrary fake;
    ASSERT_TRUE(fake.Loaded()) << "fakeqt\\QuickTime.qts beside the test program";
    fake.SetDuration(300);  // half a second
    Playlist playlist;
    playlist.Count(2);
    playlist.QuickTimeItem(0, "C:\\movies\\one.mov");
    playlist.Num(0, names::kItemLoops, 2);
    playlist.QuickTimeItem(1, "C:\\movies\\two.mov");
    auto display = std::make_unique<DisplayWnd>(playlist.store, nullptr, false);
    ASSERT_TRUE(display->Create(0, WS_POPUP | WS_VISIBLE, RECT{0, 0, 800, 600}, nullptr));
    ASSERT_TRUE(PumpUntil([&] { return display->MovieWindow() != nullptr; }, 3000));
    const HWND first = display->MovieWindow()->m_hWnd;
    const DWORD start = GetTickCount();
    // Neither play of the two loops ever ends nor reports: each is over
    // 0.5 s + 3 s after it started.
    ASSERT_TRUE(PumpUntil([&] { return !IsWindow(first); }, 12000)) << Joined(fake.Calls());
    const DWORD took = GetTickCount() - start;
    EXPECT_GE(took, 2 * 3500u - 300u);
    EXPECT_LT(took, 2 * 3500u + 2500u);
    ASSERT_TRUE(PumpUntil([&] { return display->MovieWindow() != nullptr; }, 3000));
    std::string missing;
    // The next movie is opened while the first plays, and started before
    // the first is disposed of.
    EXPECT_TRUE(InOrder(fake.Calls(), {"MakeFileSpec C:\\movies\\one.mov", "StartMovie",
                                       "MakeFileSpec C:\\movies\\two.mov", "GoToBeginningOfMovie", "StartMovie",
                                       "StartMovie", "DisposeMovie"},
                        missing))
        << missing << " in " << Joined(fake.Calls());
    display->DestroyWindow();
    PumpFor(50);
}

TEST(QuickTimeLibrary, OurLibraryGivesAMutedMovieItsSoundBack) {
    // Our QuickTime.qts beside the test program, over a real graph; the
    // level is asked of the library itself.
    MediaFolder media;
    const std::string movieFile = media.Write("clip.mov", WriteAvi(AviClip{160, 120, 50, 10, 0, 32}));
    Playlist playlist;
    playlist.Count(1);
    playlist.QuickTimeItem(0, movieFile);
    playlist.Num(0, names::kItemMute, 1);
    playlist.Num(0, names::kItemLoopInfinite, 1);
    auto display = std::make_unique<DisplayWnd>(playlist.store, nullptr, false);
    ASSERT_TRUE(display->Create(0, WS_POPUP | WS_VISIBLE, RECT{0, 0, 800, 600}, nullptr));
    ASSERT_TRUE(PumpUntil([&] { return display->MovieWindow() != nullptr; }, 5000));
    ASSERT_EQ(display->MovieWindow()->Kind(), PlayerKind::QuickTime);
    auto* movie = static_cast<QtMovieWnd*>(display->MovieWindow());
    auto level = [&] { return static_cast<int16_t>(QuickTime().MovieVolume(movie->Movie.get())); };
    EXPECT_LT(level(), 0);
    PressKey(movie, 'M');
    EXPECT_GT(level(), 0);
    PressKey(movie, 'M');
    EXPECT_LT(level(), 0);
    PressKey(movie, VK_UP);
    EXPECT_GT(level(), 0);
    display->DestroyWindow();
    PumpFor(50);
}

}  // namespace
