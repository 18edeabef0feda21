#include "saver/playback/QtMovieWnd.h"

#include <cstdint>
#include <cstring>

#include "framework/Handles.h"
#include "quicktime/QtRecords.h"
#include "saver/playback/QuickTimeBinding.h"

namespace {
constexpr int32_t kControllerFlags = 11;
constexpr int32_t kEndCallbackType = 4;

QtRect ClientRect(HWND wnd) {
    RECT r{0, 0, 0, 0};
    GetClientRect(wnd, &r);
    return QtRect{static_cast<int16_t>(r.top), static_cast<int16_t>(r.left), static_cast<int16_t>(r.bottom),
                  static_cast<int16_t>(r.right)};
}
}  // namespace

QtMovieWnd::QtMovieWnd() {
    if (QuickTimeReady == 0) StartQuickTime();
}

BOOL QtMovieWnd::OpenMedia() {
    if (QuickTimeReady == 0) return 0;
    if (IsOpen()) Close();
    QuickTimeBinding& qt = QuickTime();

    // The library takes a length-prefixed path, so 255 characters at most.
    if (File.size() > 255) return 0;
    char path[256];
    std::memcpy(path, File.c_str(), File.size() + 1);
    qt.CToPascalString(path);
    QtFileSpec spec{};
    qt.MakeFileSpec(reinterpret_cast<const unsigned char*>(path), &spec);

    const intptr_t window = reinterpret_cast<intptr_t>(m_hWnd);
    qt.CreatePortAssociation(window);
    Port = qt.NativeWindowPort(window);
    qt.SetPort(Port);

    intptr_t file = 0;
    if (static_cast<int16_t>(qt.OpenMovieFile(&spec, &file, 1)) != 0) {
        qt.DestroyPortAssociation(Port);
        return 0;
    }
    intptr_t movie = 0;
    const int16_t made = static_cast<int16_t>(qt.NewMovieFromFile(&movie, file, 1));
    qt.CloseMovieFile(file);
    if (made != 0) {
        qt.DestroyPortAssociation(Port);
        return 0;
    }
    Movie = movie;

    QtRect box{0, 0, 0, 0};
    qt.MovieBox(Movie, &box);
    NaturalRect = RECT{box.left, box.top, box.right, box.bottom};

    Controller = qt.NewMovieController(Movie, &box, kControllerFlags);
    if (Controller == 0) {
        qt.DisposeMovie(Movie);
        Movie = 0;
        qt.DestroyPortAssociation(Port);
        return 0;
    }
    MovieState = kOpen;
    ArmEndCallback();
    return 1;
}

void QtMovieWnd::Close() {
    if (!Ready()) return;
    QuickTimeBinding& qt = QuickTime();
    MovieState = kClosed;
    DisarmEndCallback();
    qt.DisposeMovieController(Controller);
    Controller = 0;
    qt.DisposeMovie(Movie);
    Movie = 0;
    qt.DestroyPortAssociation(Port);
}

BOOL QtMovieWnd::Play() {
    if (!Ready()) return 0;
    if (LoopInfinite == 1) QuickTime().ControllerDoAction(Controller, kQtActionSetLooping, 1);
    QuickTime().StartMovie(Movie);
    MovieState = kPlaying;
    InvalidateRect(m_hWnd, nullptr, TRUE);
    uint32_t length = 0;
    const bool known = LengthMs(length);
    ArmPlayDeadline(known, length);
    return 1;
}

BOOL QtMovieWnd::Pause() {
    if (!Ready()) return 0;
    QuickTime().StopMovie(Movie);
    DisarmPlayDeadline();
    MovieState = kPaused;
    return 1;
}

BOOL QtMovieWnd::Stop() {
    if (!Ready()) return 0;
    Pause();
    Rewind();
    MovieState = kOpen;
    return 1;
}

BOOL QtMovieWnd::Rewind() {
    if (!Ready()) return 0;
    QuickTime().GoToBeginningOfMovie(Movie);
    return 1;
}

BOOL QtMovieWnd::SetVolume(int level) {
    if (!Ready()) return 0;
    MovieWnd::SetVolume(level);
    // A negative level is silent and keeps the level to come back to. The
    // movie hands back the level it was last given, which is negative once
    // muted: the sign alone says muted, so a mute never turns into sound and
    // an unmute never stays silent.
    const int read = static_cast<int16_t>(QuickTime().MovieVolume(Movie));
    const int magnitude = read < 0 ? (read < -INT16_MAX ? INT16_MAX : -read) : read;
    const int16_t v = static_cast<int16_t>(level == 0 ? -magnitude : magnitude);
    Volume = v;
    const intptr_t done = QuickTime().ControllerDoAction(Controller, kQtActionSetVolume, v);
    MovieWnd::SetVolume(level);
    return done == 0;
}

