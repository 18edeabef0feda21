#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>

#include "framework/RegistryProfile.h"
#include "saver/playback/DisplayWnd.h"
#include "saver/playback/LogoMovieWnd.h"
#include "saver/playback/MovieWnd.h"
#include "saver/playback/PlaybackMessages.h"
#include "saver/playback/RandomSource.h"
#include "saver/resources/resource.h"
#include "saver/settings/SettingsNames.h"
#include "tests/win/support/MediaFiles.h"
#include "tests/win/support/Pump.h"
#include "tests/win/support/TestRegistry.h"

namespace {

const char kCompany[] = "Tolvane Arts Tests";
const char kApp[] = "Playback";

// A profile of the test's own with a playlist written into it.
struct Profile {
    Profile() : key(HKEY_CURRENT_USER, std::string("Software\\") + kCompany + "\\" + kApp),
                store(kCompany, kApp) {}
    void Num(const char* name, uint32_t v) { store.WriteProfileInt(names::kConfigSection, name, v); }
    void Item(uint32_t i, const char* suffix, const std::string& text) {
        store.WriteProfileString(names::kConfigSection, ItemValueName(i, suffix).c_str(), text.c_str());
    }
    void ItemNum(uint32_t i, const char* suffix, uint32_t v) {
        store.WriteProfileInt(names::kConfigSection, ItemValueName(i, suffix).c_str(), v);
    }
    ScratchKey key;
    RegistryProfileStore store;
};

RECT Screen() { return RECT{0, 0, 800, 600}; }

RECT WindowRectOf(HWND wnd) {
    RECT r{};
    GetWindowRect(wnd, &r);
    return r;
}

// A display window over the screen that the test owns and destroys.
struct Display {
    explicit Display(ProfileStore& store) : wnd(std::make_unique<DisplayWnd>(store, nullptr, false)) {}
    ~Display() {
        if (wnd->m_hWnd != nullptr) wnd->DestroyWindow();
        PumpFor(20);
    }
    bool Create() { return wnd->Create(WS_EX_TOPMOST, WS_POPUP | WS_VISIBLE, Screen(), nullptr); }
    MovieWnd* Movie() const { return wnd->MovieWindow(); }
    std::unique_ptr<DisplayWnd> wnd;
};

TEST(DisplayWnd, EmptyPlaylistShowsTheBouncingLogo) {
    Profile profile;
    profile.Num(names::kBounceSpeed, 250);
    Display display(profile.store);
    ASSERT_TRUE(display.Create());
    char text[32] = "";
    GetWindowTextA(display.wnd->m_hWnd, text, sizeof text);
    EXPECT_STREQ(text, "SaverWnd");
    ASSERT_TRUE(PumpUntil([&] { return display.Movie() != nullptr; }, 3000));
    MovieWnd* logo = display.Movie();
    EXPECT_EQ(logo->Kind(), PlayerKind::Logo);
    GetWindowTextA(logo->m_hWnd, text, sizeof text);
    EXPECT_STREQ(text, "MovieWnd");
    EXPECT_TRUE(IsWindowVisible(logo->m_hWnd));
    EXPECT_EQ(GetFocus(), logo->m_hWnd);
    const RECT first = WindowRectOf(logo->m_hWnd);
    EXPECT_EQ(first.right - first.left, 350);
    EXPECT_EQ(first.bottom - first.top, 250);
    EXPECT_EQ(first.left, 225);  // centred before the first bounce step
    EXPECT_EQ(first.top, 175);
    EXPECT_EQ(display.wnd->Settings().GetCount(), 1u);
    EXPECT_EQ(display.wnd->Settings().GetItem(0)->IsLogo, 1);
    EXPECT_EQ(display.wnd->Sequencer().StartingMovie(), 0);

    PumpFor(1200);
    const RECT later = WindowRectOf(logo->m_hWnd);
    EXPECT_TRUE(later.left != first.left || later.top != first.top);
    EXPECT_GE(later.left, 0);
    EXPECT_GE(later.top, 0);
    EXPECT_LE(later.right, 800);
    EXPECT_LE(later.bottom, 600);
    EXPECT_EQ(later.right - later.left, 350);
}

TEST(DisplayWnd, AviPlaysLetterboxedAtFullScreenForItsLoops) {
    MediaFolder media;
    Profile profile;
    const std::string clip = media.Avi("wide.avi", 320, 180, 5, 10);  // 0.5 s
    profile.Num(names::kNumAVI, 2);
    profile.Item(0, names::kItemFile, clip);
    profile.ItemNum(0, names::kItemScale, ScaleFullScreen);
    profile.ItemNum(0, names::kItemLoops, 1);
    profile.Item(1, names::kItemFile, clip);
    profile.ItemNum(1, names::kItemScale, ScaleFullScreen);
    profile.ItemNum(1, names::kItemLoops, 4);
    Display display(profile.store);
    ASSERT_TRUE(display.Create());

    // How long each item's window lives, from its first sight to its end.
    DWORD lifetimes[2] = {0, 0};
    for (DWORD& lifetime : lifetimes) {
        ASSERT_TRUE(PumpUntil([&] { return display.Movie() != nullptr; }, 3000));
        MovieWnd* movie = display.Movie();
        HWND wnd = movie->m_hWnd;
        EXPECT_EQ(movie->Kind(), PlayerKind::Mci);
        EXPECT_EQ(movie->MovieState, MovieWnd::kPlaying);
        EXPECT_EQ(movie->NaturalRect.right, 320);
        EXPECT_EQ(movie->NaturalRect.bottom, 180);
        const RECT r = WindowRectOf(wnd);
        EXPECT_EQ(r.left, 0);
        EXPECT_EQ(r.top, 75);
        EXPECT_EQ(r.right, 800);
        EXPECT_EQ(r.bottom, 525);
        const DWORD start = GetTickCount();
        ASSERT_TRUE(PumpUntil([&] { return !IsWindow(wnd); }, 10000));
        lifetime = GetTickCount() - start;
    }
    // Four plays take about four times as long as one.
    EXPECT_GT(lifetimes[1], lifetimes[0] * 5 / 2) << lifetimes[0] << " " << lifetimes[1];
    // The list goes round: the first item plays again.
    ASSERT_TRUE(PumpUntil([&] { return display.Movie() != nullptr; }, 3000));
    EXPECT_EQ(display.Movie()->GetLoopsLeft(), 1u);
}

TEST(DisplayWnd, UnplayableItemsAreDroppedAndTheNextPlays) {
    MediaFolder media;
    Profile profile;
    const std::string files[] = {
        media.Write("empty.avi", {}),
        media.Text("text.avi", "this is not a movie\r\n"),
        media.Avi("nodevice.avi", 32, 32, 2, 10),
        media.Avi("clip.avi", 32, 32, 2, 10),
        media.Write("quick.mov", {}),
        media.Wav("tone.wav", 3000),
    };
    profile.Num(names::kNumAVI, 7);
    profile.Item(0, names::kItemFile, "C:\\no\\such\\file.avi");
    profile.Item(1, names::kItemFile, files[0]);
    profile.Item(2, names::kItemFile, files[1]);
    profile.Item(3, names::kItemFile, files[2]);
    profile.Item(3, names::kItemMCI, "nosuchdevice");
    profile.Item(4, names::kItemFile, files[3]);
    profile.Item(4, names::kItemMCI, names::kQuickTimePlayer);  // .avi with the QuickTime player
    profile.Item(5, names::kItemFile, files[4]);
    profile.Item(5, names::kItemMCI, names::kQuickTimePlayer);  // no QuickTime here
    profile.Item(6, names::kItemFile, files[5]);
    profile.ItemNum(6, names::kItemScale, ScaleNatural);
    Display display(profile.store);
    ASSERT_TRUE(display.Create());
    ASSERT_TRUE(PumpUntil([&] { return display.Movie() != nullptr; }, 5000));
    MovieWnd* movie = display.Movie();
    EXPECT_EQ(movie->Kind(), PlayerKind::Mci);
    EXPECT_EQ(movie->File, files[5]);
    ASSERT_EQ(display.wnd->Settings().GetCount(), 1u);
    // A sound has no picture: 10 x 10 at its own size.
    const RECT r = WindowRectOf(movie->m_hWnd);
    EXPECT_EQ(r.right - r.left, 10);
    EXPECT_EQ(r.bottom - r.top, 10);
}

TEST(DisplayWnd, ADeviceTypeLongerThanAnyRealOneDropsTheItemWithoutAskingMci) {
    // The system's open overruns its stack on such names (140 characters and
    // more); 79 is the longest a device has.
    MediaFolder media;
    Profile profile;
    const std::string clip = media.Avi("clip.avi", 32, 32, 2, 10);
    profile.Num(names::kNumAVI, 4);
    profile.Item(0, names::kItemFile, clip);
    profile.Item(0, names::kItemMCI, std::string(1000, 'v'));
    profile.Item(1, names::kItemFile, clip);
    profile.Item(1, names::kItemMCI, std::string(200, 'v'));
    profile.Item(2, names::kItemFile, clip);
    profile.Item(2, names::kItemMCI, std::string(79, 'v'));  // no such device, refused by MCI itself
    profile.Item(3, names::kItemFile, media.Wav("tone.wav", 3000));
    Display display(profile.store);
    ASSERT_TRUE(display.Create());
    ASSERT_TRUE(PumpUntil([&] { return display.Movie() != nullptr; }, 5000));
    EXPECT_EQ(display.Movie()->File.substr(display.Movie()->File.size() - 8), "tone.wav");
    EXPECT_EQ(display.wnd->Settings().GetCount(), 1u);
}

// A movie window that cannot be made, for the first request only.
class RefusedMovie : public LogoMovieWnd {
public:
    BOOL CreateChild(HWND, MovieHost&) override { return FALSE; }
};

class RefusingDisplay : public DisplayWnd {
public:
    using DisplayWnd::DisplayWnd;
    int refusals = 1;

protected:
    MovieWnd* NewMovieWindow(PlayerKind kind) override {
        if (refusals > 0) {
            --refusals;
            return new RefusedMovie();
        }
        return DisplayWnd::NewMovieWindow(kind);
    }
};

TEST(DisplayWnd, AMovieWindowThatCannotBeMadeStillLeadsToTheNextItem) {
    MediaFolder media;
    Profile profile;
    profile.Num(names::kNumAVI, 1);
    profile.Item(0, names::kItemFile, media.Wav("tone.wav", 2000));
    RefusingDisplay display(profile.store, nullptr, false);
    ASSERT_TRUE(display.Create(WS_EX_TOPMOST, WS_POPUP | WS_VISIBLE, Screen(), nullptr));
    // The refused item is dropped; the empty list then gets the logo.
    EXPECT_TRUE(PumpUntil([&] { return display.MovieWindow() != nullptr; }, 3000));
    EXPECT_EQ(display.refusals, 0);
    ASSERT_EQ(display.Settings().GetCount(), 1u);
    EXPECT_EQ(display.Settings().GetItem(0)->IsLogo, 1);
    EXPECT_EQ(display.Sequencer().StartingMovie(), 0);
    display.DestroyWindow();
    PumpFor(20);
}

// Pixels of `wnd`'s client area, every fourth in each direction, whose red
// stands out: a red frame shown.
int CountRed(HWND wnd) {
    RECT r{};
    GetClientRect(wnd, &r);
    HDC dc = GetDC(wnd);
    int red = 0;
    for (int y = r.bottom / 4; y < r.bottom; y += 4) {
        for (int x = 0; x < r.right; x += 4) {
            const COLORREF c = GetPixel(dc, x, y);
            if (GetRValue(c) > 200 && GetGValue(c) < 60 && GetBValue(c) < 60) ++red;
        }
    }
    ReleaseDC(wnd, dc);
    return red;
}

TEST(DisplayWnd, ASlideShowShowsItsFirstFrameAsSoonAsItsWindowIsShown) {
    MediaFolder media;
    Profile profile;
    AviClip slow;  // three red frames, one every 5 s
    slow.width = 160;
    slow.height = 120;
    slow.frames = 3;
    slow.fps = 1;
    slow.scale = 5;
    slow.hue = 0;
    profile.Num(names::kNumAVI, 2);
    profile.Item(0, names::kItemFile, media.Write("slow.avi", WriteAvi(slow)));
    profile.Item(1, names::kItemFile, media.Avi("next.avi", 160, 120, 5, 10));
    Display display(profile.store);
    ASSERT_TRUE(display.Create());
    ASSERT_TRUE(PumpUntil([&] { return display.Movie() != nullptr; }, 3000));
    const HWND movie = display.Movie()->m_hWnd;
    int seen = 0;
    const DWORD start = GetTickCount();
    // The whole first frame, within a second of the window being shown, and
    // still there after the display's own painting.
    PumpUntil([&] { return (seen = CountRed(movie)) > 0 && GetTickCount() - start > 1000; }, 1500);
    const RECT r = WindowRectOf(movie);
    const int all = ((r.bottom - r.top) * 3 / 4 / 4) * ((r.right - r.left) / 4);
    EXPECT_GT(seen, all * 9 / 10) << "of " << all;
}

// The movie windows of `display` (shown and hidden).
int MovieWindowsOf(HWND display) {
    int count = 0;
    for (HWND w = GetWindow(display, GW_CHILD); w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) {
        char text[16] = "";
        GetWindowTextA(w, text, sizeof text);
        count += std::string(text) == "MovieWnd";
    }
    return count;
}

TEST(DisplayWnd, TheNextMovieIsOpenedHiddenAtItsPlaceAndReplacesTheCurrentOneAtItsEnd) {
    MediaFolder media;
    Profile profile;
    const std::string first = media.Avi("first.avi", 320, 180, 10, 10);  // 1 s
    const std::string second = media.Avi("second.avi", 160, 120, 5, 10);
    profile.Num(names::kNumAVI, 3);
    profile.Item(0, names::kItemFile, first);
    profile.ItemNum(0, names::kItemScale, ScaleFullScreen);
    profile.Item(1, names::kItemFile, "C:\\no\\such\\file.avi");  // fails while being prepared
    profile.Item(2, names::kItemFile, second);
    profile.ItemNum(2, names::kItemScale, ScaleDouble);
    profile.ItemNum(2, names::kItemAlign, AlignLowerRight);
    profile.ItemNum(2, names::kItemMute, 1);
    Display display(profile.store);
    ASSERT_TRUE(display.Create());
    ASSERT_TRUE(PumpUntil([&] { return display.wnd->PreparedWindow() != nullptr; }, 3000));
    MovieWnd* current = display.Movie();
    MovieWnd* next = display.wnd->PreparedWindow();
    ASSERT_NE(current, nullptr);
    const HWND currentWnd = current->m_hWnd;
    const HWND nextWnd = next->m_hWnd;
    // The item that failed is dropped as at its start; the one after it is
    // the one prepared, and the current movie plays on.
    EXPECT_EQ(display.wnd->Settings().GetCount(), 2u);
    EXPECT_EQ(next->File, second);
    EXPECT_EQ(current->File, first);
    EXPECT_EQ(current->MovieState, MovieWnd::kPlaying);
    EXPECT_TRUE(IsWindowVisible(currentWnd));
    // Hidden, opened, not playing, at the place and size it will have, and
    // its mute not yet the display's.
    EXPECT_FALSE(IsWindowVisible(nextWnd));
    EXPECT_EQ(next->MovieState, MovieWnd::kOpen);
    const RECT r = WindowRectOf(nextWnd);
    EXPECT_EQ(r.left, 800 - 320);
    EXPECT_EQ(r.top, 600 - 240);
    EXPECT_EQ(r.right, 800);
    EXPECT_EQ(r.bottom, 600);
    EXPECT_EQ(display.wnd->Settings().Mute, 0);
    EXPECT_EQ(MovieWindowsOf(display.wnd->m_hWnd), 2);
    // At the end the prepared window itself is shown and plays; never more
    // than two movie windows on the way.
    int most = 0;
    ASSERT_TRUE(PumpUntil(
        [&] {
            most = std::max(most, MovieWindowsOf(display.wnd->m_hWnd));
            return !IsWindow(currentWnd);
        },
        5000));
    EXPECT_LE(most, 2);
    ASSERT_NE(display.Movie(), nullptr);
    EXPECT_EQ(display.Movie()->m_hWnd, nextWnd);
    EXPECT_TRUE(IsWindowVisible(nextWnd));
    EXPECT_EQ(display.Movie()->MovieState, MovieWnd::kPlaying);
    EXPECT_EQ(display.wnd->Settings().Mute, 1);  // its mute is the display's once shown
    EXPECT_EQ(display.wnd->Sequencer().CurrentItem()->File, second);
    PumpUntil([&] { return display.Movie() != nullptr && display.Movie()->m_hWnd != nextWnd; }, 3000);
}

TEST(DisplayWnd, SkipKeysShowThePreparedMovieAtOnceOrDiscardIt) {
    MediaFolder media;
    Profile profile;
    const std::string files[] = {media.Avi("a.avi", 160, 120, 50, 10), media.Avi("b.avi", 160, 120, 50, 10),
                                 media.Avi("c.avi", 160, 120, 50, 10)};
    profile.Num(names::kNumAVI, 3);
    for (uint32_t i = 0; i < 3; ++i) profile.Item(i, names::kItemFile, files[i]);
    Display display(profile.store);
    ASSERT_TRUE(display.Create());
    ASSERT_TRUE(PumpUntil([&] { return display.wnd->PreparedWindow() != nullptr; }, 3000));
    // N: the prepared b plays in the window made for it, at once.
    HWND prepared = display.wnd->PreparedWindow()->m_hWnd;
    SendMessageA(display.Movie()->m_hWnd, WM_KEYDOWN, 'N', 1);
    ASSERT_TRUE(PumpUntil([&] { return display.Movie() != nullptr; }, 3000));
    EXPECT_EQ(display.Movie()->m_hWnd, prepared);
    EXPECT_EQ(display.Movie()->File, files[1]);
    // Left: the prepared c goes, and a plays again, as without preparation.
    ASSERT_TRUE(PumpUntil([&] { return display.wnd->PreparedWindow() != nullptr; }, 3000));
    prepared = display.wnd->PreparedWindow()->m_hWnd;
    EXPECT_EQ(display.wnd->PreparedWindow()->File, files[2]);
    SendMessageA(display.Movie()->m_hWnd, WM_KEYDOWN, VK_LEFT, 1);
    ASSERT_TRUE(PumpUntil([&] { return display.Movie() != nullptr; }, 3000));
    EXPECT_FALSE(IsWindow(prepared));
    EXPECT_EQ(display.Movie()->File, files[0]);
    EXPECT_LE(MovieWindowsOf(display.wnd->m_hWnd), 2);
}

TEST(DisplayWnd, OneItemPlaysAgainInItsOwnWindowWithNothingPrepared) {
    MediaFolder media;
    Profile profile;
    profile.Num(names::kNumAVI, 1);
    profile.Item(0, names::kItemFile, media.Avi("only.avi", 160, 120, 5, 10));  // 0.5 s
    Display display(profile.store);
    ASSERT_TRUE(display.Create());
    ASSERT_TRUE(PumpUntil([&] { return display.Movie() != nullptr; }, 3000));
    const HWND only = display.Movie()->m_hWnd;
    // Three ends: the same window plays on, nothing else is opened.
    PumpUntil([&] { return display.wnd->PreparedWindow() != nullptr || !IsWindow(only); }, 1800);
    EXPECT_TRUE(IsWindow(only));
    EXPECT_EQ(display.wnd->PreparedWindow(), nullptr);
    EXPECT_EQ(MovieWindowsOf(display.wnd->m_hWnd), 1);
    ASSERT_NE(display.Movie(), nullptr);
    EXPECT_EQ(display.Movie()->m_hWnd, only);
    EXPECT_EQ(display.Movie()->MovieState, MovieWnd::kPlaying);
    EXPECT_EQ(display.wnd->Sequencer().TitlePhase(), 0);
}

TEST(DisplayWnd, DestroyingTheMovieWindowOrTheDisplayTakesThePreparedOneToo) {
    MediaFolder media;
    Profile profile;
    profile.Num(names::kNumAVI, 2);
    profile.Item(0, names::kItemFile, media.Avi("a.avi", 160, 120, 50, 10));
    profile.Item(1, names::kItemFile, media.Avi("b.avi", 160, 120, 50, 10));
    for (const bool whole : {false, true}) {
        Display display(profile.store);
        ASSERT_TRUE(display.Create());
        ASSERT_TRUE(PumpUntil([&] { return display.wnd->PreparedWindow() != nullptr; }, 3000));
        const HWND prepared = display.wnd->PreparedWindow()->m_hWnd;
        if (whole) {
            display.wnd->DestroyWindow();
        } else {
            display.wnd->Sequencer().EnablePlayback(false);
            display.wnd->DestroyMovieWindow();
            PumpFor(200);
            EXPECT_EQ(display.Movie(), nullptr);
            EXPECT_EQ(MovieWindowsOf(display.wnd->m_hWnd), 0);
        }
        EXPECT_FALSE(IsWindow(prepared)) << whole;
        EXPECT_EQ(display.wnd->PreparedWindow(), nullptr);
    }
}

int CountWhiteInRows(HWND wnd, int top, int bottom) {
    HDC dc = GetDC(wnd);
    int white = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = 0; x < 800; x += 2) {
            if (GetPixel(dc, x, y) == RGB(255, 255, 255)) ++white;
        }
    }
    ReleaseDC(wnd, dc);
    return white;
}

