#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "framework/RegistryKey.h"
#include "saver/playback/MovieWnd.h"
#include "saver/shell/FullScreenSaverWnd.h"
#include "tests/support/MemoryProfileStore.h"
#include "tests/win/support/DialogScript.h"
#include "tests/win/support/TestRegistry.h"
#include "tests/win/support/TestThread.h"

#include "password/resource.h"

namespace {

// A silent 8 kHz mono WAV of `seconds`, for the MCI player, named by `name`.
std::string WriteSilence(int seconds, const char* name = "silence") {
    char dir[MAX_PATH] = {};
    GetTempPathA(sizeof dir, dir);
    const std::string path = std::string(dir) + "pelor-controls-" + name + ".wav";
    const uint32_t data = 8000u * static_cast<uint32_t>(seconds);
    auto u32 = [](uint32_t v) { return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; };
    auto u16 = [](uint16_t v) { return std::string{char(v), char(v >> 8)}; };
    std::string bytes = "RIFF" + u32(36 + data) + "WAVEfmt " + u32(16) + u16(1) + u16(1) + u32(8000) + u32(8000) +
                        u16(1) + u16(8) + "data" + u32(data) + std::string(data, char(0x80));
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f != nullptr) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    return path;
}

// Pumps this thread's messages until `done` or `ms` pass; false on timeout.
bool PumpUntil(const std::function<bool()>& done, int ms = 10000) {
    const auto limit = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!done()) {
        if (std::chrono::steady_clock::now() > limit) return false;
        MSG msg;
        // Bounded as well: a saver that keeps posting to itself must fail the test, not hang it.
        while (std::chrono::steady_clock::now() <= limit && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) continue;  // the saver's own end; the test goes on
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(5);
    }
    return true;
}
void Pump(int ms) { PumpUntil([] { return false; }, ms); }

// A running full-screen saver over one looping silent WAV, with options
// given as Config values.
class RunningSaver : public testing::Test {
protected:
    void Start(std::vector<std::pair<const char*, uint32_t>> options = {}) {
        store.WriteProfileInt("Config", "NumAVI", 1);
        store.WriteProfileString("Config", "AVI0.File", WriteSilence(60).c_str());
        store.WriteProfileInt("Config", "AVI0.LoopInfinite", 1);
        for (const auto& [name, value] : options) store.WriteProfileInt("Config", name, value);
        saver = new FullScreenSaverWnd(store, nullptr);
        ASSERT_TRUE(saver->CreateFullScreen());
        wnd = saver->m_hWnd;
        ASSERT_TRUE(PumpUntil([this] { return Movie() != nullptr && !saver->Sequencer().StartingMovie(); }));
    }
    void TearDown() override {
        if (IsWindow(wnd)) {
            ::DestroyWindow(wnd);
            Pump(100);
        }
    }
    MovieWnd* Movie() { return IsWindow(wnd) ? saver->MovieWindow() : nullptr; }
    // Sends a key to `target` and lets the forwarded copy arrive.
    void Key(HWND target, WPARAM vk) {
        SendMessageA(target, WM_KEYDOWN, vk, 0x00320001);
        Pump(100);
    }
    // The three places mute lives, as "global item movie" (movie '-' when none).
    std::string MutePlaces() {
        std::string s = std::to_string(saver->Settings().Mute) + " " +
                        std::to_string(saver->Settings().GetItem(0)->Mute) + " ";
        MovieWnd* movie = Movie();
        return s + (movie != nullptr ? std::to_string(movie->Mute) : "-");
    }

    MemoryProfileStore store;
    FullScreenSaverWnd* saver = nullptr;
    HWND wnd = nullptr;
};

