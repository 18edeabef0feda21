#include "saver/playback/DisplayWnd.h"

#include <memory>
#include <utility>

#include "saver/playback/LogoMovieWnd.h"
#include "saver/playback/MciMovieWnd.h"
#include "saver/playback/PlaybackMessages.h"
#include "saver/playback/QtMovieWnd.h"
#include "saver/playback/SaverKeys.h"
#include "saver/playback/TitleLayout.h"
#include "saver/playback/TitlePainter.h"
#include "saver/playback/win32/WaveOutDevice.h"
#include "saver/settings/win32/AppSettings.h"

DisplayWnd::DisplayWnd(ProfileStore& store, MachineDefaults* machine, bool autoDelete)
    : settings_(store, machine), sequencer_(settings_, random_) {
    SetAutoDelete(autoDelete);
    LoadSettings();
}

DisplayWnd::DisplayWnd(bool autoDelete)
    : settings_(MakeAppSettings()), sequencer_(settings_, random_) {
    SetAutoDelete(autoDelete);
    LoadSettings();
}

void DisplayWnd::LoadSettings() {
    settings_.Load(true);
    settings_.ApplyGlobals(false);
    sequencer_.Reset();
    folders_.Start();
}

bool DisplayWnd::Create(DWORD exStyle, DWORD style, const RECT& rect, HWND parent) {
    rect_ = rect;
    const char* cls = RegisterWndClass(CS_HREDRAW | CS_VREDRAW, nullptr, nullptr, nullptr);
    // The black and the titles are painted around the movie window, never
    // over it: a movie draws a frame only when its time comes, and a slide
    // show's next one is seconds away.
    return CreateEx(exStyle, cls, "SaverWnd", style | WS_CLIPCHILDREN, rect, parent, nullptr);
}

void DisplayWnd::Resize(const RECT& rect) {
    rect_ = rect;
    MoveWindow(m_hWnd, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, FALSE);
    if (shown_ != nullptr) shown_->Place();
    if (prepared_ != nullptr) prepared_->Place();
    // Everything is drawn afresh at the new size.
    RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

LRESULT DisplayWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    static const MessageEntry<DisplayWnd> kHandlers[] = {
        {WM_CREATE, &DisplayWnd::OnCreate},
        {WM_PAINT, &DisplayWnd::OnPaint},
        {WM_TIMER, &DisplayWnd::OnTimer},
        {WM_KEYDOWN, &DisplayWnd::OnKeyDown},
        {UM_NEXTMOVIE, &DisplayWnd::OnNextMovie},
        {UM_PLAYMOVIE, &DisplayWnd::OnPlayMovie},
        {UM_MOVIESTARTED, &DisplayWnd::OnMovieStarted},
        {UM_PREPARENEXT, &DisplayWnd::OnPrepareNext},
        {WM_DESTROY, &DisplayWnd::OnDestroy},
    };
    LRESULT result = 0;
    if (DispatchTable(this, kHandlers, Msg{message, wParam, lParam}, result)) return result;
    return Default();
}

MovieWnd* DisplayWnd::NewMovieWindow(PlayerKind kind) {
    switch (kind) {
    case PlayerKind::Logo: return new LogoMovieWnd();
    case PlayerKind::QuickTime:
        // Started by the first QuickTime item, tried again by each while it
        // is not ready.
        if (!quickTime_ || quickTime_->QuickTimeReady == 0) {
            quickTime_.reset();
            quickTime_.emplace(QuickTime());
        }
        return new QtMovieWnd(*quickTime_);
    case PlayerKind::Mci: break;
    }
    LetQuickTimeGo();
    return new MciMovieWnd();
}

void DisplayWnd::LetQuickTimeGo() {
    const auto quickTimeUp = [](const MovieWnd* movie) {
        return movie != nullptr && movie->Kind() == PlayerKind::QuickTime;
    };
    if (!quickTimeUp(shown_) && !quickTimeUp(prepared_)) quickTime_.reset();
}

