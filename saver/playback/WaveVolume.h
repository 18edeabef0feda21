#pragma once
#include <cstdint>
#include <memory>

#include "core/WaveDevice.h"

// The wave-output volume that the saver's keys change, and put back when the
// saver ends. It acts on the first device with volume control; without one
// (or when that device's volume cannot even be read) every operation does
// nothing, so the keys still work on the mute flags alone.
class WaveVolume {
public:
    // Finds the device and remembers its present volume.
    explicit WaveVolume(std::unique_ptr<WaveDevice> device);
    // Puts back the whole volume found at construction, both channels as
    // they were.
    virtual ~WaveVolume();
    WaveVolume(const WaveVolume&) = delete;
    WaveVolume& operator=(const WaveVolume&) = delete;

    static constexpr uint32_t kStep = 2048;

    // The device's present volume; 0 when there is no device or it refuses.
    uint32_t GetVolume();
    // Clamps `level` to minLevel..maxLevel and writes it to both channels.
    void SetLevel(uint16_t level);
    // Muting writes level 0; unmuting writes the level in force before the
    // mute. Asking for the state already applied writes currentVolume again.
    void SetMuted(bool mute);
    // One step up, unless that would reach maxLevel.
    void VolumeUp();
    // One step down, unless that would reach minLevel.
    void VolumeDown();

    bool available = false;
    uint32_t deviceId = 0;
    bool muted = false;
    uint32_t startVolume = 0;
    uint32_t currentVolume = 0;
    uint32_t previousVolume = 0;
    uint16_t minLevel = 0;
    uint16_t maxLevel = 65535;

private:
    void Write(uint32_t volume);

    std::unique_ptr<WaveDevice> device_;
};