TEST_F(RunningSaver, MuteKeysAtTheMovieAndDisplayWindowsKeepTheThreePlacesInStep) {
    Start();
    EXPECT_EQ(MutePlaces(), "0 0 0");
    Key(Movie()->m_hWnd, 'M');
    EXPECT_EQ(MutePlaces(), "1 1 1");
    Key(Movie()->m_hWnd, VK_SUBTRACT);
    EXPECT_EQ(MutePlaces(), "0 0 0");
    Key(Movie()->m_hWnd, 'M');
    Key(Movie()->m_hWnd, VK_UP);  // Up while muted unmutes
    EXPECT_EQ(MutePlaces(), "0 0 0");
    Key(Movie()->m_hWnd, VK_DOWN);
    EXPECT_EQ(MutePlaces(), "0 0 0");
    ASSERT_TRUE(IsWindow(wnd)) << "a control key ended the saver";

    // With no movie window the display window flips the global state itself.
    PostMessageA(wnd, WM_TIMER, 5, 0);
    ASSERT_TRUE(PumpUntil([this] { return Movie() == nullptr; }));
    Key(wnd, 'M');
    EXPECT_EQ(MutePlaces(), "1 1 -");
    Key(wnd, VK_UP);
    EXPECT_EQ(MutePlaces(), "0 0 -");
    Key(wnd, VK_SUBTRACT);
    EXPECT_EQ(MutePlaces(), "1 1 -");
    EXPECT_TRUE(IsWindow(wnd));
}

TEST_F(RunningSaver, VolumeKeysLeaveTheItemsOwnMuteSettingsAlone) {
    // Item 1 is muted in its own properties; item 0 plays with sound.
    store.WriteProfileString("Config", "AVI1.File", WriteSilence(60).c_str());
    Start({{"NumAVI", 2}, {"AVI1.Mute", 1}, {"AVI1.LoopInfinite", 1}});
    ASSERT_EQ(saver->Sequencer().CurrentIndex(), 0u);
    Key(Movie()->m_hWnd, VK_UP);
    Key(Movie()->m_hWnd, VK_DOWN);
    Key(wnd, VK_UP);
    EXPECT_EQ(MutePlaces(), "0 0 0");
    EXPECT_EQ(saver->Settings().GetItem(1)->Mute, 1) << "Up overwrote the item's own mute";
    // Up that unmutes a muted movie: the later items follow, as after M.
    Key(Movie()->m_hWnd, 'M');
    Key(Movie()->m_hWnd, 'M');
    EXPECT_EQ(saver->Settings().GetItem(1)->Mute, 0);
    Key(Movie()->m_hWnd, 'M');
    EXPECT_EQ(saver->Settings().GetItem(1)->Mute, 1);
    Key(Movie()->m_hWnd, VK_UP);
    EXPECT_EQ(MutePlaces(), "0 0 0");
    EXPECT_EQ(saver->Settings().GetItem(1)->Mute, 0);
}

TEST_F(RunningSaver, SkipKeysEndTheMovieAndTheNextOneStarts) {
    Start();
    for (WPARAM vk : {WPARAM('N'), WPARAM(VK_RIGHT), WPARAM(VK_LEFT), WPARAM(VK_DECIMAL)}) {
        HWND before = Movie()->m_hWnd;
        SendMessageA(before, WM_KEYDOWN, vk, 1);
        EXPECT_FALSE(IsWindow(before)) << vk;
        EXPECT_TRUE(PumpUntil([this, before] { return Movie() != nullptr && Movie()->m_hWnd != before; })) << vk;
        EXPECT_TRUE(IsWindow(wnd));
    }
    // A system key at the movie window goes on to the display window, which closes.
    SendMessageA(Movie()->m_hWnd, WM_SYSKEYDOWN, VK_F10, 0x20000001);
    EXPECT_TRUE(PumpUntil([this] { return !IsWindow(wnd); }));
}

TEST_F(RunningSaver, PowerEventsAreAnsweredTrueAndStopResumeOrClose) {
    Start();
    for (WPARAM ignored : {1, 3, 5, 9}) {
        EXPECT_EQ(SendMessageA(wnd, WM_POWERBROADCAST, ignored, 0), TRUE);
        EXPECT_NE(Movie(), nullptr) << ignored;
    }
    EXPECT_EQ(SendMessageA(wnd, WM_POWERBROADCAST, 0, 0), TRUE);
    EXPECT_EQ(Movie(), nullptr);
    EXPECT_EQ(saver->Sequencer().PlaybackEnabled(), 0);
    Pump(200);
    EXPECT_EQ(Movie(), nullptr);
    EXPECT_EQ(SendMessageA(wnd, WM_POWERBROADCAST, 2, 0), TRUE);
    EXPECT_EQ(saver->Sequencer().PlaybackEnabled(), 1);
    EXPECT_TRUE(PumpUntil([this] { return Movie() != nullptr; }));
    EXPECT_EQ(SendMessageA(wnd, WM_POWERBROADCAST, 4, 0), TRUE);
    EXPECT_EQ(Movie(), nullptr);
    EXPECT_EQ(SendMessageA(wnd, WM_POWERBROADCAST, 7, 0), TRUE);
    EXPECT_TRUE(PumpUntil([this] { return !IsWindow(wnd); }));
}

