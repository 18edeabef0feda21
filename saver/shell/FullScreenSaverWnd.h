#pragma once
#include "saver/playback/DisplayWnd.h"
#include "saver/shell/MonitorCovers.h"

// The saver's only top-level window in run mode: topmost, covering the
// primary screen, holding the mouse capture with the cursor hidden. It plays
// the playlist through DisplayWnd and ends the saver when the user does
// anything but the eight control keys: every such event posts WM_CLOSE, and
// the close handler alone decides, after the password step, to destroy the
// window. Every other monitor gets a black cover of its own for as long as
// the window is up. The object deletes itself once its window is gone.
class FullScreenSaverWnd : public DisplayWnd {
public:
    // Settings from the application's profile and the machine-wide defaults.
    FullScreenSaverWnd();
    // Settings from `store`; `machine` may be null.
    FullScreenSaverWnd(ProfileStore& store, MachineDefaults* machine);

    // Creates the window over the whole primary screen, then the covers of
    // the other monitors; false when the window cannot be made.
    bool CreateFullScreen();

    // Timer 3 clears the mouse reference every 3000 ms.
    virtual void StartTimers();
    virtual void StopTimers();
    // Stops the timers, disables playback and takes the movie away.
    void StopPlayback();
    // Restarts the timers, enables playback and advances, as UM_NEXTMOVIE does.
    void ResumePlayback();
    // The password step: nonzero when the saver may close.
    virtual BOOL VerifyPassword();

    // The full-screen window's timers, besides the display window's title
    // card (DisplayWnd::Timer).
    enum FullScreenTimer : UINT_PTR {
        kMouseTimer = 3,  // every 3000 ms, forget the mouse reference
        kPowerTimer = 4,  // PowerMinutes, ask the system to suspend
        kStopTimer = 5,   // DelayMinutes, stop playing
    };

    POINT mouseRef{-1, -1};
    bool verifying = false;
    bool hideCursor = false;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    LRESULT OnCreate(const Msg& msg);
    LRESULT OnSysCommand(const Msg& msg);
    LRESULT OnSetCursor(const Msg& msg);
    LRESULT OnNcActivate(const Msg& msg);
    LRESULT OnActivate(const Msg& msg);
    LRESULT OnActivateApp(const Msg& msg);
    LRESULT OnCaptureChanged(const Msg& msg);
    LRESULT OnTakeBackInput(const Msg& msg);
    LRESULT OnMouseMove(const Msg& msg);
    LRESULT OnButtonDown(const Msg& msg);
    LRESULT OnSysKeyDown(const Msg& msg);
    LRESULT OnKeyDown(const Msg& msg);
    LRESULT OnClose(const Msg& msg);
    LRESULT OnTimer(const Msg& msg);
    LRESULT OnDestroy(const Msg& msg);
    // The primary screen's size changed, or monitors were added, removed or
    // moved: the window takes the new size, the movie its new place and the
    // covers follow.
    LRESULT OnDisplayChange(const Msg& msg);
    // Every power event is answered TRUE.
    LRESULT OnPowerBroadcast(WPARAM event);

private:
    void RequestClose() { PostMessage(WM_CLOSE); }
    void ForgetMouse() { mouseRef = POINT{-1, -1}; }
    // Asks, once until it is done, for the activation and the mouse capture
    // back after a window of this process took them.
    void TakeBackInput();
    // A window of this process other than this one.
    bool IsOtherOwnWindow(HWND wnd) const;

    bool takeBackPosted_ = false;
    bool destroying_ = false;

    // Keeps the password component loaded once it has been asked.
    Module passwordLibrary_;
    MonitorCovers covers_;
};
