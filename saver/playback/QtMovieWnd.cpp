#include "saver/playback/QtMovieWnd.h"

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
    MovieState = 1;
    ArmEndCallback();
    return 1;
}

void QtMovieWnd::Close() {
    if (!Ready()) return;
    QuickTimeBinding& qt = QuickTime();
    MovieState = 0;
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
    MovieState = 2;
    InvalidateRect(m_hWnd, nullptr, TRUE);
    return 1;
}

BOOL QtMovieWnd::Pause() {
    if (!Ready()) return 0;
    QuickTime().StopMovie(Movie);
    MovieState = 3;
    return 1;
}

BOOL QtMovieWnd::Stop() {
    if (!Ready()) return 0;
    Pause();
    Rewind();
    MovieState = 1;
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
    int16_t v = static_cast<int16_t>(QuickTime().MovieVolume(Movie));
    // A negative level is silent and keeps the level to come back to.
    if (level == 0) v = static_cast<int16_t>(-v);
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
        MovieState = 0;
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

int QtMovieWnd::CheckEnd() {
    if ((QuickTime().IsMovieDone(Movie) & 0xFF) == 0) return 0;
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