TEST_F(RunningSaver, AResumeWhileAMoviePlaysStartsOneMovieAndTheSaverStillCloses) {
    Start();
    // A refused suspension resumes playback while the movie is still up: the
    // replaced movie's end must not start a second, endless round of movies
    // beside the new one.
    for (int i = 0; i < 3; ++i) EXPECT_EQ(SendMessageA(wnd, WM_POWERBROADCAST, 2, 0), TRUE);
    Pump(1500);
    ASSERT_NE(Movie(), nullptr);
    const HWND settled = Movie()->m_hWnd;
    Pump(1000);
    ASSERT_NE(Movie(), nullptr);
    EXPECT_EQ(Movie()->m_hWnd, settled) << "movies keep replacing each other";
    EXPECT_EQ(saver->Sequencer().StartingMovie(), 0);
    PostMessageA(wnd, WM_CLOSE, 0, 0);
    EXPECT_TRUE(PumpUntil([this] { return !IsWindow(wnd); }, 3000)) << "a close request was dropped";
}

TEST_F(RunningSaver, StopTimerPeriodDoesNotWrapForHugeMinutes) {
    // 106157275 minutes is 32 ms once the product wraps at 32 bits.
    Start({{"Delay", 1}, {"DelayMinutes", 106157275}});
    Pump(1000);
    EXPECT_NE(Movie(), nullptr) << "the stop timer fired at once";
    EXPECT_EQ(saver->Sequencer().PlaybackEnabled(), 1);
}

TEST_F(RunningSaver, StopAndPowerPeriodsOfNoMinutesAreOneMinute) {
    // A damaged 0 would black the screen at once, and nothing would ever play.
    Start({{"Delay", 1}, {"DelayMinutes", 0}, {"Power", 1}, {"PowerMinutes", 0}});
    Pump(1500);
    EXPECT_NE(Movie(), nullptr) << "a timer of 0 minutes fired at once";
    EXPECT_EQ(saver->Sequencer().PlaybackEnabled(), 1);
    EXPECT_EQ(saver->Settings().Delay, 1);
}

// A top-level window of this process, made and activated on a thread of its
// own, as a media device's video renderer does.
void ActivateOwnWindow() {
    TestThread([] {
        HWND own = CreateWindowExA(0, "STATIC", "Z:\\media\\clip.mpg", WS_POPUP | WS_VISIBLE, 10, 10, 160, 120,
                                   nullptr, nullptr, nullptr, nullptr);
        SetForegroundWindow(own);
        SetActiveWindow(own);
        SetCapture(own);
        const DWORD until = GetTickCount() + 1500;
        MSG msg;
        while (GetTickCount() < until) {
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
            Sleep(5);
        }
        DestroyWindow(own);
    }).Join();
}

TEST_F(RunningSaver, AWindowOfTheSaversOwnProcessTakingActivationIsNotTheUser) {
    Start();
    SetForegroundWindow(wnd);
    Pump(200);
    ASSERT_EQ(GetForegroundWindow(), wnd);
    TestThread activate(ActivateOwnWindow);
    Pump(2500);
    activate.Join();
    Pump(300);
    ASSERT_TRUE(IsWindow(wnd)) << "the saver ended without any input";
    EXPECT_NE(Movie(), nullptr);
    EXPECT_EQ(GetForegroundWindow(), wnd) << "the activation was not taken back";
    EXPECT_EQ(GetCapture(), wnd) << "the mouse capture was not taken back";
    // The user's own activity still ends it.
    PostMessageA(wnd, WM_LBUTTONDOWN, 0, 0);
    EXPECT_TRUE(PumpUntil([this] { return !IsWindow(wnd); }, 3000));
}

TEST_F(RunningSaver, LosingTheMouseCaptureTakesItBack) {
    Start();
    ReleaseCapture();
    Pump(200);
    EXPECT_EQ(GetCapture(), wnd);
    EXPECT_TRUE(IsWindow(wnd));
}

