#include "quicktime/FrameGrabber.h"

#include <cstring>

namespace {

volatile LONG gAlive = 0;  // grabbers in this process, for the library's unload

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

FrameGrabber::FrameGrabber() {
    InitializeCriticalSection(&lock_);
    InterlockedIncrement(&gAlive);
}

FrameGrabber::~FrameGrabber() {
    DeleteCriticalSection(&lock_);
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
    format_ = format;
    step_ = 1;
    while (format.width / step_ > kMaxWidth || format.height / step_ > kMaxHeight) ++step_;
    keptWidth_ = format.width / step_;
    keptHeight_ = format.height / step_;
    pixels_.assign(static_cast<size_t>(keptWidth_) * static_cast<size_t>(keptHeight_) * 4, 0);
    frames_ = 0;
}

void FrameGrabber::LetGo() {
    Locked hold(lock_);
    letGo_ = true;
    clock_.Reset();
    format_ = FrameFormat{};
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
    if (format_.nv12) {
        KeepNv12(buffer, size);
    } else {
        KeepRgb32(buffer, size);
    }
    return S_OK;
}

// A frame that is not the one the format describes is passed over: the last
// one stays.
void FrameGrabber::KeepRgb32(const BYTE* buffer, DWORD size) {
    const long rowBytes = format_.stride < 0 ? -format_.stride : format_.stride;
    if (rowBytes < format_.width * 4 ||
        static_cast<uint64_t>(size) < static_cast<uint64_t>(rowBytes) * static_cast<uint64_t>(format_.height)) {
        return;
    }
    uint8_t* out = pixels_.data();
    for (long y = 0; y < keptHeight_; ++y) {
        const long row = format_.stride < 0 ? format_.height - 1 - y * step_ : y * step_;
        const BYTE* in = buffer + static_cast<size_t>(row) * static_cast<size_t>(rowBytes);
        if (step_ == 1) {
            std::memcpy(out, in, static_cast<size_t>(keptWidth_) * 4);
            out += keptWidth_ * 4;
            continue;
        }
        for (long x = 0; x < keptWidth_; ++x, out += 4) std::memcpy(out, in + static_cast<size_t>(x * step_) * 4, 4);
    }
    InterlockedIncrement(&frames_);
}

namespace {

uint8_t Clamped(int value) { return static_cast<uint8_t>(value < 0 ? 0 : value > 255 ? 255 : value); }

// One video-range BT.601 pixel as blue, green, red and a zero byte.
void PutYuv(uint8_t* out, int y, int u, int v) {
    const int c = (y - 16) * 298, d = u - 128, e = v - 128;
    out[0] = Clamped((c + 516 * d + 128) >> 8);
    out[1] = Clamped((c - 100 * d - 208 * e + 128) >> 8);
    out[2] = Clamped((c + 409 * e + 128) >> 8);
    out[3] = 0;
}

}  // namespace

void FrameGrabber::KeepNv12(const BYTE* buffer, DWORD size) {
    const uint64_t stride = static_cast<uint64_t>(format_.stride > 0 ? format_.stride : format_.width);
    if (stride < static_cast<uint64_t>(format_.width)) return;
    // Decoders may make the planes taller than the picture: the chroma plane
    // starts where the buffer's size puts it.
    const uint64_t planeRows = static_cast<uint64_t>(size) * 2 / 3 / stride;
    if (planeRows < static_cast<uint64_t>(format_.height)) return;
    const BYTE* chroma = buffer + planeRows * stride;
    uint8_t* out = pixels_.data();
    for (long y = 0; y < keptHeight_; ++y) {
        const uint64_t row = static_cast<uint64_t>(y * step_);
        const BYTE* luma = buffer + row * stride;
        const BYTE* uv = chroma + (row / 2) * stride;
        for (long x = 0; x < keptWidth_; ++x, out += 4) {
            const long column = x * step_;
            const long pair = column & ~1L;
            PutYuv(out, luma[column], uv[pair], uv[pair + 1]);
        }
    }
    InterlockedIncrement(&frames_);
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
