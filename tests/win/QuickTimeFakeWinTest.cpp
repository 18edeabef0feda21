// The saver's QuickTime player against a logging QuickTime.qts of the tests'
// own (fakeqt/): which routines it reaches, with which arguments, in which
// order, from the start of QuickTime to the end of a movie; a refused
// toolbox initialisation; and no end callback after a movie is disposed of.
#include <gtest/gtest.h>

#include "framework/Win32.h"

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "framework/RegistryProfile.h"
#include "saver/playback/DisplayWnd.h"
#include "saver/playback/MovieWnd.h"
#include "saver/playback/QtMovieWnd.h"
#include "saver/playback/QuickTimeBinding.h"
#include "saver/settings/MediaItem.h"
#include "saver/settings/SettingsNames.h"
#include "tests/win/support/Pump.h"
#include "tests/win/support/TestRegistry.h"

namespace {

const char kCompany[] = "Tolvane Arts Tests";
const char kApp[] = "FakeQuickTime";

// The fake library, loaded before the saver looks for one: a copy already
// in the process is the first place the binding takes it from.
class FakeLibrary {
public:
    FakeLibrary() {
        char path[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, path, MAX_PATH);
        std::string folder(path);
        folder.resize(folder.find_last_of('\\') + 1);
        module_ = LoadLibraryA((folder + "fakeqt\\QuickTime.qts").c_str());
        if (module_ == nullptr) return;
        log_ = reinterpret_cast<const char* (*)()>(reinterpret_cast<void*>(GetProcAddress(module_, "FakeQtLog")));
        reset_ = reinterpret_cast<void (*)()>(reinterpret_cast<void*>(GetProcAddress(module_, "FakeQtReset")));
        enter_ = reinterpret_cast<void (*)(int)>(reinterpret_cast<void*>(GetProcAddress(module_, "FakeQtSetEnterResult")));
        end_ = reinterpret_cast<void (*)()>(reinterpret_cast<void*>(GetProcAddress(module_, "FakeQtEndMovie")));
        late_ = reinterpret_cast<int (*)()>(reinterpret_cast<void*>(GetProcAddress(module_, "FakeQtLateCallbacks")));
        reset_();
    }
    ~FakeLibrary() {
        StopQuickTime();
        if (module_ != nullptr) FreeLibrary(module_);
    }
    bool Loaded() const { return module_ != nullptr && log_ && reset_ && enter_ && end_ && late_; }
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

private:
    HMODULE module_ = nullptr;
    const char* (*log_)() = nullptr;
    void (*reset_)() = nullptr;
    void (*enter_)(int) = nullptr;
    void (*end_)() = nullptr;
    int (*late_)() = nullptr;
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

TEST(QuickTimeFake, ARefusedToolboxStopsTheBindingAgain) {
    FakeLibrary fake;
    ASSERT_TRUE(fake.Loaded()) << "fakeqt\\QuickTime.qts beside the test program";
    fake.RefuseEnterMovies();
    EXPECT_EQ(StartQuickTime(), 0);
    EXPECT_EQ(QuickTimeReady, 0);
    EXPECT_EQ(QuickTime().RefCount(), 0);
    EXPECT_FALSE(QuickTime().Loaded());
    std::string missing;
    EXPECT_TRUE(InOrder(fake.Calls(), {"InitializeLibrary 0", "EnterMovies", "TerminateLibrary"}, missing))
        << missing << " in " << Joined(fake.Calls());
}

TEST(QuickTimeFake, APlayFromStartToEndInTheOrderOfThePlayer) {
    FakeLibrary fake;
    ASSERT_TRUE(fake.Loaded()) << "fakeqt\\QuickTime.qts beside the test program";
    ScratchKey key(HKEY_CURRENT_USER, std::string("Software\\") + kCompany + "\\" + kApp);
    RegistryProfileStore store(kCompany, kApp);
    store.WriteProfileInt(names::kConfigSection, names::kNumAVI, 2);
    store.WriteProfileString(names::kConfigSection, ItemValueName(0, names::kItemFile).c_str(), "C:\\movies\\one.mov");
    store.WriteProfileString(names::kConfigSection, ItemValueName(0, names::kItemMCI).c_str(), names::kQuickTimePlayer);
    store.WriteProfileInt(names::kConfigSection, ItemValueName(0, names::kItemScale).c_str(), 1);
    store.WriteProfileInt(names::kConfigSection, ItemValueName(0, names::kItemMute).c_str(), 1);
    store.WriteProfileString(names::kConfigSection, ItemValueName(1, names::kItemFile).c_str(), "C:\\movies\\two.qt");
    store.WriteProfileString(names::kConfigSection, ItemValueName(1, names::kItemMCI).c_str(), names::kQuickTimePlayer);
    {
        auto display = std::make_unique<DisplayWnd>(store, nullptr, false);
        ASSERT_TRUE(display->Create(0, WS_POPUP | WS_VISIBLE, RECT{0, 0, 800, 600}, nullptr));
        ASSERT_TRUE(PumpUntil([&] { return display->MovieWindow() != nullptr; }, 3000));
        MovieWnd* movie = display->MovieWindow();
        EXPECT_EQ(movie->Kind(), 101);
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
        EXPECT_EQ(QuickTimeReady, 0);
    }
    const std::vector<std::string> calls = fake.Calls();
    std::string missing;
    // Starting QuickTime, opening the movie and its controller at its own box,
    // arming the end callback; placing it rebuilds the controller at the
    // window's client rectangle; the mute through the controller's volume
    // action with the level negated; play; at the end the callback disarmed
    // and the end checked; the window's destruction stops and closes it.
    EXPECT_TRUE(InOrder(calls,
                        {"InitializeLibrary 0", "EnterMovies",
                         "CToPascalString", "MakeFileSpec C:\\movies\\one.mov", "CreatePortAssociation",
                         "NativeWindowPort", "SetPort", "OpenMovieFile 1", "NewMovieFromFile", "CloseMovieFile",
                         "MovieBox", "NewMovieController 0 0 120 160 11", "MovieTimeBase", "NewCallBack 4",
                         "CallMeWhen",
                         "DisposeMovieController", "NewMovieController 0 0 120 160 11",
                         "MovieVolume", "ControllerDoAction 14 -256",
                         "StartMovie",
                         "DisposeCallBack", "IsMovieDone",
                         "StopMovie", "GoToBeginningOfMovie",
                         "DisposeMovieController", "DisposeMovie", "DestroyPortAssociation",
                         "MakeFileSpec C:\\movies\\two.qt",
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
    ScratchKey key(HKEY_CURRENT_USER, std::string("Software\\") + kCompany + "\\" + kApp);
    RegistryProfileStore store(kCompany, kApp);
    store.WriteProfileInt(names::kConfigSection, names::kNumAVI, 1);
    store.WriteProfileString(names::kConfigSection, ItemValueName(0, names::kItemFile).c_str(), "C:\\movies\\one.mov");
    store.WriteProfileString(names::kConfigSection, ItemValueName(0, names::kItemMCI).c_str(), names::kQuickTimePlayer);
    store.WriteProfileInt(names::kConfigSection, ItemValueName(0, names::kItemLoopInfinite).c_str(), 1);
    auto display = std::make_unique<DisplayWnd>(store, nullptr, false);
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

}  // namespace
