#include "quicktime/MediaFoundationMovie.h"

#include "quicktime/MovieAtoms.h"

#include <mferror.h>

#include <vector>

using Microsoft::WRL::ComPtr;

namespace {

constexpr DWORD kCloseWaitMs = 2000;

// The frame size of a video media type, 0 x 0 when it has none.
SIZE FrameSize(IMFMediaType* type) {
    UINT64 packed = 0;
    if (type == nullptr || FAILED(type->GetUINT64(MF_MT_FRAME_SIZE, &packed))) return SIZE{0, 0};
    return SIZE{static_cast<LONG>(packed >> 32), static_cast<LONG>(packed & 0xFFFFFFFFu)};
}

// The stream sink behind an output node of a resolved topology, when it is
// the video one.
bool VideoSinkType(IMFTopologyNode* node, IMFMediaType** type) {
    ComPtr<IUnknown> object;
    ComPtr<IMFStreamSink> sink;
    ComPtr<IMFMediaTypeHandler> handler;
    GUID major{};
    return SUCCEEDED(node->GetObject(&object)) && SUCCEEDED(object.As(&sink)) &&
           SUCCEEDED(sink->GetMediaTypeHandler(&handler)) && SUCCEEDED(handler->GetMajorType(&major)) &&
           major == MFMediaType_Video && SUCCEEDED(handler->GetCurrentMediaType(type));
}

}  // namespace

MediaFoundationMovie::~MediaFoundationMovie() {
    if (armed != nullptr) armed->movie = nullptr;
    picture_.Destroy();
    Close();
}

bool MediaFoundationMovie::WaitForEvent(MediaEventType wanted) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < kCloseWaitMs) {
        ComPtr<IMFMediaEvent> event;
        MediaEventType type = MEUnknown;
        if (session_->GetEvent(MF_EVENT_FLAG_NO_WAIT, &event) != S_OK) {
            Sleep(1);
        } else if (SUCCEEDED(event->GetType(&type)) && type == wanted) {
            return true;
        }
    }
    return false;
}

void MediaFoundationMovie::Close() {
    if (session_) {
        // The session lets its sinks and the source go once it has closed.
        if (SUCCEEDED(session_->Close())) WaitForEvent(MESessionClosed);
    }
    if (source_) source_->Shutdown();
    if (session_) session_->Shutdown();
    ShutDownSinks();
    audio_.Reset();
    clock_.Reset();
    session_.Reset();
    source_.Reset();
    if (grabber_) grabber_->LetGo();
    grabber_.Reset();
}

void MediaFoundationMovie::ShutDownSinks() {
    // A sink and the session's clock hold each other until the sink lets the
    // clock go (Wine 8's sample grabber does not at its shutdown).
    for (auto& sink : mediaSinks_) sink->SetPresentationClock(nullptr);
    mediaSinks_.clear();
    soundSink_.Reset();
    for (auto& sink : sinks_) sink->ShutdownObject();
    sinks_.clear();
}

bool MediaFoundationMovie::WaitForGrabbers(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    while (FrameGrabber::Alive() > 0) {
        if (GetTickCount() - start >= milliseconds) return false;
        Sleep(5);
    }
    return true;
}

bool MediaFoundationMovie::Open(const std::string& path, HWND window) {
    window_ = window;
    // A file cut short can keep the source resolver waiting for ever.
    if (!MovieAtoms::Whole(path) || !api_.Load()) return false;
    const int length = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
    if (length <= 0) return false;
    std::vector<wchar_t> wide(static_cast<size_t>(length));
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), length);

    ComPtr<IMFSourceResolver> resolver;
    ComPtr<IUnknown> object;
    MF_OBJECT_TYPE kind = MF_OBJECT_INVALID;
    ComPtr<IMFPresentationDescriptor> descriptor;
    if (FAILED(api_.CreateSourceResolver(&resolver)) ||
        FAILED(resolver->CreateObjectFromURL(wide.data(), MF_RESOLUTION_MEDIASOURCE, nullptr, &kind, &object)) ||
        FAILED(object.As(&source_)) || FAILED(source_->CreatePresentationDescriptor(&descriptor))) {
        Close();
        return false;
    }
    UINT64 duration = 0;
    if (SUCCEEDED(descriptor->GetUINT64(MF_PD_DURATION, &duration))) length_ = duration;

    // The picture in NV12 where the decoder gives it, in 32-bit RGB through a
    // colour converter otherwise; a file whose sound cannot be played still
    // shows its picture.
    ComPtr<IMFTopology> full;
    bool built = false;
    for (const bool withSound : {true, false}) {
        for (const GUID& picture : {MFVideoFormat_NV12, MFVideoFormat_RGB32})
            built = built || Build(descriptor.Get(), withSound, picture, &full);
    }
    if (!built) {
        Close();
        return false;
    }
    ReadPictureFormat(full.Get());
    // The clock is taken now: asked for later, the session may answer only
    // once the grabber has let a frame through.
    ComPtr<IMFClock> clock;
    if (FAILED(api_.CreateMediaSession(nullptr, &session_)) || FAILED(session_->GetClock(&clock)) ||
        FAILED(clock.As(&clock_)) ||
        FAILED(session_->SetTopology(MFSESSION_SETTOPOLOGY_IMMEDIATE | MFSESSION_SETTOPOLOGY_NORESOLUTION,
                                     full.Get())) ||
        !picture_.Create(window, this)) {
        Close();
        return false;
    }
    return true;
}

