#include "framework/Wnd.h"

#include <cstdio>
#include <map>
#include <string>
#include <tuple>

#include "framework/WinApp.h"

namespace {
const char kThisProperty[] = "PelorWndThis";
}

CWnd::~CWnd() {
    if (m_hWnd != nullptr && IsWindow(m_hWnd)) {
        RemovePropA(m_hWnd, kThisProperty);
        ::DestroyWindow(m_hWnd);
    }
}

CWnd* CWnd::FromHandle(HWND wnd) {
    return wnd != nullptr ? static_cast<CWnd*>(GetPropA(wnd, kThisProperty)) : nullptr;
}

const char* CWnd::RegisterWndClass(UINT style, HCURSOR cursor, HBRUSH background, HICON icon) {
    // One class per attribute set, as the framework names them; registered
    // once per process and kept until the process ends.
    static std::map<std::tuple<UINT, HCURSOR, HBRUSH, HICON>, std::string> registered;
    const auto key = std::make_tuple(style, cursor, background, icon);
    auto found = registered.find(key);
    if (found != registered.end()) return found->second.c_str();

    char name[64];
    std::snprintf(name, sizeof name, "PelorWnd:%x:%p:%p:%p", style, static_cast<void*>(cursor),
                  static_cast<void*>(background), static_cast<void*>(icon));
    WNDCLASSA wc{};
    wc.style = style;
    wc.lpfnWndProc = &CWnd::StaticWndProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.hIcon = icon;
    wc.lpszClassName = name;
    if (RegisterClassA(&wc) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return nullptr;
    return registered.emplace(key, name).first->second.c_str();
}

bool CWnd::CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style,
                    const RECT& rect, HWND parent, HMENU menuOrId) {
    if (className == nullptr) return false;
    HWND made = CreateWindowExA(exStyle, className, windowName, style, rect.left, rect.top,
                                rect.right - rect.left, rect.bottom - rect.top, parent, menuOrId,
                                GetModuleHandleA(nullptr), this);
    if (made != nullptr) created_ = true;
    return made != nullptr;
}

bool CWnd::DestroyWindow() { return m_hWnd != nullptr && ::DestroyWindow(m_hWnd) != FALSE; }

void CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    ::PostMessageA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT, WPARAM, LPARAM) { return Default(); }

LRESULT CWnd::Default() {
    defaulted_ = true;
    return DefaultProc(current_.message, current_.wParam, current_.lParam);
}

LRESULT CWnd::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(m_hWnd, message, wParam, lParam);
}

void CWnd::PostNcDestroy() {
    // A window that never came to be leaves the object to its creator.
    if (autoDelete_ && created_) delete this;
}

void CWnd::Attach(HWND wnd) {
    m_hWnd = wnd;
    SetPropA(wnd, kThisProperty, this);
}

LRESULT CALLBACK CWnd::StaticWndProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* self = FromHandle(wnd);
    if (self == nullptr && message == WM_NCCREATE) {
        self = static_cast<CWnd*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        if (self != nullptr) self->Attach(wnd);
    }
    if (self == nullptr) return DefWindowProcA(wnd, message, wParam, lParam);
    bool defaulted = false;
    return Route(self, wnd, message, wParam, lParam, defaulted);
}

LRESULT CWnd::Route(CWnd* self, HWND wnd, UINT message, WPARAM wParam, LPARAM lParam,
                    bool& defaulted) {
    const Msg saved = self->current_;
    const bool savedDefaulted = self->defaulted_;
    self->current_ = Msg{message, wParam, lParam};
    self->defaulted_ = false;
    ++self->depth_;
    LRESULT result = 0;
    try {
        result = self->WindowProc(message, wParam, lParam);
    } catch (...) {
        // Nothing may unwind into the system; the message counts as handled.
        result = 0;
        self->defaulted_ = false;
        try {
            self->OnHandlerException();
        } catch (...) {
        }
    }
    defaulted = self->defaulted_;
    self->current_ = saved;
    self->defaulted_ = savedDefaulted;

    if (message == WM_NCDESTROY) {
        RemovePropA(wnd, kThisProperty);
        self->m_hWnd = nullptr;
        CWinApp* app = CWinApp::Get();
        if (app != nullptr && app->m_pMainWnd == self) {
            // The loop ends once the main window is gone.
            app->m_pMainWnd = nullptr;
            PostQuitMessage(0);
        }
        self->destroyed_ = true;
    }
    if (--self->depth_ == 0 && self->destroyed_) {
        self->destroyed_ = false;
        self->PostNcDestroy();
    }
    return result;
}
