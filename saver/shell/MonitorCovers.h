#pragma once
#include <memory>
#include <vector>

#include "framework/Wnd.h"
#include "saver/playback/MovieGeometry.h"

// A black, topmost, borderless window over one monitor besides the primary
// screen, owned by the full-screen window, so it goes when its owner goes.
// It never takes the activation or the focus. While its owner is enabled,
// the mouse moves and button presses it receives go on to the owner in the
// owner's coordinates, and the owner decides the cursor over it.
class MonitorCoverWnd : public CWnd {
public:
    // Shows the window over `monitor` without activating it; false when it
    // cannot be made.
    bool Create(HWND owner, const IntRect& monitor);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT OnMouseActivate(const Msg& msg);
    LRESULT OnSetCursor(const Msg& msg);
    LRESULT OnMouseInput(const Msg& msg);

    HWND owner_ = nullptr;
};

// The cover windows of every monitor but the primary screen. With one
// monitor, or on a system without the monitor calls, there are none.
class MonitorCovers {
public:
    MonitorCovers() = default;
    MonitorCovers(const MonitorCovers&) = delete;
    MonitorCovers& operator=(const MonitorCovers&) = delete;

    // Replaces the covers with one for each monitor the system reports now
    // that does not overlap `owner`'s window; returns how many it made.
    size_t Cover(HWND owner);
    // Destroys every cover window still up.
    void Clear();
    size_t Count() const { return windows_.size(); }

private:
    std::vector<std::unique_ptr<MonitorCoverWnd>> windows_;
};