bool MediaFoundationMovie::Build(IMFPresentationDescriptor* descriptor, bool withSound, const GUID& picture,
                                 IMFTopology** full) {
    ComPtr<IMFTopology> topology;
    if (FAILED(api_.CreateTopology(&topology))) return false;
    ShutDownSinks();
    grabber_.Reset();
    sound_ = false;
    nv12_ = picture == MFVideoFormat_NV12;
    width_ = height_ = 0;
    DWORD count = 0;
    descriptor->GetStreamDescriptorCount(&count);
    for (DWORD i = 0; i < count; ++i) {
        BOOL selected = FALSE;
        ComPtr<IMFStreamDescriptor> stream;
        ComPtr<IMFMediaTypeHandler> handler;
        GUID major{};
        if (FAILED(descriptor->GetStreamDescriptorByIndex(i, &selected, &stream)) ||
            FAILED(stream->GetMediaTypeHandler(&handler)) || FAILED(handler->GetMajorType(&major))) {
            continue;
        }
        ComPtr<IMFActivate> sink;
        if (major == MFMediaType_Video && !grabber_) {
            ComPtr<IMFMediaType> native, wanted;
            if (FAILED(handler->GetCurrentMediaType(&native)) && FAILED(handler->GetMediaTypeByIndex(0, &native)))
                continue;
            const SIZE size = FrameSize(native.Get());
            // Takes over the reference it is made with (MinGW's ComPtr::Attach would add one).
            *grabber_.ReleaseAndGetAddressOf() = FrameGrabber::Create();
            if (FAILED(api_.CreateMediaType(&wanted)) ||
                FAILED(wanted->SetGUID(MF_MT_MAJOR_TYPE, MFMediaType_Video)) ||
                FAILED(wanted->SetGUID(MF_MT_SUBTYPE, picture)) ||
                FAILED(api_.CreateSampleGrabberSinkActivate(wanted.Get(), grabber_.Get(), &sink)) ||
                FAILED(sink->SetUINT32(MF_SAMPLEGRABBERSINK_IGNORE_CLOCK, TRUE))) {
                grabber_.Reset();
                continue;
            }
            width_ = size.cx;
            height_ = size.cy;
        } else if (major == MFMediaType_Audio && withSound && !sound_) {
            if (FAILED(api_.CreateAudioRendererActivate(&sink))) continue;
            sound_ = true;
        }
        if (!sink) {
            descriptor->DeselectStream(i);
            continue;
        }
        descriptor->SelectStream(i);
        // The topology loader takes stream sinks, not their activators.
        sinks_.push_back(sink);
        ComPtr<IMFMediaSink> mediaSink;
        ComPtr<IMFStreamSink> streamSink;
        ComPtr<IMFTopologyNode> from, to;
        if (FAILED(sink->ActivateObject(IID_IMFMediaSink, reinterpret_cast<void**>(mediaSink.GetAddressOf()))) ||
            FAILED(mediaSink->GetStreamSinkByIndex(0, &streamSink))) {
            return false;
        }
        mediaSinks_.push_back(mediaSink);
        if (major == MFMediaType_Audio) soundSink_ = mediaSink;
        if (FAILED(api_.CreateTopologyNode(MF_TOPOLOGY_SOURCESTREAM_NODE, &from)) ||
            FAILED(from->SetUnknown(MF_TOPONODE_SOURCE, source_.Get())) ||
            FAILED(from->SetUnknown(MF_TOPONODE_PRESENTATION_DESCRIPTOR, descriptor)) ||
            FAILED(from->SetUnknown(MF_TOPONODE_STREAM_DESCRIPTOR, stream.Get())) ||
            FAILED(api_.CreateTopologyNode(MF_TOPOLOGY_OUTPUT_NODE, &to)) || FAILED(to->SetObject(streamSink.Get())) ||
            FAILED(topology->AddNode(from.Get())) || FAILED(topology->AddNode(to.Get())) ||
            FAILED(from->ConnectOutput(0, to.Get(), 0))) {
            return false;
        }
    }
    // Without a picture there is nothing to show; a sound alone still plays.
    if (!grabber_ && !sound_) return false;
    ComPtr<IMFTopoLoader> loader;
    return SUCCEEDED(api_.CreateTopoLoader(&loader)) && SUCCEEDED(loader->Load(topology.Get(), full, nullptr));
}