TEST_F(RunningSaver, StopTimerTakesTheMovieAwayForGood) {
    Start({{"Delay", 1}});
    PostMessageA(wnd, WM_TIMER, 5, 0);
    ASSERT_TRUE(PumpUntil([this] { return Movie() == nullptr; }));
    EXPECT_EQ(saver->Settings().Delay, 0);
    Pump(300);
    EXPECT_EQ(Movie(), nullptr);
    EXPECT_TRUE(IsWindow(wnd));
}

TEST_F(RunningSaver, StopTimerAndSuspendCloseThePreparedMovieToo) {
    for (const bool suspend : {false, true}) {
        store.WriteProfileString("Config", "AVI1.File", WriteSilence(60, "next").c_str());
        Start({{"NumAVI", 2}, {"Delay", 1}, {"AVI1.LoopInfinite", 1}});
        ASSERT_TRUE(PumpUntil([this] { return saver->PreparedWindow() != nullptr; }, 3000));
        const HWND prepared = saver->PreparedWindow()->m_hWnd;
        EXPECT_FALSE(IsWindowVisible(prepared));
        if (suspend) {
            EXPECT_EQ(SendMessageA(wnd, WM_POWERBROADCAST, 0, 0), TRUE);
        } else {
            PostMessageA(wnd, WM_TIMER, 5, 0);
        }
        EXPECT_TRUE(PumpUntil([&] { return !IsWindow(prepared) && Movie() == nullptr; }, 3000)) << suspend;
        Pump(300);
        EXPECT_EQ(saver->PreparedWindow(), nullptr) << "prepared while stopped, " << suspend;
        ::DestroyWindow(wnd);
        Pump(100);
    }
}

TEST_F(RunningSaver, CloseAsksThePasswordAndOnlyTheRightOneEndsTheSaver) {
    ScratchKey component(HKEY_CURRENT_USER, "Software\\Tolvane Arts\\Password");
    RegistryKey desktop = RegistryKey::Create(HKEY_CURRENT_USER, "Control Panel\\Desktop");
    desktop.SetDword("ScreenSaveUsePassword", 1);
    {
        HMODULE cpl = LoadLibraryA("PASSWORD.CPL");
        ASSERT_NE(cpl, nullptr);
        using ChangeFn = DWORD(WINAPI*)(LPCSTR, HWND, DWORD, DWORD);
        auto change = reinterpret_cast<ChangeFn>(reinterpret_cast<void*>(GetProcAddress(cpl, "PwdChangePasswordA")));
        DialogScript script({DialogScript::Step{"Change Password", "New password",
                                                {{IDC_NEW_PASSWORD, "Zq7#Lw9!"}, {IDC_CONFIRM_PASSWORD, "Zq7#Lw9!"}}},
                             DialogScript::Step{"Change Password", "has been changed"}});
        ASSERT_EQ(change("SCRSAVE", nullptr, 0, 0), 0u);
        ASSERT_TRUE(script.Join());
        FreeLibrary(cpl);
    }
    Start();
    {
        DialogScript script({DialogScript::Step{"Screen Saver Password", "password", {{IDC_PASSWORD, "nope"}}}});
        PostMessageA(wnd, WM_CLOSE, 0, 0);
        PostMessageA(wnd, WM_CLOSE, 0, 0);
        PostMessageA(wnd, WM_LBUTTONDOWN, 0, 0);
        // The refused answer hands the mouse back to the saver as the dialog
        // goes: look at that moment, before later activation traffic.
        EXPECT_TRUE(PumpUntil([&] { return script.done() == 1 && !saver->verifying; }));
        EXPECT_EQ(GetCapture(), wnd);
        Pump(3000);
        EXPECT_TRUE(script.Join());
    }
    EXPECT_TRUE(IsWindow(wnd));
    EXPECT_FALSE(saver->verifying);
    EXPECT_TRUE(saver->hideCursor);
    {
        DialogScript script({DialogScript::Step{"Screen Saver Password", "password", {{IDC_PASSWORD, "Zq7#Lw9!"}}}});
        PostMessageA(wnd, WM_CLOSE, 0, 0);
        EXPECT_TRUE(PumpUntil([this] { return !IsWindow(wnd); }));
        EXPECT_TRUE(script.Join());
    }
    desktop.DeleteValue("ScreenSaveUsePassword");
}

}  // namespace
