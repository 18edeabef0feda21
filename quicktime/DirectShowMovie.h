#pragma once
#include <windows.h>
#include <dshow.h>

#include <cstdint>
#include <string>

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

class DirectShowMovie;

// An end callback on a movie's time base: armed once, called once.
struct MovieCallBack {
    DirectShowMovie* movie = nullptr;
    QtCallBackProc proc = nullptr;
    intptr_t refCon = 0;
};

// A movie: a DirectShow filter graph for one file, drawing into a child of the
// window it was opened for. The graph tells its events to that window with
// kGraphEventMessage; the movie reads them only when the window offers it a
// message, so the end callback runs inside the caller's own call.
class DirectShowMovie {
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
    void Start();
    void Stop();
    void GoToBeginning();
    bool Done() const { return done_; }
    int16_t Volume() const { return volume_; }
    void SetVolume(int16_t level);
    void SetLooping(bool looping) { looping_ = looping; }
    // Reads the graph's events; at the end of a play either starts again
    // (looping) or marks the movie done and calls the armed callback.
    void Service();

    MovieCallBack* armed = nullptr;

private:
    ComPtr<IGraphBuilder> graph_;
    ComPtr<IMediaControl> control_;
    ComPtr<IMediaEventEx> events_;
    ComPtr<IMediaSeeking> seeking_;
    ComPtr<IVideoWindow> video_;
    ComPtr<IBasicAudio> audio_;
    HWND window_ = nullptr;
    long width_ = 0, height_ = 0;
    bool done_ = false;
    bool looping_ = false;
    int16_t volume_ = kFullVolume;
};