void MediaFoundationMovie::ReadPictureFormat(IMFTopology* full) {
    if (!grabber_) return;
    const long pixelBytes = nv12_ ? 1 : 4;
    format_ = FrameFormat{width_, height_, width_ * pixelBytes, nv12_};
    WORD count = 0;
    full->GetNodeCount(&count);
    for (WORD i = 0; i < count; ++i) {
        ComPtr<IMFTopologyNode> node;
        MF_TOPOLOGY_TYPE kind = MF_TOPOLOGY_MAX;
        ComPtr<IMFMediaType> type;
        if (FAILED(full->GetNode(i, &node)) || FAILED(node->GetNodeType(&kind)) || kind != MF_TOPOLOGY_OUTPUT_NODE ||
            !VideoSinkType(node.Get(), &type)) {
            continue;
        }
        const SIZE size = FrameSize(type.Get());
        if (size.cx > 0 && size.cy > 0) format_ = FrameFormat{size.cx, size.cy, size.cx * pixelBytes, nv12_};
        UINT32 stride = 0;
        if (SUCCEEDED(type->GetUINT32(MF_MT_DEFAULT_STRIDE, &stride)) && stride != 0)
            format_.stride = static_cast<INT32>(stride);
        break;
    }
    // A decoder's frame may be taller or wider than the picture (rows kept for
    // alignment): only the picture is shown.
    if (width_ > 0 && height_ > 0) {
        if (format_.width > width_ && format_.nv12) format_.width = width_;
        if (format_.height > height_ && format_.nv12) format_.height = height_;
    }
    grabber_->SetFormat(format_);
}

QtRect MediaFoundationMovie::Box() const {
    return QtRect{0, 0, static_cast<int16_t>(height_), static_cast<int16_t>(width_)};
}

