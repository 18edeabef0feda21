#include "quicktime/DirectShowMovie.h"

#include <cmath>
#include <vector>

DirectShowMovie::~DirectShowMovie() {
    if (armed != nullptr) armed->movie = nullptr;
    if (control_) control_->Stop();
    if (events_) events_->SetNotifyWindow(0, 0, 0);
    // The picture's window is the caller's window's child: give it back first.
    if (video_) {
        video_->put_Visible(OAFALSE);
        video_->put_Owner(0);
    }
}

bool DirectShowMovie::Open(const std::string& path, HWND window) {
    window_ = window;
    const int length = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
    if (length <= 0) return false;
    std::vector<wchar_t> wide(static_cast<size_t>(length));
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), length);

    if (FAILED(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder, graph_.Out())))
        return false;
    if (FAILED(graph_->RenderFile(wide.data(), nullptr))) return false;
    if (FAILED(graph_->QueryInterface(IID_IMediaControl, control_.Out()))) return false;
    if (FAILED(graph_->QueryInterface(IID_IMediaEventEx, events_.Out()))) return false;
    graph_->QueryInterface(IID_IMediaSeeking, seeking_.Out());
    graph_->QueryInterface(IID_IBasicAudio, audio_.Out());

    ComPtr<IBasicVideo> basic;
    if (SUCCEEDED(graph_->QueryInterface(IID_IBasicVideo, basic.Out())) &&
        SUCCEEDED(basic->GetVideoSize(&width_, &height_)) && width_ > 0 && height_ > 0 &&
        SUCCEEDED(graph_->QueryInterface(IID_IVideoWindow, video_.Out()))) {
        video_->put_AutoShow(OAFALSE);
        video_->put_Owner(reinterpret_cast<OAHWND>(window));
        video_->put_WindowStyle(WS_CHILD | WS_CLIPSIBLINGS);
        video_->put_MessageDrain(reinterpret_cast<OAHWND>(window));
    } else {
        video_.Reset();
        width_ = height_ = 0;
    }
    events_->SetNotifyWindow(reinterpret_cast<OAHWND>(window), kGraphEventMessage, 0);
    return true;
}

QtRect DirectShowMovie::Box() const {
    return QtRect{0, 0, static_cast<int16_t>(height_), static_cast<int16_t>(width_)};
}

void DirectShowMovie::ShowAt(const QtRect& rect) {
    if (!video_) return;
    video_->SetWindowPosition(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    video_->put_Visible(OATRUE);
}

void DirectShowMovie::Hide() {
    if (video_) video_->put_Visible(OAFALSE);
}

void DirectShowMovie::Start() { control_->Run(); }

void DirectShowMovie::Stop() { control_->Pause(); }

void DirectShowMovie::GoToBeginning() {
    done_ = false;
    if (!seeking_) return;
    LONGLONG start = 0;
    seeking_->SetPositions(&start, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning);
}

void DirectShowMovie::SetVolume(int16_t level) {
    volume_ = level;
    if (!audio_) return;
    // DirectShow wants hundredths of a decibel, 0 loudest, -10000 silent.
    long db = -10000;
    if (level >= kFullVolume) {
        db = 0;
    } else if (level > 0) {
        db = static_cast<long>(2000.0 * std::log10(static_cast<double>(level) / kFullVolume));
    }
    audio_->put_Volume(db);
}

void DirectShowMovie::Service() {
    if (!events_) return;
    long code = 0;
    LONG_PTR p1 = 0, p2 = 0;
    while (events_->GetEvent(&code, &p1, &p2, 0) == S_OK) {
        events_->FreeEventParams(code, p1, p2);
        if (code != EC_COMPLETE) continue;
        if (looping_) {
            GoToBeginning();
            Start();
            continue;
        }
        done_ = true;
        MovieCallBack* callback = armed;
        if (callback == nullptr) continue;
        // Called once: the saver arms it again when it wants more. The call
        // may rewind and restart this movie, so nothing of it is read after.
        armed = nullptr;
        callback->proc(reinterpret_cast<intptr_t>(callback), callback->refCon);
        return;
    }
}
