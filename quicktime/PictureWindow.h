#pragma once
#include <windows.h>

// What a picture window shows and what it does on each tick of its timer.
class PictureSource {
public:
    virtual void PaintPicture(HDC dc, const RECT& area) = 0;
    // Called on every tick, on the thread that made the window; true when
    // the window should be painted again.
    virtual bool Tick() = 0;

protected:
    ~PictureSource() = default;
};

// A child window of the library's own over the caller's window: it shows the
// latest frame of a movie and gives the movie a tick every 30 ms on the
// caller's thread, shown or not. Clicks go through it to the caller's window.
class PictureWindow {
public:
    PictureWindow() = default;
    ~PictureWindow() { Destroy(); }
    PictureWindow(const PictureWindow&) = delete;
    PictureWindow& operator=(const PictureWindow&) = delete;

    // Made hidden, at no size; false when the window cannot be made.
    bool Create(HWND parent, PictureSource* source);
    void Destroy();
    void ShowAt(int left, int top, int width, int height);
    void Hide();
    HWND Handle() const { return wnd_; }

    // The window class goes with the library.
    static void UnregisterWindowClass();

private:
    static LRESULT CALLBACK Proc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND wnd_ = nullptr;
};