void DisplayWnd::Redraw() {
    RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void DisplayWnd::ReadFolderEntries() {
    if (!sequencer_.PlaybackEnabled() || !folders_.HasWork(sequencer_.CurrentIndex())) return;
    UpdateWindow(m_hWnd);  // a large folder takes a while: the screen is black first
    if (folders_.Prepare(sequencer_.CurrentIndex())) sequencer_.Reset();
}

void DisplayWnd::Advance() {
    if (sequencer_.PlaybackEnabled() && folders_.HasWork(sequencer_.CurrentIndex())) {
        // The list changes under the choice made ahead.
        DiscardPrepared();
        sequencer_.ForgetPlan();
    }
    ReadFolderEntries();
    const NextStep step = sequencer_.Advance();
    if (step == NextStep::PlayNow && prepared_ != nullptr && preparedItem_ == sequencer_.CurrentItem()) {
        // The next picture is ready: no black screen before it.
        PlayCurrent();
        return;
    }
    Redraw();
    switch (step) {
    case NextStep::Stopped: break;
    case NextStep::TitleCard: ::SetTimer(m_hWnd, kTitleCardTimer, kTitleCardMilliseconds, nullptr); break;
    case NextStep::PlayNow: PostMessage(UM_PLAYMOVIE); break;
    }
}

bool DisplayWnd::TakeQueuedSkips() {
    // Starting a movie takes long enough for a held-down skip key to queue
    // several presses. They make one step together (back when the last of
    // them is Left), so later keys are not kept waiting behind a movie
    // start for each press. Any other key stops the search and is left
    // where it is, in order.
    SaverKey last = SaverKey::Other;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE | PM_NOYIELD)) {
        const SaverKey key = ClassifyKey(static_cast<uint32_t>(msg.wParam));
        if (key != SaverKey::Next && key != SaverKey::Previous) break;
        if (msg.hwnd != m_hWnd && !IsChild(m_hWnd, msg.hwnd)) break;
        PeekMessageA(&msg, msg.hwnd, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE | PM_NOYIELD);
        last = key;
    }
    if (last == SaverKey::Other) return false;
    if (last == SaverKey::Previous) {
        StepBack();
        StepBack();
    }
    Advance();
    return true;
}

void DisplayWnd::PlayCurrent() {
    if (sequencer_.PlaybackEnabled() && TakeQueuedSkips()) return;
    sequencer_.BeginStart();
    if (ShowPrepared()) return;
    DestroyMovieWindow();
    Redraw();
    const MediaItem* item = sequencer_.CurrentItem();
    if (!sequencer_.PlaybackEnabled() || item == nullptr) {
        sequencer_.EndStart();
        return;
    }
    // The volume to put back at the end is the one found before anything played.
    Volume();
    shown_ = MakeMovieWindow(*item, true);
    if (shown_ != nullptr) {
        PostMessage(UM_MOVIESTARTED);
        return;
    }
    sequencer_.DropCurrent();
    PostMessage(UM_NEXTMOVIE);
}

bool DisplayWnd::ShowPrepared() {
    if (prepared_ == nullptr || !sequencer_.PlaybackEnabled() || preparedItem_ != sequencer_.CurrentItem()) {
        return false;
    }
    MovieWnd* next = std::exchange(prepared_, nullptr);
    preparedItem_ = nullptr;
    MovieWnd* before = std::exchange(shown_, next);
    // With no movie to replace (a title card came between), the screen is
    // black first, as for a movie opened now.
    if (before == nullptr) Redraw();
    // The new picture is up before the old one goes, so no refresh shows
    // black where the two overlap; the old one's end asks for nothing.
    const bool playing = next->Show() != 0;
    if (before != nullptr) {
        ::DestroyWindow(before->m_hWnd);
        LetQuickTimeGo();
    }
    if (playing) {
        PostMessage(UM_MOVIESTARTED);
        return true;
    }
    sequencer_.DropCurrent();
    ::DestroyWindow(next->m_hWnd);  // its end posts UM_NEXTMOVIE
    return true;
}

