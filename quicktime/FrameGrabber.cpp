#include "quicktime/FrameGrabber.h"

#include "quicktime/SelfReference.h"

namespace {

volatile LONG gAlive = 0;  // grabbers in this process, for the library's unload
// The thread and the tick count of the latest grabber's end, written before
// the count goes down.
volatile DWORD gLastGoneOn = 0;
volatile DWORD gLastGoneAt = 0;
constexpr DWORD kReturnedMs = 1000;  // long enough for any thread to have left Release

// Holds a critical section for one scope.
class Locked {
public:
    explicit Locked(CRITICAL_SECTION& section) : section_(section) { EnterCriticalSection(&section_); }
    ~Locked() { LeaveCriticalSection(&section_); }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;

private:
    CRITICAL_SECTION& section_;
};

}  // namespace

FrameGrabber* FrameGrabber::Create() { return new FrameGrabber(); }

LONG FrameGrabber::Alive() { return gAlive; }

bool FrameGrabber::AllGone() {
    if (gAlive != 0) return false;
    return gLastGoneOn == GetCurrentThreadId() || GetTickCount() - gLastGoneAt >= kReturnedMs;
}

FrameGrabber::FrameGrabber() {
    InitializeCriticalSection(&lock_);
    InterlockedIncrement(&gAlive);
    // Media Foundation calls this grabber for as long as it holds it.
    SelfReference::Take();
}

FrameGrabber::~FrameGrabber() {
    DeleteCriticalSection(&lock_);
    gLastGoneOn = GetCurrentThreadId();
    gLastGoneAt = GetTickCount();
    InterlockedDecrement(&gAlive);
}

STDMETHODIMP FrameGrabber::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IMFClockStateSink || iid == IID_IMFSampleGrabberSinkCallback) {
        *object = static_cast<IMFSampleGrabberSinkCallback*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) FrameGrabber::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }

STDMETHODIMP_(ULONG) FrameGrabber::Release() {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

void FrameGrabber::SetFormat(const FrameFormat& format) {
    Locked hold(lock_);
    copy_ = FrameCopy(format);
    keptWidth_ = copy_.KeptWidth();
    keptHeight_ = copy_.KeptHeight();
    pixels_.assign(static_cast<size_t>(copy_.KeptBytes()), 0);
    frames_ = 0;
}

void FrameGrabber::LetGo() {
    Locked hold(lock_);
    letGo_ = true;
    clock_.Reset();
    copy_ = FrameCopy(FrameFormat{});
    keptWidth_ = keptHeight_ = 0;
    std::vector<uint8_t>().swap(pixels_);
}

SIZE FrameGrabber::KeptSize() {
    Locked hold(lock_);
    return SIZE{keptWidth_, keptHeight_};
}

LONGLONG FrameGrabber::FrameTime() {
    Locked hold(lock_);
    return frameTime_;
}

STDMETHODIMP FrameGrabber::OnSetPresentationClock(IMFPresentationClock* clock) {
    Locked hold(lock_);
    clock_ = letGo_ ? nullptr : clock;
    return S_OK;
}

STDMETHODIMP FrameGrabber::OnShutdown() {
    Locked hold(lock_);
    clock_.Reset();
    return S_OK;
}

void FrameGrabber::WaitForClock(LONGLONG time) {
    Microsoft::WRL::ComPtr<IMFPresentationClock> clock;
    {
        Locked hold(lock_);
        clock = clock_;
    }
    if (!clock) return;
    // The session waits for this call, so it never waits past a stop, a
    // pause or a new start, nor longer than kMaxWaitMs.
    const DWORD start = GetTickCount();
    MFTIME before = 0;
    for (;;) {
        {
            Locked hold(lock_);
            if (letGo_ || !clock_) return;  // the movie or the sink is going
        }
        MFCLOCK_STATE state = MFCLOCK_STATE_INVALID;
        MFTIME now = 0;
        if (FAILED(clock->GetState(0, &state)) || state != MFCLOCK_STATE_RUNNING ||
            FAILED(clock->GetTime(&now)) || now < before || GetTickCount() - start >= kMaxWaitMs) {
            return;
        }
        const LONGLONG ahead = (time - now) / 10000;
        if (ahead <= 1) return;
        before = now;
        Sleep(static_cast<DWORD>(ahead < 10 ? ahead : 10));
    }
}

STDMETHODIMP FrameGrabber::OnProcessSample(REFGUID, DWORD, LONGLONG time, LONGLONG, const BYTE* buffer,
                                           DWORD size) {
    WaitForClock(time);
    Locked hold(lock_);
    if (keptWidth_ <= 0 || keptHeight_ <= 0 || buffer == nullptr) return S_OK;
    frameTime_ = time;
    // A frame that is not the one the format describes is passed over: the
    // last one stays.
    if (copy_.Copy(buffer, size, pixels_.data())) InterlockedIncrement(&frames_);
    return S_OK;
}

void FrameGrabber::Paint(HDC dc, const RECT& area) {
    Locked hold(lock_);
    // Before the movie's first frame the screen keeps what it shows: the
    // last picture of the movie before this one, not a black one between.
    if (frames_ == 0) return;
    if (keptWidth_ <= 0 || keptHeight_ <= 0) {
        FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        return;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = keptWidth_;
    info.bmiHeader.biHeight = -keptHeight_;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    if (area.right == keptWidth_ && area.bottom == keptHeight_) {
        // At its own size the frame is copied, not stretched.
        SetDIBitsToDevice(dc, 0, 0, keptWidth_, keptHeight_, 0, 0, 0, keptHeight_, pixels_.data(), &info,
                          DIB_RGB_COLORS);
        return;
    }
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, 0, 0, area.right, area.bottom, 0, 0, keptWidth_, keptHeight_, pixels_.data(), &info,
                  DIB_RGB_COLORS, SRCCOPY);
}