TEST(DisplayWnd, TitleCardIsWhiteTextOnTheCentreLine) {
    MediaFolder media;
    Profile profile;
    profile.Num(names::kNumAVI, 1);
    profile.Num(names::kTitles, 1);
    profile.Item(0, names::kItemFile, media.Wav("tone.wav", 500));
    profile.Item(0, names::kItemTitle, "MMMM HHHH");
    profile.ItemNum(0, names::kItemTitleBefore, 1);
    Display display(profile.store);
    const DWORD created = GetTickCount();
    ASSERT_TRUE(display.Create());
    PumpFor(400);
    EXPECT_EQ(display.Movie(), nullptr);  // the card stays 4 s before the movie
    EXPECT_EQ(display.wnd->Sequencer().TitlePhase(), 1);
    // Capitals stand on the baseline at y = 300 in a 40-pixel font.
    EXPECT_GT(CountWhiteInRows(display.wnd->m_hWnd, 280, 300), 50);
    EXPECT_EQ(CountWhiteInRows(display.wnd->m_hWnd, 302, 600), 0);
    EXPECT_EQ(CountWhiteInRows(display.wnd->m_hWnd, 0, 250), 0);
    // The card stays about 4 s, counted from the start, and then the movie plays.
    ASSERT_TRUE(PumpUntil([&] { return display.Movie() != nullptr; }, 8000));
    const DWORD shown = GetTickCount() - created;
    EXPECT_GE(shown, 3900u);
    EXPECT_LE(shown, 5000u);
}

TEST(Random, TheProcessGeneratorIsTheClassicOne) {
    for (unsigned seed : {1u, 12345u, 4000000000u}) {
        std::srand(seed);
        StdRandom process;
        ClassicRandom classic(seed);
        for (int i = 0; i < 100; ++i) ASSERT_EQ(process.Next(), classic.Next()) << seed;
    }
}

}  // namespace