MovieWnd* DisplayWnd::MakeMovieWindow(const MediaItem& item, bool show) {
    const PlayerKind kind = PlaylistSequencer::ChoosePlayer(item);
    bool made = false;
    MovieWnd* movie = StartMovieWindow(kind, item, show, made);
    // Only a file the MCI system refused is tried again: a window that could
    // not be made says nothing of the file.
    if (movie == nullptr && made && PlaylistSequencer::TriesQuickTimeAfter(item, kind)) {
        movie = StartMovieWindow(PlayerKind::QuickTime, item, show, made);
    }
    return movie;
}

MovieWnd* DisplayWnd::StartMovieWindow(PlayerKind kind, const MediaItem& item, bool show, bool& made) {
    MovieWnd* movie = NewMovieWindow(kind);
    made = movie->CreateChild(m_hWnd, *this) != 0;
    if (!made) {
        delete movie;
        return nullptr;
    }
    movie->BounceInterval = settings_.BounceSpeed;
    if (!show) movie->KeepHidden();
    if (movie->Open(item) && (!show || movie->Play())) return movie;
    // Neither shown nor prepared: its end asks for nothing.
    ::DestroyWindow(movie->m_hWnd);
    return nullptr;
}

void DisplayWnd::PrepareNext() {
    if (prepared_ != nullptr || shown_ == nullptr || !sequencer_.PlaybackEnabled() || sequencer_.StartingMovie()) {
        return;
    }
    if (folders_.HasWork(sequencer_.CurrentIndex())) {
        // A folder entry is read when the choice reaches it, as at an
        // advance, but while the current movie plays.
        sequencer_.ForgetPlan();
        if (settings_.Random) return;  // every folder is read before the first pick
        if (folders_.Prepare(sequencer_.CurrentIndex())) return;
    }
    uint32_t next = 0;
    if (!sequencer_.PlanNext(next)) return;
    const MediaItem* item = sequencer_.PlannedItem();
    const MediaItem* current = sequencer_.CurrentItem();
    if (item == nullptr || current == nullptr || !PlaylistSequencer::PreparesAhead(*item, *current)) return;
    prepared_ = MakeMovieWindow(*item, false);
    if (prepared_ != nullptr) {
        preparedItem_ = item;
        return;
    }
    sequencer_.DropPlanned();
    PostMessage(UM_PREPARENEXT);
}

void DisplayWnd::DiscardPrepared() {
    preparedItem_ = nullptr;
    if (MovieWnd* gone = std::exchange(prepared_, nullptr)) ::DestroyWindow(gone->m_hWnd);
}

WaveVolume& DisplayWnd::Volume() {
    if (!volume_) volume_.emplace(std::make_unique<WaveOutDevice>());
    return *volume_;
}

void DisplayWnd::DestroyMovieWindow() {
    DiscardPrepared();
    if (shown_ != nullptr) ::DestroyWindow(shown_->m_hWnd);  // its end posts UM_NEXTMOVIE
}

bool DisplayWnd::MovieFinished(MovieWnd& movie) {
    const MediaItem* next = sequencer_.PlannedItem();
    const bool follows = &movie == shown_ && sequencer_.PlaybackEnabled() && next != nullptr &&
                         !(settings_.Titles && next->TitleBefore && !next->Title.empty());
    if (follows && next == sequencer_.CurrentItem()) {
        // The item follows itself: the same window plays it again.
        sequencer_.Advance();
        sequencer_.BeginStart();
        sequencer_.EndStart();
        PostMessage(UM_PREPARENEXT);  // the choice after this play
        return true;
    }
    if (follows && prepared_ != nullptr && preparedItem_ == next && !folders_.HasWork(sequencer_.CurrentIndex())) {
        Advance();  // shows the prepared movie, then destroys this one
        if (shown_ != &movie) return false;
    }
    ::DestroyWindow(movie.m_hWnd);  // its end posts UM_NEXTMOVIE
    return false;
}

