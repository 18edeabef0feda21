#pragma once
#include "framework/Win32.h"

#include "core/WaveDevice.h"

// The system's wave-output devices through the waveOut calls, by device id.
// Where the system refuses volume by id (Wine answers
// MMSYSERR_INVALHANDLE), ReadVolume fails and WaveVolume leaves the device
// alone.
class WaveOutDevice : public WaveDevice {
public:
    uint32_t DeviceCount() override;
    bool QueryVolumeSupport(uint32_t id, bool& hasVolume) override;
    bool ReadVolume(uint32_t id, uint32_t& volume) override;
    bool WriteVolume(uint32_t id, uint32_t volume) override;
};
