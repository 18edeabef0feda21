#pragma once
#include "saver/playback/MovieWnd.h"

// The placeholder shown when the playlist is empty: the logo bitmap with the
// text "The playlist is currently empty." under it, in a 350 x 250 window
// that bounces and never ends by itself.
class LogoMovieWnd : public MovieWnd {
public:
    static constexpr int kWidth = 350;
    static constexpr int kHeight = 250;

    LogoMovieWnd() { Bounce = 1; }

    void Close() override {}
    // Paints the window at once; always 1.
    BOOL Play() override;
    BOOL Pause() override { return 1; }
    BOOL Stop() override { return 1; }
    BOOL Rewind() override { return 1; }
    BOOL SetVolume(int) override { return 1; }
    PlayerKind Kind() const override { return PlayerKind::Logo; }
    // Nothing to open: 1, with MovieState left kClosed.
    BOOL OpenMedia() override { return 1; }
    void Place() override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnPaint(const Msg& msg);
};
