#include "saver/shell/MonitorCovers.h"

#include "saver/shell/MonitorLayout.h"

namespace {
// Bound at run time: Windows 95 and NT 4.0 have neither call, and there is
// only one monitor there.
using EnumDisplayMonitorsFn = BOOL(WINAPI*)(HDC, LPCRECT, MONITORENUMPROC, LPARAM);
using GetMonitorInfoFn = BOOL(WINAPI*)(HMONITOR, LPMONITORINFO);

struct MonitorList {
    GetMonitorInfoFn info = nullptr;
    std::vector<IntRect> rects;
};

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM param) {
    auto* list = reinterpret_cast<MonitorList*>(param);
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    if (list->info(monitor, &mi)) {
        list->rects.push_back(IntRect{mi.rcMonitor.left, mi.rcMonitor.top, mi.rcMonitor.right, mi.rcMonitor.bottom});
    }
    return TRUE;
}

std::vector<IntRect> SystemMonitors() {
    MonitorList list;
    HMODULE user = GetModuleHandleA("user32.dll");
    if (user == nullptr) return list.rects;
    auto enumerate = reinterpret_cast<EnumDisplayMonitorsFn>(
        reinterpret_cast<void*>(GetProcAddress(user, "EnumDisplayMonitors")));
    list.info = reinterpret_cast<GetMonitorInfoFn>(reinterpret_cast<void*>(GetProcAddress(user, "GetMonitorInfoA")));
    if (enumerate == nullptr || list.info == nullptr) return list.rects;
    enumerate(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&list));
    return list.rects;
}
}  // namespace

bool MonitorCoverWnd::Create(HWND owner, const IntRect& monitor) {
    owner_ = owner;
    // The class arrow shows only while the owner lets the cursor be seen.
    const char* cls = RegisterWndClass(0, LoadCursor(nullptr, IDC_ARROW),
                                       static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)), nullptr);
    const RECT rect{monitor.left, monitor.top, monitor.right, monitor.bottom};
    if (!CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, cls, "", WS_POPUP, rect, owner, nullptr)) {
        return false;
    }
    SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    UpdateWindow(m_hWnd);
    return true;
}

LRESULT MonitorCoverWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    static const MessageEntry<MonitorCoverWnd> kHandlers[] = {
        {WM_MOUSEACTIVATE, &MonitorCoverWnd::OnMouseActivate},
        {WM_SETCURSOR, &MonitorCoverWnd::OnSetCursor},
        {WM_MOUSEMOVE, &MonitorCoverWnd::OnMouseInput},
        {WM_LBUTTONDOWN, &MonitorCoverWnd::OnMouseInput},
        {WM_RBUTTONDOWN, &MonitorCoverWnd::OnMouseInput},
        {WM_MBUTTONDOWN, &MonitorCoverWnd::OnMouseInput},
    };
    LRESULT result = 0;
    if (DispatchTable(this, kHandlers, Msg{message, wParam, lParam}, result)) return result;
    return CWnd::WindowProc(message, wParam, lParam);
}

LRESULT MonitorCoverWnd::OnMouseActivate(const Msg&) {
    // A click here must not take the activation from the full-screen window.
    return MA_NOACTIVATE;
}

LRESULT MonitorCoverWnd::OnSetCursor(const Msg& msg) {
    if (SendMessageA(owner_, WM_SETCURSOR, reinterpret_cast<WPARAM>(owner_), msg.lParam)) return TRUE;
    return Default();
}

LRESULT MonitorCoverWnd::OnMouseInput(const Msg& msg) {
    // A disabled owner (the password dialog is up) takes no input.
    if (!IsWindowEnabled(owner_)) return 0;
    POINT at{msg.x(), msg.y()};
    MapWindowPoints(m_hWnd, owner_, &at, 1);
    SendMessageA(owner_, msg.message, msg.wParam, MAKELPARAM(at.x, at.y));
    return 0;
}

size_t MonitorCovers::Cover(HWND owner) {
    Clear();
    RECT own{};
    GetWindowRect(owner, &own);
    const IntRect primary{own.left, own.top, own.right, own.bottom};
    for (const IntRect& monitor : MonitorsToCover(SystemMonitors(), primary)) {
        auto cover = std::make_unique<MonitorCoverWnd>();
        if (cover->Create(owner, monitor)) windows_.push_back(std::move(cover));
    }
    return windows_.size();
}

void MonitorCovers::Clear() {
    // Each object destroys its window if the owner's end has not already.
    windows_.clear();
}
