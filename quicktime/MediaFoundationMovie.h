#pragma once
#include <windows.h>
#include <mfidl.h>
#include <wrl/client.h>

#include <cstdint>
#include <string>
#include <vector>

#include "quicktime/FrameGrabber.h"
#include "quicktime/MediaFoundationApi.h"
#include "quicktime/MovieCallBack.h"
#include "quicktime/PictureWindow.h"
#include "quicktime/QtRecords.h"

// A movie through Media Foundation: a media session over the file's media
// source, its picture into a sample grabber (NV12 frames from the decoder, or
// 32-bit ones through the topology's colour converter) and its sound into the
// system's audio renderer. The session's presentation clock (the audio
// renderer's time where the renderer offers one, as Windows' does) keeps
// picture and sound together: the grabber holds each frame until the clock
// reaches its time.
//
// Everything the caller sees happens on its own thread: the picture window's
// timer reads the session's events without waiting and posts kEventMessage to
// the caller's window when the movie has ended or failed; the movie acts on
// them only when the window offers it a message (Service), so the end
// callback runs inside the caller's own call, as with the DirectShow movie.
//
// A movie whose clock has run kEndGraceMs past its length without the session
// saying so has ended. One that neither ends nor fails is taken as failed once
// it has played its length and kStallMarginMs more; a failed movie ends,
// looping or not. A movie whose source tells no length (a fragmented MP4
// written with an empty movie atom) ends kStallMarginMs after its last frame
// at the latest, and has failed when it shows no frame in that time.
class MediaFoundationMovie final : private PictureSource {
public:
    static constexpr UINT kEventMessage = WM_APP + 0x51;
    static constexpr int16_t kFullVolume = 256;
    static constexpr DWORD kStallMarginMs = 3000;
    static constexpr DWORD kEndGraceMs = 250;

    MediaFoundationMovie() = default;
    ~MediaFoundationMovie();
    MediaFoundationMovie(const MediaFoundationMovie&) = delete;
    MediaFoundationMovie& operator=(const MediaFoundationMovie&) = delete;

    // False when the system has no Media Foundation or it cannot play the
    // file's picture (a file whose sound alone it cannot play opens silent).
    bool Open(const std::string& path, HWND window);
    QtRect Box() const;
    void ShowAt(const QtRect& rect);
    void Hide();
    void Start();
    void Stop();
    void GoToBeginning();
    bool Done() const { return done_; }
    // The movie's length, 0 when the source does not say.
    int32_t DurationMs() const {
        const uint64_t ms = length_ / 10000;
        return ms > INT32_MAX ? INT32_MAX : static_cast<int32_t>(ms);
    }
    int16_t Volume() const { return volume_; }
    void SetVolume(int16_t level);
    void SetLooping(bool looping) { looping_ = looping; }
    void Service();

    MovieCallBack* armed = nullptr;

    // What the open movie plays, for the tests.
    bool HasSound() const { return sound_; }
    FrameFormat PictureFormat() const { return format_; }
    LONG FramesShown() const { return grabber_ ? grabber_->Frames() : 0; }
    // The presentation clock's time and the latest frame's (100 ns); -1 for
    // a clock not yet running.
    LONGLONG ClockTime() const;
    LONGLONG FrameTime() const { return grabber_ ? grabber_->FrameTime() : -1; }
    // As if the source told no length, for the tests: Wine's tells one for
    // every file they write, a fragmented one with an empty movie atom too.
    void ForgetLength() { length_ = 0; }

    static void UnregisterPictureClass() { PictureWindow::UnregisterWindowClass(); }
    // True once every sample grabber the library made has been let go, or
    // false after `milliseconds` (for the tests: the library itself never
    // waits, it keeps itself loaded instead).
    static bool WaitForGrabbers(DWORD milliseconds);

private:
    enum class Pending { kNothing, kEnded, kFailed };

    bool Build(IMFPresentationDescriptor* descriptor, bool withSound, const GUID& picture, IMFTopology** full);
    void ReadPictureFormat(IMFTopology* full);
    void ReadEvents();
    // The end rules of a movie without a length.
    void EndWithoutLength();
    void ApplyVolume();
    void Close();
    // Reads the session's events until one of type `wanted`, for a while.
    bool WaitForEvent(MediaEventType wanted);
    void ShutDownSinks();
    DWORD PlayedMs() const;
    // PictureSource
    void PaintPicture(HDC dc, const RECT& area) override;
    bool Tick() override;

    MediaFoundationApi api_;
    Microsoft::WRL::ComPtr<IMFMediaSource> source_;
    Microsoft::WRL::ComPtr<IMFMediaSession> session_;
    Microsoft::WRL::ComPtr<IMFSimpleAudioVolume> audio_;
    Microsoft::WRL::ComPtr<IMFMediaSink> soundSink_;  // the audio renderer, one of mediaSinks_
    Microsoft::WRL::ComPtr<IMFPresentationClock> clock_;  // the session's
    Microsoft::WRL::ComPtr<FrameGrabber> grabber_;
    std::vector<Microsoft::WRL::ComPtr<IMFActivate>> sinks_;  // activated by the movie, shut down by it
    std::vector<Microsoft::WRL::ComPtr<IMFMediaSink>> mediaSinks_;
    PictureWindow picture_;
    FrameFormat format_;
    HWND window_ = nullptr;
    long width_ = 0, height_ = 0;
    uint64_t length_ = 0;  // 100 ns units; 0 when the source does not say
    bool sound_ = false;
    bool nv12_ = false;  // the grabber takes NV12 frames, not 32-bit RGB
    bool playing_ = false;
    bool fromStart_ = true;
    bool done_ = false;
    bool looping_ = false;
    Pending pending_ = Pending::kNothing;
    bool posted_ = false;
    DWORD playedBefore_ = 0;  // ms played before the current run
    DWORD runStarted_ = 0;    // tick count at the current run's start
    LONG framesPainted_ = -1;
    LONG framesSeen_ = 0;    // frames at the latest progress of a movie without a length
    DWORD progressAt_ = 0;   // tick count of that progress
    int16_t volume_ = kFullVolume;
};
