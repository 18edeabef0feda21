#pragma once
#include <windows.h>
#include <mfapi.h>
#include <mfidl.h>

// The Media Foundation routines the library's movie calls, looked up in the
// system's mfplat.dll and mf.dll when a movie is opened: the library imports
// none of them, so it still loads where Media Foundation is missing (Windows
// 95 to XP, the N editions, a Wine prefix with mfplat disabled). Vista's
// Media Foundation lacks the sample grabber and counts as missing.
//
// One per movie: it keeps Media Foundation started (MFStartup counts its
// callers) for as long as the movie lives. The libraries, once loaded, stay
// for the life of the process.
class MediaFoundationApi {
public:
    MediaFoundationApi() = default;
    ~MediaFoundationApi();
    MediaFoundationApi(const MediaFoundationApi&) = delete;
    MediaFoundationApi& operator=(const MediaFoundationApi&) = delete;

    // False, with nothing held, where the system has no usable Media Foundation.
    bool Load();

    HRESULT(WINAPI* CreateMediaSession)(IMFAttributes*, IMFMediaSession**) = nullptr;
    HRESULT(WINAPI* CreateSourceResolver)(IMFSourceResolver**) = nullptr;
    HRESULT(WINAPI* CreateTopology)(IMFTopology**) = nullptr;
    HRESULT(WINAPI* CreateTopologyNode)(MF_TOPOLOGY_TYPE, IMFTopologyNode**) = nullptr;
    HRESULT(WINAPI* CreateTopoLoader)(IMFTopoLoader**) = nullptr;
    HRESULT(WINAPI* CreateMediaType)(IMFMediaType**) = nullptr;
    HRESULT(WINAPI* CreateSampleGrabberSinkActivate)(IMFMediaType*, IMFSampleGrabberSinkCallback*,
                                                     IMFActivate**) = nullptr;
    HRESULT(WINAPI* CreateAudioRendererActivate)(IMFActivate**) = nullptr;
    HRESULT(WINAPI* GetService)(IUnknown*, REFGUID, REFIID, void**) = nullptr;

private:
    void Release();

    HMODULE platform_ = nullptr;  // mfplat.dll
    HMODULE pipeline_ = nullptr;  // mf.dll
    HRESULT(WINAPI* shutdown_)() = nullptr;
    bool started_ = false;
};