void QtMovieWnd::Place() {
    if (!Ready()) return;
    MovieWnd::Place();
    const QtRect rect = ClientRect(m_hWnd);
    QuickTimeBinding& qt = QuickTime();
    qt.DisposeMovieController(Controller);
    Controller = qt.NewMovieController(Movie, &rect, kControllerFlags);
    if (Controller == 0) {
        // The callback is armed on the movie: it goes with it, so it can
        // never reach a disposed movie.
        DisposeMovie();
        MovieState = kClosed;
        qt.DestroyPortAssociation(Port);
    }
}

void QtMovieWnd::DisposeMovie() {
    DisarmEndCallback();
    QuickTime().DisposeMovie(Movie);
    Movie = 0;
}

void QtMovieWnd::ArmEndCallback() {
    QuickTimeBinding& qt = QuickTime();
    const intptr_t timeBase = qt.MovieTimeBase(Movie);
    EndCallback = qt.NewCallBack(timeBase, kEndCallbackType);
    qt.CallMeWhen(EndCallback, reinterpret_cast<intptr_t>(&EndCallbackProc), reinterpret_cast<intptr_t>(this));
}

void QtMovieWnd::DisarmEndCallback() {
    if (EndCallback == 0) return;
    QuickTime().DisposeCallBack(EndCallback);
    EndCallback = 0;
}

void QtMovieWnd::EndCallbackProc(intptr_t, intptr_t refCon) {
    auto* self = reinterpret_cast<QtMovieWnd*>(refCon);
    self->DisarmEndCallback();
    if (self->CheckEnd() == 0 && self->Ready()) self->ArmEndCallback();
}

bool QtMovieWnd::LengthMs(uint32_t& length) {
    const int64_t scale = static_cast<int32_t>(QuickTime().MovieTimeScale(Movie));
    const int64_t duration = static_cast<int32_t>(QuickTime().MovieDuration(Movie));
    if (scale <= 0 || duration <= 0) return false;
    const int64_t ms = duration * 1000 / scale;
    length = ms > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(ms);
    return true;
}

int QtMovieWnd::CheckEnd() {
    if ((QuickTime().IsMovieDone(Movie) & 0xFF) == 0) return 0;
    return EndOfPlay();
}

int QtMovieWnd::EndOfPlay() {
    if (LoopsLeft <= 1) {
        PostMessage(WM_CLOSE);
        return 1;
    }
    --LoopsLeft;
    Rewind();
    Play();
    SetVolume(Mute ? 0 : 100);
    return 0;
}

LRESULT QtMovieWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (Ready()) {
        const DWORD pos = GetMessagePos();
        const QtNativeMessage native{reinterpret_cast<intptr_t>(m_hWnd),
                                     message,
                                     wParam,
                                     lParam,
                                     static_cast<uint32_t>(GetMessageTime()),
                                     static_cast<int16_t>(LOWORD(pos)),
                                     static_cast<int16_t>(HIWORD(pos))};
        QtEventRecord event{};
        QuickTime().NativeEventToEvent(&native, &event);
        QuickTime().ControllerIsPlayerEvent(Controller, &event);
    }
    static const MessageEntry<QtMovieWnd> kHandlers[] = {
        {WM_PAINT, &QtMovieWnd::OnPaint},
        {WM_TIMER, &QtMovieWnd::OnTimer},
    };
    LRESULT result = 0;
    if (DispatchTable(this, kHandlers, Msg{message, wParam, lParam}, result)) return result;
    return MovieWnd::WindowProc(message, wParam, lParam);
}

LRESULT QtMovieWnd::OnPaint(const Msg&) {
    PaintDC paint(m_hWnd);
    if (Ready()) QuickTime().UpdateMovie(Movie);
    return 0;
}

LRESULT QtMovieWnd::OnTimer(const Msg& msg) {
    if (msg.wParam != kDeadlineTimer) return MovieWnd::WindowProc(msg.message, msg.wParam, msg.lParam);
    DisarmPlayDeadline();
    // The movie neither ended nor reported an error in time: it is over.
    if (Ready() && MovieState == kPlaying) {
        DisarmEndCallback();
        if (EndOfPlay() == 0 && Ready()) ArmEndCallback();
    }
    return 0;
}
