#include "quicktime/MediaFoundationApi.h"

namespace {

// Windows 7's Media Foundation (MF_VERSION as its SDK spells it).
constexpr ULONG kMediaFoundationVersion = 0x00020070;

template <class F>
bool Find(HMODULE module, const char* name, F& routine) {
    routine = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    return routine != nullptr;
}

}  // namespace

MediaFoundationApi::~MediaFoundationApi() { Release(); }

bool MediaFoundationApi::Load() {
    platform_ = LoadLibraryA("mfplat.dll");
    pipeline_ = platform_ != nullptr ? LoadLibraryA("mf.dll") : nullptr;
    HRESULT(WINAPI * startup)(ULONG, DWORD) = nullptr;
    const bool found = pipeline_ != nullptr && Find(platform_, "MFStartup", startup) &&
                       Find(platform_, "MFShutdown", shutdown_) &&
                       Find(platform_, "MFCreateMediaType", CreateMediaType) &&
                       Find(platform_, "MFCreateSourceResolver", CreateSourceResolver) &&
                       Find(pipeline_, "MFCreateMediaSession", CreateMediaSession) &&
                       Find(pipeline_, "MFCreateTopology", CreateTopology) &&
                       Find(pipeline_, "MFCreateTopologyNode", CreateTopologyNode) &&
                       Find(pipeline_, "MFCreateTopoLoader", CreateTopoLoader) &&
                       Find(pipeline_, "MFCreateSampleGrabberSinkActivate", CreateSampleGrabberSinkActivate) &&
                       Find(pipeline_, "MFCreateAudioRendererActivate", CreateAudioRendererActivate) &&
                       Find(pipeline_, "MFGetService", GetService);
    started_ = found && SUCCEEDED(startup(kMediaFoundationVersion, 0));
    if (!started_) Release();
    return started_;
}

void MediaFoundationApi::Release() {
    if (started_) shutdown_();
    started_ = false;
    // The two libraries stay loaded: Media Foundation's decoders leave threads
    // of their own that may still run its code after the last movie has gone
    // (under Wine, unloading them faulted on the next movie).
    pipeline_ = platform_ = nullptr;
}
