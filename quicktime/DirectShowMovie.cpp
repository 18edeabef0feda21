#include "quicktime/DirectShowMovie.h"

#include "quicktime/FrameCopy.h"
#include "quicktime/MovieAtoms.h"

#include <cmath>
#include <vector>

namespace {

// The system's sample grabber and null renderer (qedit).
constexpr CLSID kSampleGrabber = {0xC1F400A0, 0x3F08, 0x11D3, {0x9F, 0x0B, 0x00, 0x60, 0x08, 0x03, 0x9E, 0x37}};
constexpr CLSID kNullRenderer = {0xC1F400A4, 0x3F08, 0x11D3, {0x9F, 0x0B, 0x00, 0x60, 0x08, 0x03, 0x9E, 0x37}};
// The first pin of `filter` facing `direction`, or null.
IPin* FirstPin(IBaseFilter* filter, PIN_DIRECTION direction) {
    ComPtr<IEnumPins> pins;
    if (FAILED(filter->EnumPins(reinterpret_cast<IEnumPins**>(pins.Out())))) return nullptr;
    IPin* pin = nullptr;
    while (pins->Next(1, &pin, nullptr) == S_OK) {
        PIN_DIRECTION its;
        if (SUCCEEDED(pin->QueryDirection(&its)) && its == direction) return pin;
        pin->Release();
    }
    return nullptr;
}

// The graph's video renderer: the filter with a video window of its own.
IBaseFilter* VideoRenderer(IGraphBuilder* graph) {
    ComPtr<IEnumFilters> filters;
    if (FAILED(graph->EnumFilters(reinterpret_cast<IEnumFilters**>(filters.Out())))) return nullptr;
    IBaseFilter* filter = nullptr;
    while (filters->Next(1, &filter, nullptr) == S_OK) {
        ComPtr<IVideoWindow> window;
        if (SUCCEEDED(filter->QueryInterface(IID_IVideoWindow, window.Out()))) return filter;
        filter->Release();
    }
    return nullptr;
}

template <class T>
class Owned {  // one reference of a COM object handed over by a call
public:
    explicit Owned(T* p) : p_(p) {}
    ~Owned() {
        if (p_ != nullptr) p_->Release();
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    T* get() const { return p_; }

private:
    T* p_;
};

}  // namespace

DirectShowMovie::~DirectShowMovie() {
    if (armed != nullptr) armed->movie = nullptr;
    picture_.Destroy();
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
    // A file cut short or empty can keep a splitter connecting for ever.
    if (!MovieAtoms::Whole(path)) return false;
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
    if (GrabPicture()) {
        width_ = frame_.biWidth;
        height_ = frame_.biHeight < 0 ? -frame_.biHeight : frame_.biHeight;
    } else if (SUCCEEDED(graph_->QueryInterface(IID_IBasicVideo, basic.Out())) &&
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

bool DirectShowMovie::GrabPicture() {
    Owned<IBaseFilter> renderer(VideoRenderer(graph_.Get()));
    if (renderer.get() == nullptr) return false;
    Owned<IPin> input(FirstPin(renderer.get(), PINDIR_INPUT));
    IPin* source = nullptr;
    if (input.get() == nullptr || FAILED(input.get()->ConnectedTo(&source))) return false;
    Owned<IPin> upstream(source);

    ComPtr<IBaseFilter> grabber, sink;
    if (FAILED(CoCreateInstance(kSampleGrabber, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter, grabber.Out())) ||
        FAILED(CoCreateInstance(kNullRenderer, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter, sink.Out())) ||
        FAILED(grabber->QueryInterface(IID_ISampleGrabber, grabber_.Out()))) {
        grabber_.Reset();
        return false;
    }
    AM_MEDIA_TYPE wanted{};
    wanted.majortype = MEDIATYPE_Video;
    wanted.subtype = MEDIASUBTYPE_RGB32;
    wanted.formattype = FORMAT_VideoInfo;
    grabber_->SetMediaType(&wanted);

    graph_->RemoveFilter(renderer.get());
    Owned<IPin> grabberIn(FirstPin(grabber.Get(), PINDIR_INPUT));
    Owned<IPin> grabberOut(FirstPin(grabber.Get(), PINDIR_OUTPUT));
    Owned<IPin> sinkIn(FirstPin(sink.Get(), PINDIR_INPUT));
    AM_MEDIA_TYPE got{};
    const bool connected = grabberIn.get() != nullptr && grabberOut.get() != nullptr && sinkIn.get() != nullptr &&
                           SUCCEEDED(graph_->AddFilter(grabber.Get(), L"Picture")) &&
                           SUCCEEDED(graph_->AddFilter(sink.Get(), L"Picture sink")) &&
                           SUCCEEDED(graph_->Connect(upstream.get(), grabberIn.get())) &&
                           SUCCEEDED(graph_->Connect(grabberOut.get(), sinkIn.get())) &&
                           SUCCEEDED(grabber_->GetConnectedMediaType(&got));
    if (connected && got.formattype == FORMAT_VideoInfo && got.pbFormat != nullptr &&
        got.cbFormat >= sizeof(VIDEOINFOHEADER)) {
        frame_ = reinterpret_cast<const VIDEOINFOHEADER*>(got.pbFormat)->bmiHeader;
    }
    if (got.pbFormat != nullptr) CoTaskMemFree(got.pbFormat);
    if (got.pUnk != nullptr) got.pUnk->Release();
    // A frame size without pixels, or too large for a movie's box, is refused.
    if (FrameCopy::Rgb32Bytes(frame_.biWidth, frame_.biHeight) != 0 && frame_.biBitCount == 32) {
        grabber_->SetBufferSamples(TRUE);
        grabber_->SetOneShot(FALSE);
        return true;
    }
    // Put the picture back the way the graph had it.
    graph_->RemoveFilter(grabber.Get());
    graph_->RemoveFilter(sink.Get());
    grabber_.Reset();
    frame_ = BITMAPINFOHEADER{};
    graph_->Render(upstream.get());
    return false;
}

void DirectShowMovie::PaintPicture(HDC dc, const RECT& area) {
    long size = 0;
    const bool frame = grabber_ && SUCCEEDED(grabber_->GetCurrentBuffer(&size, nullptr)) && size > 0;
    if (frame) {
        pixels_.resize(static_cast<size_t>(size));
        if (FAILED(grabber_->GetCurrentBuffer(&size, reinterpret_cast<long*>(pixels_.data())))) pixels_.clear();
    }
    // Before the movie's first frame the screen keeps what it shows: the
    // last picture of the movie before this one, not a black one between.
    if (!frame && pixels_.empty()) return;
    const uint64_t needed = FrameCopy::Rgb32Bytes(frame_.biWidth, frame_.biHeight);
    if (needed == 0 || pixels_.size() < needed) {
        FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        return;
    }
    BITMAPINFO info{};
    info.bmiHeader = frame_;
    info.bmiHeader.biCompression = BI_RGB;
    StretchDIBits(dc, 0, 0, area.right, area.bottom, 0, 0, frame_.biWidth, height_,
                  pixels_.data(), &info, DIB_RGB_COLORS, SRCCOPY);
}

void DirectShowMovie::ShowAt(const QtRect& rect) {
    if (grabber_) {
        if (picture_.Handle() == nullptr && !picture_.Create(window_, this)) return;
        picture_.ShowAt(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
        return;
    }
    if (!video_) return;
    video_->SetWindowPosition(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    video_->put_Visible(OATRUE);
}

void DirectShowMovie::Hide() {
    picture_.Hide();
    if (video_) video_->put_Visible(OAFALSE);
}

void DirectShowMovie::Start() {
    if (rewindPending_) {
        rewindPending_ = false;
        SeekToStart();
    }
    running_ = SUCCEEDED(control_->Run());
    if (!running_) ended_ = true;
}

int32_t DirectShowMovie::DurationMs() const {
    LONGLONG duration = 0;  // in 100 ns units
    if (!seeking_ || FAILED(seeking_->GetDuration(&duration)) || duration <= 0) return 0;
    const LONGLONG ms = duration / 10000;
    return ms > INT32_MAX ? INT32_MAX : static_cast<int32_t>(ms);
}

void DirectShowMovie::Stop() {
    running_ = false;
    control_->Pause();
}

void DirectShowMovie::GoToBeginning() {
    done_ = false;
    if (running_) {
        SeekToStart();
    } else {
        rewindPending_ = true;
    }
}

void DirectShowMovie::SeekToStart() {
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

namespace {
// Events after which the graph plays no more: its end, or an error.
bool EndsPlay(long code) {
    return code == EC_COMPLETE || code == EC_ERRORABORT || code == EC_USERABORT || code == EC_STREAM_ERROR_STOPPED ||
           code == EC_ERRORABORTEX;
}
}  // namespace

void DirectShowMovie::Service() {
    if (!events_) return;
    long code = 0;
    LONG_PTR p1 = 0, p2 = 0;
    while (events_->GetEvent(&code, &p1, &p2, 0) == S_OK) {
        events_->FreeEventParams(code, p1, p2);
        if (!EndsPlay(code)) continue;
        if (code == EC_COMPLETE && looping_ && !ended_) {
            GoToBeginning();
            Start();
            continue;
        }
        ended_ = true;
    }
    if (!ended_) return;
    ended_ = false;
    done_ = true;
    MovieCallBack* callback = armed;
    if (callback == nullptr) return;
    // Called once: the saver arms it again when it wants more. The call
    // may rewind and restart this movie, so nothing of it is read after.
    armed = nullptr;
    callback->proc(reinterpret_cast<intptr_t>(callback), callback->refCon);
}
