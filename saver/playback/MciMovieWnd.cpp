#include "saver/playback/MciMovieWnd.h"

#include <digitalv.h>

#include "framework/Handles.h"
#include "saver/settings/MciDeviceType.h"
#include "saver/settings/MediaItem.h"

namespace {
DWORD_PTR Parms(void* p) { return reinterpret_cast<DWORD_PTR>(p); }
}  // namespace

BOOL MciMovieWnd::Open(const MediaItem& item) {
    DeviceType = item.MCI;
    return MovieWnd::Open(item);
}

BOOL MciMovieWnd::OpenMedia() {
    if (IsOpen()) Close();
    // No device has a longer type: the item cannot play, and the system's
    // open must never see it.
    if (!IsPossibleMciDeviceType(DeviceType)) return 0;
    MCI_OPEN_PARMSA open{};
    open.lpstrElementName = File.c_str();
    DWORD flags = MCI_OPEN_ELEMENT | MCI_WAIT;
    if (!DeviceType.empty()) {
        open.lpstrDeviceType = DeviceType.c_str();
        flags |= MCI_OPEN_TYPE;
    }
    if (SendMciCommand(0, MCI_OPEN, flags, Parms(&open)) != 0) return 0;
    device_.reset(open.wDeviceID);

    MCI_ANIM_WINDOW_PARMSA window{};
    window.hWnd = m_hWnd;
    SendMciCommand(device_.get(), MCI_WINDOW, MCI_ANIM_WINDOW_HWND | MCI_WAIT, Parms(&window));

    MCI_ANIM_RECT_PARMS where{};
    if (SendMciCommand(device_.get(), MCI_WHERE, MCI_ANIM_WHERE_SOURCE | MCI_WAIT, Parms(&where)) == 0) {
        NaturalRect = where.rc;
    } else {
        NaturalRect = RECT{0, 0, kNoPictureSize, kNoPictureSize};
    }
    MovieState = kOpen;
    return 1;
}

void MciMovieWnd::Close() {
    if (!IsOpen()) return;
    device_.reset();
    MovieState = kClosed;
}

BOOL MciMovieWnd::Play() {
    if (!IsOpen()) return 0;
    MCI_PLAY_PARMS play{};
    play.dwCallback = reinterpret_cast<DWORD_PTR>(m_hWnd);
    DWORD flags = MCI_NOTIFY;
    if (LoopInfinite == 1) flags |= MCI_DGV_PLAY_REPEAT;
    if (SendMciCommand(device_.get(), MCI_PLAY, flags, Parms(&play)) != 0) return 0;
    MovieState = kPlaying;
    InvalidateRect(m_hWnd, nullptr, TRUE);
    ArmMediaDeadline();
    return 1;
}

BOOL MciMovieWnd::Pause() {
    if (!IsOpen()) return 0;
    MCI_GENERIC_PARMS parms{};
    if (SendMciCommand(device_.get(), MCI_PAUSE, MCI_WAIT, Parms(&parms)) != 0) return 0;
    DisarmPlayDeadline();
    MovieState = kPaused;
    return 1;
}

BOOL MciMovieWnd::Stop() {
    if (!IsOpen()) return 0;
    MCI_GENERIC_PARMS parms{};
    if (SendMciCommand(device_.get(), MCI_STOP, MCI_WAIT, Parms(&parms)) != 0) return 0;
    DisarmPlayDeadline();
    MovieState = kOpen;
    return 1;
}

BOOL MciMovieWnd::Rewind() {
    if (!IsOpen()) return 0;
    MCI_SEEK_PARMS parms{};
    return SendMciCommand(device_.get(), MCI_SEEK, MCI_SEEK_TO_START | MCI_WAIT, Parms(&parms)) == 0;
}

BOOL MciMovieWnd::SetVolume(int level) {
    if (!IsOpen()) return 0;
    Volume = level;
    MCI_DGV_SETAUDIO_PARMSA parms{};
    const BOOL done = SendMciCommand(device_.get(), MCI_SETAUDIO, level == 0 ? MCI_SET_OFF : MCI_SET_ON,
                                      Parms(&parms)) == 0;
    MovieWnd::SetVolume(level);
    return done;
}

void MciMovieWnd::Place() {
    if (!IsOpen()) return;
    MovieWnd::Place();
    MCI_ANIM_RECT_PARMS where{};
    if (SendMciCommand(device_.get(), MCI_WHERE, MCI_ANIM_WHERE_SOURCE, Parms(&where)) != 0) return;
    MCI_ANIM_RECT_PARMS put{};
    GetClientRect(m_hWnd, &put.rc);
    SendMciCommand(device_.get(), MCI_PUT, MCI_ANIM_RECT | MCI_ANIM_PUT_DESTINATION, Parms(&put));
}

LRESULT MciMovieWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    static const MessageEntry<MciMovieWnd> kHandlers[] = {
        {MM_MCINOTIFY, &MciMovieWnd::OnMciNotify},
        {WM_TIMER, &MciMovieWnd::OnTimer},
        {WM_PAINT, &MciMovieWnd::OnPaint},
    };
    LRESULT result = 0;
    if (DispatchTable(this, kHandlers, Msg{message, wParam, lParam}, result)) return result;
    return MovieWnd::WindowProc(message, wParam, lParam);
}

LRESULT MciMovieWnd::OnPaint(const Msg&) {
    PaintDC paint(m_hWnd);
    // The device draws the frame it stands at whenever the window is
    // painted, so a movie shows its first picture the moment its window
    // comes up, not at the device's first tick, which for a slide show is
    // seconds away. A device without a picture refuses; nothing is drawn.
    if (IsOpen()) {
        MCI_DGV_UPDATE_PARMS update{};
        update.hDC = paint.dc();
        GetClientRect(m_hWnd, &update.rc);
        SendMciCommand(device_.get(), MCI_UPDATE, MCI_DGV_UPDATE_HDC | MCI_DGV_RECT | MCI_WAIT, Parms(&update));
    }
    return 0;
}

LRESULT MciMovieWnd::OnMciNotify(const Msg&) {
    // Every notification while playing is the end of one play, whatever its code.
    if (!IsOpen() || MovieState != kPlaying) return 0;
    EndOfPlay();
    return 0;
}

LRESULT MciMovieWnd::OnTimer(const Msg& msg) {
    if (msg.wParam != kDeadlineTimer) return MovieWnd::WindowProc(msg.message, msg.wParam, msg.lParam);
    DisarmPlayDeadline();
    if (IsOpen() && MovieState == kPlaying) EndOfPlay();
    return 0;
}

void MciMovieWnd::EndOfPlay() {
    if (LoopsLeft <= 1) {
        if (!LastLoopEnded()) return;  // the window is gone
    } else {
        --LoopsLeft;
    }
    Rewind();
    Play();
}

bool MciMovieWnd::LengthMs(uint32_t& length) {
    MCI_SET_PARMS format{};
    format.dwTimeFormat = MCI_FORMAT_MILLISECONDS;
    if (SendMciCommand(device_.get(), MCI_SET, MCI_SET_TIME_FORMAT | MCI_WAIT, Parms(&format)) != 0) return false;
    MCI_STATUS_PARMS status{};
    status.dwItem = MCI_STATUS_LENGTH;
    if (SendMciCommand(device_.get(), MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, Parms(&status)) != 0) return false;
    length = static_cast<uint32_t>(status.dwReturn);
    return true;
}

void MciMovieWnd::ArmMediaDeadline() {
    uint32_t length = 0;
    const bool known = LoopInfinite != 1 && LengthMs(length);
    ArmPlayDeadline(known, length);
}
