#pragma once
#include <string>

#include "framework/Wnd.h"
#include "saver/playback/MovieGeometry.h"
#include "saver/playback/PlaylistSequencer.h"
#include "saver/playback/RandomSource.h"

class MediaItem;
class MovieHost;

// The base of the movie windows: a borderless child of the display window
// that carries one playlist item from opening to the end of its last loop. It
// sizes, aligns, letterboxes and bounces itself, hides the cursor, hands keys
// on to the display window and, when destroyed, tells the display window to
// go on with UM_NEXTMOVIE. The object deletes itself once its window is gone.
class MovieWnd : public CWnd {
public:
    MovieWnd() { SetAutoDelete(true); }

    // Creates the window hidden, 100 x 100 at (0, 0), as a child of `parent`,
    // which it asks for what it needs through `host` (the parent's, outliving
    // this window). 0 when it could not be made; the caller then deletes the
    // object.
    virtual BOOL CreateChild(HWND parent, MovieHost& host);
    // Takes over the item's settings, opens the media, places the window,
    // sets the sound and starts bouncing. 0 when the media cannot be opened.
    // After KeepHidden the window is only sized and moved to its place; Show
    // does the rest.
    virtual BOOL Open(const MediaItem& item);
    // The next Open readies the movie for Show: the window stays hidden, the
    // display is not repainted, the sound is left as it is and the host is
    // not told the movie's mute state, and nothing plays, so nothing of it is
    // seen or heard before Show.
    void KeepHidden() { hidden_ = true; }
    bool IsHidden() const { return hidden_; }
    // Puts a movie opened hidden on the screen and starts it: the window
    // comes up over whatever is under it and draws its first picture at
    // once, the display repaints black around it, the sound is set, the
    // bouncing starts, then Play. 0 when Play refuses.
    virtual BOOL Show();
    virtual BOOL IsOpen() const { return MovieState != kClosed; }
    virtual int CurrentVolume() const { return Volume; }
    virtual BOOL IsMuted() const { return Mute; }
    virtual unsigned GetLoopsLeft() const { return LoopsLeft; }
    virtual void SetLoopsLeft(unsigned n) { LoopsLeft = n; }
    virtual void Close() = 0;
    // Starts playing; 0 when the player refuses.
    virtual BOOL Play() = 0;
    virtual BOOL Pause() = 0;
    virtual BOOL Stop() = 0;
    virtual BOOL Rewind() = 0;
    // Sound off (0) or on (100); the base tells the host the mute state and
    // returns 1.
    virtual BOOL SetVolume(int level);
    virtual PlayerKind Kind() const = 0;
    // Opens File, sets NaturalRect and MovieState kOpen; 0 when it cannot.
    virtual BOOL OpenMedia() = 0;
    // Sizes, aligns, moves and shows the window, gives it the focus and hides
    // the cursor.
    virtual void Place();
    // The movie rectangle at the origin for the display it is shown on.
    virtual RECT ComputeSize();
    virtual void FitRatio(unsigned& num, unsigned& den);
    virtual void NewVelocity(BOOL horizontal);
    virtual void InitBounce();
    virtual BOOL OutOfBoundsVertical(const RECT& display, const RECT& window) const;
    virtual BOOL OutOfBoundsHorizontal(const RECT& display, const RECT& window) const;

    unsigned BounceInterval = 100;
    // Where the movie is between opening and closing.
    enum State : int {
        kClosed = 0,
        kOpen = 1,  // opened, or stopped
        kPlaying = 2,
        kPaused = 3,
    };
    State MovieState = kClosed;
    int Volume = 100;
    RECT NaturalRect{0, 0, 0, 0};
    std::string File;
    ScaleMode Scale = ScaleUseGlobal;
    unsigned LoopsLeft = 1;
    int LoopInfinite = 0;
    int Mute = 0;
    AlignMode Align = AlignCenter;
    int Bounce = 0;
    int Letterbox = 1;
    Velocity velocity;

    // Every timer of a movie window, whatever its kind.
    enum Timer : UINT_PTR {
        kBounceTimer = 7,    // every BounceInterval ms while bouncing: one step
        kDeadlineTimer = 8,  // a play that never told its end is over
    };

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    LRESULT OnKeyDown(const Msg& msg);
    LRESULT OnSysKeyDown(const Msg& msg);
    LRESULT OnSetCursor(const Msg& msg);
    LRESULT OnTimer(const Msg& msg);
    LRESULT OnDestroy(const Msg& msg);

    // The display window's rectangle on the screen.
    RECT DisplayRect() const;
    // A play not over by `lengthMs` plus kPlayMarginMs is over as if it had
    // told its end: a device or a graph can accept a play and then never end
    // it nor report an error. A play repeating for ever, or of a length that
    // cannot be told (`known` false), waits for its end alone.
    void ArmPlayDeadline(bool known, uint32_t lengthMs);
    void DisarmPlayDeadline();
    static constexpr uint32_t kPlayMarginMs = 3000;

    // Hands a key message on to the display window, with the repeat count in
    // the low and the key flags in the high 16 bits.
    void ForwardKey(const Msg& msg) const;

    // The last loop has ended. True when the same item follows itself: the
    // loops are counted afresh and the caller plays again from the start.
    // Otherwise the window is gone when this returns (its object with it).
    bool LastLoopEnded();

private:
    void StartBouncing();

    // One bounce step: move within the display, repaint the strips around.
    void BounceOnce();

    StdRandom random_;
    MovieHost* host_ = nullptr;
    bool hidden_ = false;
    unsigned loops_ = 1;  // the item's Loops, for a play again from the start
};
