#pragma once
#include <cstdint>

// The system's wave-output devices as WaveVolume needs them. The Windows
// layer answers through the waveOut calls; tests use a device in memory.
class WaveDevice {
public:
    virtual ~WaveDevice() = default;
    // Number of wave-output devices; ids run from 0 to this minus 1.
    virtual uint32_t DeviceCount() = 0;
    // false when the capability query fails; otherwise `hasVolume` tells
    // whether the device's support flags include volume control.
    virtual bool QueryVolumeSupport(uint32_t id, bool& hasVolume) = 0;
    // false when the device refuses; `volume` is then unchanged. Low 16 bits
    // left channel, high 16 bits right channel.
    virtual bool ReadVolume(uint32_t id, uint32_t& volume) = 0;
    // false when the device refuses.
    virtual bool WriteVolume(uint32_t id, uint32_t volume) = 0;
};
