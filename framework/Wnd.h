#pragma once
#include "Win32.h"

#include <cstddef>

// One window message as a handler receives it.
struct Msg {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    int x() const { return static_cast<short>(LOWORD(lParam)); }
    int y() const { return static_cast<short>(HIWORD(lParam)); }
};

// A window owned by a C++ object. `this` is stored at WM_NCCREATE; every
// message then goes through the virtual WindowProc, which derived classes
// override with a handler table (see DispatchTable). No exception leaves the
// system's window procedure.
class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND GetSafeHwnd() const { return m_hWnd; }
    static CWnd* FromHandle(HWND wnd);

    // Registers, once per process, a window class with these attributes and
    // returns its name.
    static const char* RegisterWndClass(UINT style, HCURSOR cursor, HBRUSH background, HICON icon);

    // false when the window could not be made.
    bool CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style,
                  const RECT& rect, HWND parent, HMENU menuOrId);
    bool DestroyWindow();
    void PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    HWND m_hWnd = nullptr;

protected:
    // The message handler of this class and its bases; unhandled messages go
    // to Default.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The system's processing of the message being handled.
    LRESULT Default();
    // Called after the last message; auto-deleting windows delete themselves here.
    virtual void PostNcDestroy() {}

private:
    static LRESULT CALLBACK StaticWndProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam);
    Msg current_{};
    // Messages of this window being handled, nested; PostNcDestroy waits
    // until the outermost one returns, so a window may destroy itself (and
    // its object) from inside a handler.
    int depth_ = 0;
    bool destroyed_ = false;
};

// One row of a window class's handler table.
template <class T>
struct MessageEntry {
    UINT message;
    LRESULT (T::*handler)(const Msg&);
};

// Calls the handler listed for `msg` and returns true, or returns false when
// the table has no row for it.
template <class T, std::size_t N>
bool DispatchTable(T* self, const MessageEntry<T> (&table)[N], const Msg& msg, LRESULT& result) {
    for (const MessageEntry<T>& entry : table) {
        if (entry.message == msg.message) {
            result = (self->*entry.handler)(msg);
            return true;
        }
    }
    return false;
}
