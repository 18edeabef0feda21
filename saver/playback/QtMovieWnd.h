#pragma once
#include <cstdint>

#include "saver/playback/MovieWnd.h"
#include "saver/playback/QuickTimeSession.h"

// Plays a "PELORQT" item named .MOV or .QT through the QuickTime library. The
// controller draws the movie into this window and gets its time from the
// messages the window offers it; the end of each play arrives through the end
// callback, from inside that offer.
class QtMovieWnd : public MovieWnd {
public:
    // Plays through `session`, which outlives the window; OpenMedia fails
    // when QuickTime is not ready.
    explicit QtMovieWnd(QuickTimeSession& session);

    // The operations below do nothing and return 0 while QuickTime is not
    // ready or no movie is open.
    void Close() override;
    BOOL Play() override;
    BOOL Pause() override;
    BOOL Stop() override;
    BOOL Rewind() override;
    BOOL SetVolume(int level) override;
    PlayerKind Kind() const override { return PlayerKind::QuickTime; }
    // 0 when QuickTime is not ready, the path is over 255 characters, or the
    // file cannot be opened or made into a movie with a controller.
    BOOL OpenMedia() override;
    // Places the window and rebuilds the controller at its client rectangle.
    void Place() override;

    virtual void DisarmEndCallback();
    virtual void ArmEndCallback();
    // 1 when the last loop has ended and the window is asked to close.
    virtual int CheckEnd();

    // Each given back by Close, or by the owner on an early return.
    QtMovieOwner Movie;
    QtControllerOwner Controller;
    QtPortOwner Port;
    intptr_t EndCallback = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnPaint(const Msg& msg);
    // The play deadline: a movie that never ends is over after its length.
    LRESULT OnTimer(const Msg& msg);
    // The close the last loop's end asked for: the host shows what follows,
    // or the movie plays again when its item follows itself. Any other close
    // destroys the window.
    LRESULT OnClose(const Msg& msg);

private:
    static void EndCallbackProc(intptr_t callback, intptr_t refCon);
    // QuickTime ready and a movie open.
    bool Ready() const { return session_.QuickTimeReady != 0 && IsOpen(); }
    QuickTimeBinding& Library() const { return session_.Library(); }
    // Counts one play down: plays again with the sound as the item has it,
    // or asks the window to close after the last; 1 when it closes.
    int EndOfPlay();
    // From the start again, with the sound as the item has it.
    void PlayAgain();
    // The movie's length in milliseconds; false when the library cannot tell.
    bool LengthMs(uint32_t& length);

    QuickTimeSession& session_;
    bool endPosted_ = false;  // WM_CLOSE was posted by the last loop's end
};
