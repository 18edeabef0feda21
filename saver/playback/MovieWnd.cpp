#include "saver/playback/MovieWnd.h"

#include "saver/playback/MovieHost.h"
#include "saver/playback/SaverKeys.h"
#include "saver/settings/MediaItem.h"

namespace {
IntRect ToIntRect(const RECT& r) { return IntRect{r.left, r.top, r.right, r.bottom}; }
RECT ToRect(const IntRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

}  // namespace

BOOL MovieWnd::CreateChild(HWND parent, MovieHost& host) {
    host_ = &host;
    const char* cls = RegisterWndClass(CS_HREDRAW | CS_VREDRAW, nullptr, nullptr, nullptr);
    return CreateEx(WS_EX_TOPMOST, cls, "MovieWnd", WS_CHILD, RECT{0, 0, 100, 100}, parent, nullptr)
               ? TRUE
               : FALSE;
}

BOOL MovieWnd::Open(const MediaItem& item) {
    File = item.File;
    LoopInfinite = item.LoopInfinite;
    LoopsLeft = item.Loops;
    loops_ = item.Loops;
    Mute = item.Mute;
    Scale = item.Scale;
    Align = item.Align;
    Bounce = item.Bounce;
    Letterbox = item.Letterbox;
    const BOOL opened = OpenMedia();
    if (!opened) return 0;
    Place();
    if (!hidden_) {
        SetVolume(Mute ? 0 : 100);
        StartBouncing();
    }
    return opened;
}

void MovieWnd::StartBouncing() {
    if (Bounce != 1) return;
    InitBounce();
    ::SetTimer(m_hWnd, kBounceTimer, BounceInterval, nullptr);
}

BOOL MovieWnd::Show() {
    hidden_ = false;
    HWND display = GetParent(m_hWnd);
    // Shown without erasing: until the window draws its first picture the
    // screen keeps what was there, the last picture of the movie before.
    ShowWindow(m_hWnd, SW_SHOWNA);
    UpdateWindow(m_hWnd);
    InvalidateRect(display, nullptr, TRUE);
    SetFocus(m_hWnd);
    SetCursor(nullptr);
    SetVolume(Mute ? 0 : 100);
    StartBouncing();
    return Play();
}

bool MovieWnd::LastLoopEnded() {
    if (host_ == nullptr) {
        DestroyWindow();
        return false;
    }
    if (!host_->MovieFinished(*this)) return false;
    LoopsLeft = loops_;
    return true;
}

BOOL MovieWnd::SetVolume(int) {
    if (host_ != nullptr) host_->MovieMuted(Mute);
    return 1;
}

RECT MovieWnd::DisplayRect() const {
    RECT r{0, 0, 0, 0};
    GetWindowRect(GetParent(m_hWnd), &r);
    return r;
}

void MovieWnd::FitRatio(unsigned& num, unsigned& den) {
    const RECT p = DisplayRect();
    const IntRect own = NormaliseNatural(ToIntRect(NaturalRect));
    const Fraction f = ::FitRatio(static_cast<uint32_t>(own.right), static_cast<uint32_t>(own.bottom),
                                  p.right, p.bottom, Letterbox != 0);
    num = f.num;
    den = f.den;
}

RECT MovieWnd::ComputeSize() {
    NaturalRect = ToRect(NormaliseNatural(ToIntRect(NaturalRect)));
    const RECT p = DisplayRect();
    return ToRect(::ComputeSize(ToIntRect(NaturalRect), Scale, Letterbox != 0, p.right, p.bottom));
}

void MovieWnd::Place() {
    const RECT p = DisplayRect();
    HWND display = GetParent(m_hWnd);
    if (!hidden_) InvalidateRect(display, nullptr, TRUE);
    const RECT size = ComputeSize();
    const IntPoint at = ::Place(Align, p.right, p.bottom, size.right, size.bottom);
    EnableWindow(m_hWnd, TRUE);
    MoveWindow(m_hWnd, at.x, at.y, size.right, size.bottom, hidden_ ? FALSE : TRUE);
    if (hidden_) return;
    ShowWindow(m_hWnd, SW_SHOW);
    SetFocus(m_hWnd);
    SetCursor(nullptr);
}

void MovieWnd::ArmPlayDeadline(bool known, uint32_t lengthMs) {
    DisarmPlayDeadline();
    if (LoopInfinite == 1 || !known) return;
    const uint64_t deadline = static_cast<uint64_t>(lengthMs) + kPlayMarginMs;
    ::SetTimer(m_hWnd, kDeadlineTimer, deadline < USER_TIMER_MAXIMUM ? static_cast<UINT>(deadline) : USER_TIMER_MAXIMUM,
               nullptr);
}

void MovieWnd::DisarmPlayDeadline() { ::KillTimer(m_hWnd, kDeadlineTimer); }

void MovieWnd::NewVelocity(BOOL horizontal) { ::NewVelocity(velocity, horizontal != 0, random_); }

void MovieWnd::InitBounce() {
    NewVelocity(FALSE);
    NewVelocity(TRUE);
}

BOOL MovieWnd::OutOfBoundsVertical(const RECT& display, const RECT& window) const {
    return ::OutOfBoundsVertical(ToIntRect(display), ToIntRect(window));
}

BOOL MovieWnd::OutOfBoundsHorizontal(const RECT& display, const RECT& window) const {
    return ::OutOfBoundsHorizontal(ToIntRect(display), ToIntRect(window));
}

void MovieWnd::BounceOnce() {
    RECT w{};
    GetWindowRect(m_hWnd, &w);
    const RECT p = DisplayRect();
    const IntRect display = ToIntRect(p);
    const IntRect moved = BounceStep(display, ToIntRect(w), velocity, random_);
    // Screen and display coordinates agree: the display window starts at the origin.
    MoveWindow(m_hWnd, moved.left, moved.top, moved.Width(), moved.Height(), TRUE);
    const BounceStrips strips = StripsAround(display, moved);
    HWND parent = GetParent(m_hWnd);
    const RECT above = ToRect(strips.above);
    const RECT below = ToRect(strips.below);
    InvalidateRect(parent, &above, TRUE);
    InvalidateRect(parent, &below, TRUE);
}

LRESULT MovieWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    static const MessageEntry<MovieWnd> kHandlers[] = {
        {WM_KEYDOWN, &MovieWnd::OnKeyDown},     {WM_SYSKEYDOWN, &MovieWnd::OnSysKeyDown},
        {WM_SETCURSOR, &MovieWnd::OnSetCursor}, {WM_TIMER, &MovieWnd::OnTimer},
        {WM_DESTROY, &MovieWnd::OnDestroy},
    };
    LRESULT result = 0;
    if (DispatchTable(this, kHandlers, Msg{message, wParam, lParam}, result)) return result;
    return Default();
}

