#include "saver/playback/QtMovieWnd.h"

#include <cstdint>
#include <cstring>
#include <utility>

#include "framework/Handles.h"
#include "quicktime/QtRecords.h"
#include "saver/playback/QuickTimeBinding.h"
#include "saver/playback/QuickTimeSession.h"

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

QtMovieWnd::QtMovieWnd(QuickTimeSession& session) : session_(session) {}

BOOL QtMovieWnd::OpenMedia() {
    if (session_.QuickTimeReady == 0) return 0;
    if (IsOpen()) Close();
    QuickTimeBinding& qt = Library();

    // The library takes a length-prefixed path, so 255 characters at most.
    if (File.size() > 255) return 0;
    char path[256];
    std::memcpy(path, File.c_str(), File.size() + 1);
    qt.CToPascalString(path);
    QtFileSpec spec{};
    qt.MakeFileSpec(reinterpret_cast<const unsigned char*>(path), &spec);

    // Each piece goes back to the library by itself on an early return.
    const intptr_t window = reinterpret_cast<intptr_t>(m_hWnd);
    qt.CreatePortAssociation(window);
    QtPortOwner port(qt, qt.NativeWindowPort(window));
    qt.SetPort(port.get());

    intptr_t opened = 0;
    if (static_cast<int16_t>(qt.OpenMovieFile(&spec, &opened, 1)) != 0) return 0;
    QtMovieFileOwner file(qt, opened);
    intptr_t made = 0;
    const int16_t error = static_cast<int16_t>(qt.NewMovieFromFile(&made, file.get(), 1));
    file.reset();
    if (error != 0) return 0;
    QtMovieOwner movie(qt, made);

    QtRect box{0, 0, 0, 0};
    qt.MovieBox(movie.get(), &box);
    NaturalRect = RECT{box.left, box.top, box.right, box.bottom};

    QtControllerOwner controller(qt, qt.NewMovieController(movie.get(), &box, kControllerFlags));
    if (!controller) return 0;
    Port = std::move(port);
    Movie = std::move(movie);
    Controller = std::move(controller);
    MovieState = kOpen;
    ArmEndCallback();
    return 1;
}

void QtMovieWnd::Close() {
    if (!Ready()) return;
    MovieState = kClosed;
    DisarmEndCallback();
    Controller.reset();
    Movie.reset();
    Port.reset();
}

BOOL QtMovieWnd::Play() {
    if (!Ready()) return 0;
    if (LoopInfinite == 1) Library().ControllerDoAction(Controller.get(), kQtActionSetLooping, 1);
    Library().StartMovie(Movie.get());
    MovieState = kPlaying;
    InvalidateRect(m_hWnd, nullptr, TRUE);
    uint32_t length = 0;
    const bool known = LengthMs(length);
    ArmPlayDeadline(known, length);
    return 1;
}

BOOL QtMovieWnd::Pause() {
    if (!Ready()) return 0;
    Library().StopMovie(Movie.get());
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
    Library().GoToBeginningOfMovie(Movie.get());
    return 1;
}

BOOL QtMovieWnd::SetVolume(int level) {
    if (!Ready()) return 0;
    MovieWnd::SetVolume(level);
    // A negative level is silent and keeps the level to come back to. The
    // movie hands back the level it was last given, which is negative once
    // muted: the sign alone says muted, so a mute never turns into sound and
    // an unmute never stays silent.
    const int read = static_cast<int16_t>(Library().MovieVolume(Movie.get()));
    const int magnitude = read < 0 ? (read < -INT16_MAX ? INT16_MAX : -read) : read;
    const int16_t v = static_cast<int16_t>(level == 0 ? -magnitude : magnitude);
    Volume = v;
    const intptr_t done = Library().ControllerDoAction(Controller.get(), kQtActionSetVolume, v);
    MovieWnd::SetVolume(level);
    return done == 0;
}

void QtMovieWnd::Place() {
    if (!Ready()) return;
    MovieWnd::Place();
    const QtRect rect = ClientRect(m_hWnd);
    QuickTimeBinding& qt = Library();
    Controller.reset();
    Controller = QtControllerOwner(qt, qt.NewMovieController(Movie.get(), &rect, kControllerFlags));
    if (!Controller) {
        // The callback is armed on the movie: it goes with it, so it can
        // never reach a disposed movie.
        DisarmEndCallback();
        Movie.reset();
        MovieState = kClosed;
        Port.reset();
    }
}

void QtMovieWnd::ArmEndCallback() {
    QuickTimeBinding& qt = Library();
    const intptr_t timeBase = qt.MovieTimeBase(Movie.get());
    EndCallback = qt.NewCallBack(timeBase, kEndCallbackType);
    qt.CallMeWhen(EndCallback, reinterpret_cast<intptr_t>(&EndCallbackProc), reinterpret_cast<intptr_t>(this));
}

void QtMovieWnd::DisarmEndCallback() {
    if (EndCallback == 0) return;
    Library().DisposeCallBack(EndCallback);
    EndCallback = 0;
}

void QtMovieWnd::EndCallbackProc(intptr_t, intptr_t refCon) {
    auto* self = reinterpret_cast<QtMovieWnd*>(refCon);
    self->DisarmEndCallback();
    if (self->CheckEnd() == 0 && self->Ready()) self->ArmEndCallback();
}

bool QtMovieWnd::LengthMs(uint32_t& length) {
    const int64_t scale = static_cast<int32_t>(Library().MovieTimeScale(Movie.get()));
    const int64_t duration = static_cast<int32_t>(Library().MovieDuration(Movie.get()));
    if (scale <= 0 || duration <= 0) return false;
    const int64_t ms = duration * 1000 / scale;
    length = ms > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(ms);
    return true;
}

int QtMovieWnd::CheckEnd() {
    if ((Library().IsMovieDone(Movie.get()) & 0xFF) == 0) return 0;
    return EndOfPlay();
}

int QtMovieWnd::EndOfPlay() {
    if (LoopsLeft <= 1) {
        // Not from inside the library: the close comes back as a message.
        endPosted_ = true;
        PostMessage(WM_CLOSE);
        return 1;
    }
    --LoopsLeft;
    PlayAgain();
    return 0;
}

void QtMovieWnd::PlayAgain() {
    Rewind();
    Play();
    SetVolume(Mute ? 0 : 100);
}

LRESULT QtMovieWnd::OnClose(const Msg&) {
    if (!std::exchange(endPosted_, false)) return Default();
    if (!LastLoopEnded()) return 0;  // the window is gone
    if (!Ready()) return 0;
    DisarmEndCallback();
    PlayAgain();
    ArmEndCallback();
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
        Library().NativeEventToEvent(&native, &event);
        Library().ControllerIsPlayerEvent(Controller.get(), &event);
    }
    static const MessageEntry<QtMovieWnd> kHandlers[] = {
        {WM_PAINT, &QtMovieWnd::OnPaint},
        {WM_TIMER, &QtMovieWnd::OnTimer},
        {WM_CLOSE, &QtMovieWnd::OnClose},
    };
    LRESULT result = 0;
    if (DispatchTable(this, kHandlers, Msg{message, wParam, lParam}, result)) return result;
    return MovieWnd::WindowProc(message, wParam, lParam);
}

LRESULT QtMovieWnd::OnPaint(const Msg&) {
    PaintDC paint(m_hWnd);
    if (Ready()) Library().UpdateMovie(Movie.get());
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
