#pragma once
#include <optional>

#include "framework/Handles.h"
#include "framework/Wnd.h"
#include "saver/playback/FolderExpansion.h"
#include "saver/playback/MovieHost.h"
#include "saver/playback/PlaylistSequencer.h"
#include "saver/playback/QuickTimeSession.h"
#include "saver/playback/RandomSource.h"
#include "saver/playback/WaveVolume.h"
#include "saver/playback/win32/FindFileListing.h"
#include "saver/settings/SaverSettings.h"

class MachineDefaults;
class MovieWnd;
class ProfileStore;

// The black surface the playlist plays on. It loads its own settings, walks
// the playlist one item at a time through one movie window shown as its
// child, and paints the black background and the titles. While a movie
// plays, the item that follows it is opened in a second, hidden movie
// window, so that at the end the next picture replaces the last one with no
// black between them: at most two movie windows at any time. Driven by
// UM_NEXTMOVIE, UM_PLAYMOVIE, UM_MOVIESTARTED, UM_PREPARENEXT and the
// title-card timer.
class DisplayWnd : public CWnd, public MovieHost {
public:
    // Loads the settings from `store` (seeded from `machine` on a first run;
    // `machine` may be null) and applies the global options to the items.
    // With `autoDelete` the object deletes itself after its window is gone;
    // when Create fails, the caller deletes it.
    DisplayWnd(ProfileStore& store, MachineDefaults* machine, bool autoDelete);
    // The same with the application's settings (MakeAppSettings).
    explicit DisplayWnd(bool autoDelete);

    // Creates the window "SaverWnd" at `rect`; false when it cannot be made.
    virtual bool Create(DWORD exStyle, DWORD style, const RECT& rect, HWND parent);

    // Moves the window to `rect` (a new screen size) and places the movie
    // window again within it.
    void Resize(const RECT& rect);

    // Chooses the next item and shows its title card, or asks for it to play.
    void Advance();
    // Starts the current item in a new movie window; a failed start drops the
    // item and goes on with the next one.
    void PlayCurrent();
    // One item back in list order (the skip-back key calls it twice).
    void StepBack() override { sequencer_.StepBack(); }
    // A movie window's mute becomes the global Mute.
    void MovieMuted(int mute) override { SetMute(mute); }
    void FollowGlobalMute() override { settings_.ApplyGlobals(true); }
    // Shows the prepared movie and destroys `movie` after it, or plays
    // `movie` again when its item follows itself, or destroys it.
    bool MovieFinished(MovieWnd& movie) override;
    // Posts UM_NEXTMOVIE when `movie` was the one shown.
    void MovieEnded(MovieWnd& movie) override;
    // Destroys the prepared movie window and the shown one, if there are
    // any; the shown one's end posts UM_NEXTMOVIE.
    void DestroyMovieWindow();
    // Opens the item the next advance takes in a hidden movie window, when
    // a movie is playing and none is prepared; an item that fails to open is
    // dropped and the one after it is tried on the next UM_PREPARENEXT.
    void PrepareNext();
    // The movie window shown, or null.
    MovieWnd* MovieWindow() const { return shown_; }
    // The hidden movie window of the item that comes next, or null.
    MovieWnd* PreparedWindow() const { return prepared_; }
    // Makes `mute` the global Mute.
    void SetMute(int mute);
    // Captures the mouse, hides the cursor and gives a movie window the focus.
    void CaptureInput();

    PlaylistSequencer& Sequencer() { return sequencer_; }
    // The QuickTime session while QuickTime items follow each other, or null.
    const QuickTimeSession* QuickTimeState() const { return quickTime_ ? &*quickTime_ : nullptr; }
    SaverSettings& Settings() { return settings_; }
    const RECT& WindowRect() const { return rect_; }

    // The display window's timer (the full-screen window adds its own, 3 to 5).
    enum Timer : UINT_PTR {
        kTitleCardTimer = 2,  // one shot, kTitleCardMilliseconds: the title card ends
    };

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // A new, not yet created, movie window of `kind`; the caller owns it until
    // its window exists.
    virtual MovieWnd* NewMovieWindow(PlayerKind kind);

    LRESULT OnCreate(const Msg& msg);
    LRESULT OnPaint(const Msg& msg);
    LRESULT OnTimer(const Msg& msg);
    LRESULT OnKeyDown(const Msg& msg);
    LRESULT OnNextMovie(const Msg& msg);
    LRESULT OnPlayMovie(const Msg& msg);
    LRESULT OnMovieStarted(const Msg& msg);
    LRESULT OnDestroy(const Msg& msg);

    LRESULT OnPrepareNext(const Msg& msg);

private:
    // Makes a movie window of `kind` for `item` and opens it, shown and
    // playing, or hidden with KeepHidden; null when any of that fails, and
    // `made` tells whether a window was made (then destroyed again).
    MovieWnd* StartMovieWindow(PlayerKind kind, const MediaItem& item, bool show, bool& made);
    // The same with the player the item takes, then QuickTime for an Auto
    // Detect item whose file the MCI system refused.
    MovieWnd* MakeMovieWindow(const MediaItem& item, bool show);
    // The prepared movie is the current item's: shows it, then destroys the
    // movie it replaces. True when the prepared one was used, even if it
    // then refused to play (its item is dropped then, the next one asked for).
    bool ShowPrepared();
    void DiscardPrepared();
    // QuickTime is kept only while QuickTime items follow each other: it is
    // stopped once neither the shown nor the prepared movie plays through it.
    void LetQuickTimeGo();
    void Redraw();
    // Takes the skip keys queued for this window or its movie out of the
    // queue and makes them one step; false when none were queued.
    bool TakeQueuedSkips();
    // Loads the settings and readies the sequencer; both constructors end here.
    void LoadSettings();
    // Before an advance: reads the folder entries it needs, black screen first.
    void ReadFolderEntries();

    SaverSettings settings_;
    // The wave volume, found when first needed and at the latest before the
    // first item starts, so that the window is black before the device
    // search; put back as found when the object goes.
    WaveVolume& Volume();
    std::optional<WaveVolume> volume_;
    StdRandom random_;
    PlaylistSequencer sequencer_;
    FindFileListing folderListing_;
    FolderExpansion folders_{settings_, folderListing_};
    RECT rect_{0, 0, 0, 0};
    MouseCapture capture_;
    // Outlives the movie window that plays through it: that window is
    // destroyed before the session is let go (PlayCurrent, OnDestroy).
    std::optional<QuickTimeSession> quickTime_;
    // Each is destroyed by itself or by this window; MovieEnded forgets it.
    MovieWnd* shown_ = nullptr;
    MovieWnd* prepared_ = nullptr;
    const MediaItem* preparedItem_ = nullptr;  // compared, never followed
};
