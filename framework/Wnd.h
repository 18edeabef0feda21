#pragma once
#include "framework/Win32.h"

#include <cstddef>

// One window message as a handler receives it, with its parameters unpacked.
struct Msg {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    // Mouse messages: the position in client coordinates.
    int x() const { return static_cast<short>(LOWORD(lParam)); }
    int y() const { return static_cast<short>(HIWORD(lParam)); }
    // WM_COMMAND: the command or control id, the notification code (0 for a
    // menu, 1 for an accelerator) and the control that sent it (null for both).
    int id() const { return LOWORD(wParam); }
    UINT code() const { return HIWORD(wParam); }
    HWND control() const { return reinterpret_cast<HWND>(lParam); }
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

    // With auto-delete on, the object deletes itself after its window is
    // gone. A window whose creation failed leaves the object to its creator,
    // so a false return from CreateEx always means "delete it yourself".
    void SetAutoDelete(bool autoDelete) { autoDelete_ = autoDelete; }
    bool AutoDelete() const { return autoDelete_; }

    HWND m_hWnd = nullptr;

protected:
    // The message handler of this class and its bases; unhandled messages go
    // to Default.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The system's processing of the message being handled.
    LRESULT Default();
    // What Default does with a message: DefWindowProcA for a window.
    virtual LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Called after the last message; deletes an auto-deleting object.
    virtual void PostNcDestroy();
    // Called when a handler threw; the message then counts as handled with
    // result 0. Nothing by default.
    virtual void OnHandlerException() {}

    // Ties `wnd` to this object, so FromHandle finds it.
    void Attach(HWND wnd);
    // A window of this object was made (CreateEx or a dialog's creation).
    void MarkCreated() { created_ = true; }
    // Runs one message through self's WindowProc: the current message for
    // Default, nesting, exception guard, and the end of the window at
    // WM_NCDESTROY (PostNcDestroy may delete `self`; do not touch it after).
    // `defaulted` tells whether the handler passed the message to Default.
    static LRESULT Route(CWnd* self, HWND wnd, UINT message, WPARAM wParam, LPARAM lParam,
                         bool& defaulted);

private:
    static LRESULT CALLBACK StaticWndProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam);
    Msg current_{};
    bool defaulted_ = false;
    // Messages of this window being handled, nested; PostNcDestroy waits
    // until the outermost one returns, so a window may destroy itself (and
    // its object) from inside a handler.
    int depth_ = 0;
    bool destroyed_ = false;
    bool autoDelete_ = false;
    bool created_ = false;
};

// One row of a window or dialog class's handler table: either a window
// message with its handler, or a command row, a control id with its
// notification code (BN_CLICKED, LBN_DBLCLK, EN_CHANGE, ...) and a handler
// that needs nothing more:
//     {WM_TIMER, &ConfigDialog::OnTimer},
//     {IDC_ADD, BN_CLICKED, &ConfigDialog::OnAdd},
template <class T>
struct MessageEntry {
    using MessageHandler = LRESULT (T::*)(const Msg&);
    using CommandHandler = void (T::*)();

    constexpr MessageEntry(UINT msg, MessageHandler handle) : message(msg), handler(handle) {}
    constexpr MessageEntry(int commandId, UINT notifyCode, CommandHandler handle)
        : message(WM_COMMAND), id(commandId), code(notifyCode), command(handle) {}

    bool Matches(const Msg& msg) const {
        if (msg.message != message) return false;
        return command == nullptr || (msg.id() == id && msg.code() == code);
    }

    UINT message;
    int id = 0;
    UINT code = 0;
    MessageHandler handler = nullptr;
    CommandHandler command = nullptr;
};

// Calls the handler of the first row that matches `msg` and returns true, or
// returns false when no row does. A command row's result is 0.
template <class T, std::size_t N>
bool DispatchTable(T* self, const MessageEntry<T> (&table)[N], const Msg& msg, LRESULT& result) {
    for (const MessageEntry<T>& entry : table) {
        if (!entry.Matches(msg)) continue;
        if (entry.command != nullptr) {
            (self->*entry.command)();
            result = 0;
        } else {
            result = (self->*entry.handler)(msg);
        }
        return true;
    }
    return false;
}
