#include "framework/Multimedia.h"

#include "framework/LateBound.h"

namespace {
constexpr const char kLibrary[] = "winmm.dll";
}  // namespace

MCIERROR SendMciCommand(MCIDEVICEID device, UINT message, DWORD_PTR flags, DWORD_PTR parms) {
    static auto* const send = LateBound<decltype(mciSendCommandA)>(kLibrary, "mciSendCommandA");
    return send != nullptr ? send(device, message, flags, parms) : MCIERR_CANNOT_LOAD_DRIVER;
}

UINT WaveOutDeviceCount() {
    static auto* const count = LateBound<decltype(waveOutGetNumDevs)>(kLibrary, "waveOutGetNumDevs");
    return count != nullptr ? count() : 0;
}

MMRESULT WaveOutCaps(UINT device, WAVEOUTCAPSA* caps, UINT size) {
    static auto* const get = LateBound<decltype(waveOutGetDevCapsA)>(kLibrary, "waveOutGetDevCapsA");
    return get != nullptr ? get(device, caps, size) : MMSYSERR_NODRIVER;
}

MMRESULT WaveOutReadVolume(HWAVEOUT device, DWORD* volume) {
    static auto* const get = LateBound<decltype(waveOutGetVolume)>(kLibrary, "waveOutGetVolume");
    return get != nullptr ? get(device, volume) : MMSYSERR_NODRIVER;
}

MMRESULT WaveOutWriteVolume(HWAVEOUT device, DWORD volume) {
    static auto* const set = LateBound<decltype(waveOutSetVolume)>(kLibrary, "waveOutSetVolume");
    return set != nullptr ? set(device, volume) : MMSYSERR_NODRIVER;
}