void MovieWnd::ForwardKey(const Msg& msg) const {
    const auto packed = PackKeyParam(LOWORD(msg.lParam), HIWORD(msg.lParam));
    ::PostMessageA(GetParent(m_hWnd), msg.message, msg.wParam, static_cast<LPARAM>(packed));
}

LRESULT MovieWnd::OnKeyDown(const Msg& msg) {
    const MovieKeyPlan plan = PlanMovieKey(static_cast<uint32_t>(msg.wParam), Mute != 0);
    if (plan.toggleMute) {
        Mute = Mute != 0 ? 0 : 1;
        SetVolume(Mute != 0 ? 0 : 100);
    }
    if (plan.applyGlobals && host_ != nullptr) host_->FollowGlobalMute();
    if (plan.destroy) {
        if (host_ != nullptr) {
            for (int i = 0; i < plan.stepBacks; ++i) host_->StepBack();
        }
        DestroyWindow();  // its end posts UM_NEXTMOVIE
        return 0;
    }
    const LRESULT result = Default();
    ForwardKey(msg);
    return result;
}

LRESULT MovieWnd::OnSysKeyDown(const Msg& msg) {
    ForwardKey(msg);
    return 0;
}

LRESULT MovieWnd::OnSetCursor(const Msg&) {
    SetCursor(nullptr);
    return TRUE;
}

LRESULT MovieWnd::OnTimer(const Msg& msg) {
    if (msg.wParam == kBounceTimer) BounceOnce();
    return Default();
}

LRESULT MovieWnd::OnDestroy(const Msg&) {
    Default();
    if (Bounce == 1) ::KillTimer(m_hWnd, kBounceTimer);
    if (MovieState == kPlaying || MovieState == kPaused) Stop();
    if (IsOpen()) Close();
    if (host_ != nullptr) host_->MovieEnded(*this);
    return 0;
}
