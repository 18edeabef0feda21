#include "saver/playback/win32/WaveOutDevice.h"

#include "framework/Multimedia.h"

// The capability record the device search asks for.
static_assert(sizeof(WAVEOUTCAPSA) == 52, "waveOutGetDevCapsA takes the 52-byte record");

namespace {
HWAVEOUT ById(uint32_t id) { return reinterpret_cast<HWAVEOUT>(static_cast<UINT_PTR>(id)); }
}  // namespace

uint32_t WaveOutDevice::DeviceCount() { return WaveOutDeviceCount(); }

bool WaveOutDevice::QueryVolumeSupport(uint32_t id, bool& hasVolume) {
    WAVEOUTCAPSA caps{};
    if (WaveOutCaps(id, &caps, sizeof caps) != MMSYSERR_NOERROR) return false;
    hasVolume = (caps.dwSupport & WAVECAPS_VOLUME) != 0;
    return true;
}

bool WaveOutDevice::ReadVolume(uint32_t id, uint32_t& volume) {
    DWORD value = 0;
    if (WaveOutReadVolume(ById(id), &value) != MMSYSERR_NOERROR) return false;
    volume = value;
    return true;
}

bool WaveOutDevice::WriteVolume(uint32_t id, uint32_t volume) {
    return WaveOutWriteVolume(ById(id), volume) == MMSYSERR_NOERROR;
}