void DisplayWnd::MovieEnded(MovieWnd& movie) {
    if (&movie == prepared_) {
        prepared_ = nullptr;
        preparedItem_ = nullptr;
        return;
    }
    if (&movie != shown_) return;
    shown_ = nullptr;
    if (m_hWnd != nullptr) ::PostMessageA(m_hWnd, UM_NEXTMOVIE, 0, 0);
}

void DisplayWnd::SetMute(int mute) {
    settings_.Mute = mute;
    Volume().SetMuted(mute != 0);
}

void DisplayWnd::CaptureInput() {
    capture_.Take(m_hWnd);
    SetCursor(nullptr);
    if (MovieWnd* movie = MovieWindow()) SetFocus(movie->m_hWnd);
}

LRESULT DisplayWnd::OnCreate(const Msg&) {
    if (Default() == -1) return -1;
    CaptureInput();
    PostMessage(UM_NEXTMOVIE);
    return 0;
}

LRESULT DisplayWnd::OnPaint(const Msg&) {
    PaintDC paint(m_hWnd);
    const MediaItem* item = TitleToPaint(settings_, sequencer_.CurrentIndex(), sequencer_.TitlePhase() != 0);
    HWND movie = shown_ != nullptr ? shown_->m_hWnd : nullptr;
    TitlePainter::Paint(paint.dc(), rect_, item, sequencer_.TitlePhase() != 0, movie);
    return 0;
}

LRESULT DisplayWnd::OnTimer(const Msg& msg) {
    if (msg.wParam == kTitleCardTimer) {
        ::KillTimer(m_hWnd, kTitleCardTimer);
        PostMessage(UM_PLAYMOVIE);
    }
    return Default();
}

LRESULT DisplayWnd::OnKeyDown(const Msg& msg) {
    const DisplayKeyPlan plan =
        PlanDisplayKey(static_cast<uint32_t>(msg.wParam), settings_.Mute != 0, MovieWindow() != nullptr);
    if (plan.flipMute) settings_.Mute = settings_.Mute != 0 ? 0 : 1;
    if (plan.applyMute) {
        SetMute(settings_.Mute);
        settings_.ApplyGlobals(true);
    }
    if (plan.skip) {
        ::KillTimer(m_hWnd, kTitleCardTimer);
        for (int i = 0; i < plan.stepBacks; ++i) StepBack();
        PostMessage(UM_NEXTMOVIE);
    }
    if (plan.volumeUp) Volume().VolumeUp();
    if (plan.volumeDown) Volume().VolumeDown();
    return Default();
}

LRESULT DisplayWnd::OnNextMovie(const Msg&) {
    // A request that finds a movie window has been answered already: a movie
    // was started after it was posted. The usual case is PlayCurrent putting
    // a new movie in place of one a resumed playback left up; that old
    // movie's end asks for the next item too, and advancing on it would start
    // a second round of movies that never stops, flooding the queue so that
    // input and close requests are starved for good.
    if (shown_ != nullptr) return 0;
    Advance();
    return Default();
}

LRESULT DisplayWnd::OnPlayMovie(const Msg&) {
    PlayCurrent();
    return Default();
}

LRESULT DisplayWnd::OnMovieStarted(const Msg&) {
    sequencer_.EndStart();
    // The current movie has started: the next one is opened behind it.
    PostMessage(UM_PREPARENEXT);
    return Default();
}

LRESULT DisplayWnd::OnPrepareNext(const Msg&) {
    PrepareNext();
    return Default();
}

LRESULT DisplayWnd::OnDestroy(const Msg&) {
    capture_.Release();
    ::KillTimer(m_hWnd, kTitleCardTimer);
    DestroyMovieWindow();
    quickTime_.reset();
    return Default();
}
