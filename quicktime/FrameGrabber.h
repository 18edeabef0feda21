#pragma once
#include <windows.h>
#include <mfidl.h>
#include <wrl/client.h>

#include <cstdint>
#include <vector>

#include "quicktime/FrameCopy.h"

// The Media Foundation sample grabber's callback: keeps the latest frame as
// 32-bit pixels for the picture window (NV12 frames converted here, which
// spares the pipeline a colour converter). The sink hands each sample over as
// soon as it has it (it is made to ignore the clock: its own timers on the
// clock are what Wine 8 leaks when a movie stops before they fire); the
// grabber holds the sample until the session's presentation clock reaches its
// time, so the picture keeps to the clock the sound keeps to. Samples
// arrive on Media Foundation's own threads; the picture is painted on the
// caller's thread, so the frame is guarded. A frame wider than 1920 or taller
// than 1200 pixels is kept at half size (or less) so that a 4K movie holds a
// bounded buffer.
class FrameGrabber final : public IMFSampleGrabberSinkCallback {
public:
    static constexpr long kMaxWidth = FrameCopy::kMaxWidth;
    static constexpr long kMaxHeight = FrameCopy::kMaxHeight;
    // The longest a sample is held for its time: Media Foundation's session
    // serves no other stream and takes no command meanwhile, so a frame due
    // later than this (a slide show's) shows early rather than keep the sound
    // and the caller waiting.
    static constexpr DWORD kMaxWaitMs = 250;

    // Made with one reference, held by the caller; the library keeps itself
    // loaded from then on (SelfReference) until it stops with none alive.
    static FrameGrabber* Create();
    // The grabbers alive in this process.
    static LONG Alive();
    // Whether none is alive and none may still be running its last Release:
    // the latest went on the calling thread, or a while ago.
    static bool AllGone();

    void SetFormat(const FrameFormat& format);
    // Frees the frame and takes no more: the movie is gone, though Media
    // Foundation may hold this callback a while longer (Wine's keeps the
    // sinks of a session closed mid-play).
    void LetGo();
    // The frames taken so far, and the presentation time of the latest (100 ns).
    LONG Frames() const { return frames_; }
    LONGLONG FrameTime();
    // Paints the latest frame stretched over `area`, or black before the first.
    void Paint(HDC dc, const RECT& area);
    // The size of the frame as kept (the movie's, or scaled down).
    SIZE KeptSize();

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    // IMFClockStateSink
    STDMETHODIMP OnClockStart(MFTIME, LONGLONG) override { return S_OK; }
    STDMETHODIMP OnClockStop(MFTIME) override { return S_OK; }
    STDMETHODIMP OnClockPause(MFTIME) override { return S_OK; }
    STDMETHODIMP OnClockRestart(MFTIME) override { return S_OK; }
    STDMETHODIMP OnClockSetRate(MFTIME, float) override { return S_OK; }
    // IMFSampleGrabberSinkCallback
    STDMETHODIMP OnSetPresentationClock(IMFPresentationClock* clock) override;
    STDMETHODIMP OnProcessSample(REFGUID major, DWORD flags, LONGLONG time, LONGLONG duration, const BYTE* buffer,
                                 DWORD size) override;
    STDMETHODIMP OnShutdown() override;

private:
    // Returns once the clock has reached `time`, or at once when it stands
    // still, has started again from an earlier time or is gone.
    void WaitForClock(LONGLONG time);
    FrameGrabber();
    ~FrameGrabber();
    FrameGrabber(const FrameGrabber&) = delete;
    FrameGrabber& operator=(const FrameGrabber&) = delete;

    LONG references_ = 1;
    volatile LONG frames_ = 0;
    CRITICAL_SECTION lock_;
    FrameCopy copy_{FrameFormat{}};
    // Cleared at shutdown: the clock holds the sink, which holds this callback.
    Microsoft::WRL::ComPtr<IMFPresentationClock> clock_;
    bool letGo_ = false;
    LONGLONG frameTime_ = 0;
    long keptWidth_ = 0, keptHeight_ = 0;
    std::vector<uint8_t> pixels_;  // top-down rows of keptWidth_ 32-bit pixels
};