void MediaFoundationMovie::ShowAt(const QtRect& rect) {
    if (!grabber_) return;
    picture_.ShowAt(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

void MediaFoundationMovie::Hide() { picture_.Hide(); }

void MediaFoundationMovie::Start() {
    if (!session_ || (playing_ && !fromStart_)) return;
    PROPVARIANT position;
    PropVariantInit(&position);
    if (fromStart_) {
        position.vt = VT_I8;
        position.hVal.QuadPart = 0;
        playedBefore_ = 0;
    }
    fromStart_ = false;
    if (FAILED(session_->Start(&GUID_NULL, &position))) {
        pending_ = Pending::kFailed;
        return;
    }
    runStarted_ = GetTickCount();
    progressAt_ = runStarted_;
    framesSeen_ = grabber_ ? grabber_->Frames() : 0;
    playing_ = true;
    ApplyVolume();
}

void MediaFoundationMovie::Stop() {
    if (!session_ || !playing_) return;
    session_->Pause();
    playedBefore_ = PlayedMs();
    playing_ = false;
}

void MediaFoundationMovie::GoToBeginning() {
    done_ = false;
    fromStart_ = true;
    if (playing_) Start();
}

LONGLONG MediaFoundationMovie::ClockTime() const {
    LONGLONG time = 0;
    MFTIME system = 0;
    return clock_ && SUCCEEDED(clock_->GetCorrelatedTime(0, &time, &system)) ? time : -1;
}

DWORD MediaFoundationMovie::PlayedMs() const {
    return playing_ ? playedBefore_ + (GetTickCount() - runStarted_) : playedBefore_;
}

void MediaFoundationMovie::SetVolume(int16_t level) {
    volume_ = level;
    ApplyVolume();
}

void MediaFoundationMovie::ApplyVolume() {
    if (!sound_ || !soundSink_) return;
    // Asked of the audio renderer itself: Wine 8's session, asked for it,
    // keeps a reference to every sink it looks at, the sample grabber too.
    if (!audio_ && FAILED(api_.GetService(soundSink_.Get(), MR_POLICY_VOLUME_SERVICE, IID_IMFSimpleAudioVolume,
                                          reinterpret_cast<void**>(audio_.GetAddressOf())))) {
        return;
    }
    // The level is linear: 256 full, 0 or below silent.
    float gain = 0.0f;
    if (volume_ >= kFullVolume) {
        gain = 1.0f;
    } else if (volume_ > 0) {
        gain = static_cast<float>(volume_) / kFullVolume;
    }
    audio_->SetMasterVolume(gain);
}

void MediaFoundationMovie::ReadEvents() {
    if (!session_) return;
    ComPtr<IMFMediaEvent> event;
    while (session_->GetEvent(MF_EVENT_FLAG_NO_WAIT, &event) == S_OK) {
        MediaEventType type = MEUnknown;
        HRESULT status = S_OK;
        event->GetType(&type);
        event->GetStatus(&status);
        event.Reset();
        if (type == MESessionEnded) {
            if (pending_ == Pending::kNothing) pending_ = Pending::kEnded;
        } else if (type == MEError || FAILED(status)) {
            pending_ = Pending::kFailed;
        } else if (type == MESessionTopologyStatus || type == MESessionStarted) {
            ApplyVolume();
        }
    }
    // Wine's audio renderer never reports the end of its stream, so a movie
    // with sound would wait out the stall margin and never loop: one whose
    // clock has passed its length by kEndGraceMs, a run long, has ended.
    const DWORD lengthMs = static_cast<DWORD>(length_ / 10000);
    if (pending_ == Pending::kNothing && playing_ && length_ > 0 && PlayedMs() >= lengthMs &&
        ClockTime() >= static_cast<LONGLONG>(length_) + LONGLONG{kEndGraceMs} * 10000) {
        pending_ = Pending::kEnded;
    }
    // A movie that has played its length and the margin without ending has stalled.
    if (pending_ == Pending::kNothing && playing_ && length_ > 0 &&
        PlayedMs() > static_cast<DWORD>(length_ / 10000) + kStallMarginMs) {
        pending_ = Pending::kFailed;
    }
    if (pending_ == Pending::kNothing && playing_ && length_ == 0) EndWithoutLength();
}

void MediaFoundationMovie::EndWithoutLength() {
    // Without a length the picture tells the end: a movie whose frames have
    // stopped coming for the stall margin has delivered its last (Wine's
    // audio renderer never says when the sound has), one that showed none
    // in that time has failed.
    const LONG frames = grabber_ ? grabber_->Frames() : 0;
    const DWORD now = GetTickCount();
    if (frames != framesSeen_) {
        framesSeen_ = frames;
        progressAt_ = now;
        return;
    }
    if (grabber_ && now - progressAt_ > kStallMarginMs) pending_ = frames > 0 ? Pending::kEnded : Pending::kFailed;
}

bool MediaFoundationMovie::Tick() {
    ReadEvents();
    if (pending_ != Pending::kNothing && !posted_ && window_ != nullptr) {
        posted_ = PostMessageA(window_, kEventMessage, 0, 0) != FALSE;
    }
    const LONG frames = grabber_ ? grabber_->Frames() : 0;
    if (frames == framesPainted_) return false;
    framesPainted_ = frames;
    return true;
}

void MediaFoundationMovie::PaintPicture(HDC dc, const RECT& area) {
    if (grabber_) {
        grabber_->Paint(dc, area);
    } else {
        FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
}

void MediaFoundationMovie::Service() {
    ReadEvents();
    if (pending_ == Pending::kNothing) return;
    const bool failed = pending_ == Pending::kFailed;
    pending_ = Pending::kNothing;
    posted_ = false;
    playing_ = false;
    fromStart_ = true;
    // A movie that failed or stalled ends even when it loops.
    if (looping_ && !failed) {
        Start();
        return;
    }
    done_ = true;
    MovieCallBack* callback = armed;
    if (callback == nullptr) return;
    // Called once: the saver arms it again when it wants more. The call may
    // rewind and restart this movie, so nothing of it is read after.
    armed = nullptr;
    callback->proc(reinterpret_cast<intptr_t>(callback), callback->refCon);
}
