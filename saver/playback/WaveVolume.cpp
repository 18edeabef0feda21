#include "saver/playback/WaveVolume.h"

namespace {
uint16_t LeftLevel(uint32_t volume) { return static_cast<uint16_t>(volume & 0xFFFFu); }
uint32_t BothChannels(uint16_t level) { return static_cast<uint32_t>(level) * 65537u; }
}  // namespace

WaveVolume::WaveVolume(std::unique_ptr<WaveDevice> device) : device_(std::move(device)) {
    if (!device_) return;
    const uint32_t count = device_->DeviceCount();
    for (uint32_t id = 0; id < count; ++id) {
        bool hasVolume = false;
        if (device_->QueryVolumeSupport(id, hasVolume) && hasVolume) {
            deviceId = id;
            available = true;
            break;
        }
    }
    if (!available) return;
    uint32_t volume = 0;
    if (!device_->ReadVolume(deviceId, volume)) {
        // A volume we cannot read is one we could never put back: leave the
        // device alone rather than restore a made-up value at the end.
        available = false;
        return;
    }
    startVolume = currentVolume = previousVolume = volume;
}

WaveVolume::~WaveVolume() {
    if (available) Write(startVolume);
}

uint32_t WaveVolume::GetVolume() {
    uint32_t volume = 0;
    if (!available || !device_->ReadVolume(deviceId, volume)) return 0;
    return volume;
}

void WaveVolume::SetLevel(uint16_t level) {
    if (!available) return;
    if (level > maxLevel) level = maxLevel;
    if (level < minLevel) level = minLevel;
    previousVolume = currentVolume;
    currentVolume = BothChannels(level);
    Write(currentVolume);
}

void WaveVolume::SetMuted(bool mute) {
    if (mute == muted) {
        Write(currentVolume);
        return;
    }
    muted = mute;
    if (mute) {
        SetLevel(0);
    } else {
        SetLevel(LeftLevel(previousVolume));
    }
}

void WaveVolume::VolumeUp() {
    uint32_t volume = 0;
    if (!available || !device_->ReadVolume(deviceId, volume)) return;
    const uint32_t left = LeftLevel(volume);
    if (left + kStep < maxLevel) SetLevel(static_cast<uint16_t>(left + kStep));
}

void WaveVolume::VolumeDown() {
    uint32_t volume = 0;
    if (!available || !device_->ReadVolume(deviceId, volume)) return;
    const uint32_t left = LeftLevel(volume);
    if (left > minLevel + kStep) SetLevel(static_cast<uint16_t>(left - kStep));
}

void WaveVolume::Write(uint32_t volume) {
    if (available) device_->WriteVolume(deviceId, volume);
}
