#pragma once
#include <windows.h>
// dshow.h's string helpers would otherwise rename the C library's string
// functions for every header included after it.
#ifndef STRSAFE_NO_DEPRECATE
#define STRSAFE_NO_DEPRECATE
#endif
#include <dshow.h>
#include <qedit.h>

#include <cstdint>
#include <string>
#include <vector>

#include "quicktime/QtRecords.h"

// One COM interface pointer, released once.
template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() { Reset(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    T* operator->() const { return p_; }
    T* Get() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    void Reset() {
        if (p_ != nullptr) p_->Release();
        p_ = nullptr;
    }
    // For the out-parameter of QueryInterface and CoCreateInstance.
    void** Out() {
        Reset();
        return reinterpret_cast<void**>(&p_);
    }

private:
    T* p_ = nullptr;
};

#include "quicktime/MovieCallBack.h"
#include "quicktime/PictureWindow.h"

// A movie: a DirectShow filter graph for one file, drawing into a child of the
// window it was opened for. The graph tells its events to that window with
// kGraphEventMessage; the movie reads them only when the window offers it a
// message, so the end callback runs inside the caller's own call.
//
// The picture: the graph's video renderer is replaced by a sample grabber
// that keeps the latest frame as 32-bit pixels and a renderer that drops the
// samples; a child window of the library's own shows that frame, redrawn on
// a timer of its own, all on the caller's thread. Where the grabber cannot be
// put in, the graph's own video window is used instead.
class DirectShowMovie final : private PictureSource {
public:
    static constexpr UINT kGraphEventMessage = WM_APP + 0x51;
    static constexpr int16_t kFullVolume = 256;

    DirectShowMovie() = default;
    ~DirectShowMovie();
    DirectShowMovie(const DirectShowMovie&) = delete;
    DirectShowMovie& operator=(const DirectShowMovie&) = delete;

    // False when DirectShow cannot render the file.
    bool Open(const std::string& path, HWND window);
    QtRect Box() const;
    // Shows the picture at `rect` of the window (a controller over the movie).
    void ShowAt(const QtRect& rect);
    void Hide();
    // Runs the graph; a graph that refuses to run ends the play as an error
    // event would, at the next Service.
    void Start();
    void Stop();
    void GoToBeginning();
    bool Done() const { return done_; }
    int16_t Volume() const { return volume_; }
    void SetVolume(int16_t level);
    void SetLooping(bool looping) { looping_ = looping; }
    // The movie's length in milliseconds; 0 when the graph cannot tell.
    int32_t DurationMs() const;
    // Reads the graph's events. At the end of a play it either starts again
    // (looping) or marks the movie done and calls the armed callback; an
    // error (the graph aborted, the user aborted, a stream stopped on an
    // error) ends the play the same way, looping or not.
    void Service();
    // The filter graph, for a caller that raises events of its own.
    IGraphBuilder* Graph() const { return graph_.Get(); }

    MovieCallBack* armed = nullptr;

    // The picture window's class goes with the library.
    static void UnregisterPictureClass() { PictureWindow::UnregisterWindowClass(); }

private:
    bool GrabPicture();
    void SeekToStart();
    // PictureSource: the latest frame, painted again on every tick.
    void PaintPicture(HDC dc, const RECT& area) override;
    bool Tick() override { return true; }

    ComPtr<IGraphBuilder> graph_;
    ComPtr<IMediaControl> control_;
    ComPtr<IMediaEventEx> events_;
    ComPtr<IMediaSeeking> seeking_;
    ComPtr<IVideoWindow> video_;
    ComPtr<IBasicAudio> audio_;
    ComPtr<ISampleGrabber> grabber_;
    BITMAPINFOHEADER frame_{};
    std::vector<uint8_t> pixels_;
    PictureWindow picture_;
    HWND window_ = nullptr;
    long width_ = 0, height_ = 0;
    bool done_ = false;
    bool ended_ = false;  // a play ended or failed; Service tells the callback
    bool looping_ = false;
    bool running_ = false;
    // A rewind asked for while the graph stands still waits for the next
    // start: Wine's splitter can hang stopping a graph flushed while paused.
    bool rewindPending_ = false;
    int16_t volume_ = kFullVolume;
};
