#pragma once
#include "framework/Win32.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

#include "saver/settings/SaverSettings.h"

// What the settings window's benchmarks share: a clock in seconds, the
// message pump between measurements, and a playlist of numbered clips.

inline double Seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

inline void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

// Appends `count` items "C:\movies\clip<i>.avi" for i from 0.
inline void AddClips(SaverSettings& settings, uint32_t count) {
    for (uint32_t i = 0; i < count; ++i) {
        auto item = std::make_unique<MediaItem>();
        item->File = "C:\\movies\\clip" + std::to_string(i) + ".avi";
        if (settings.AddItem(item.get()) >= 0) item.release();
    }
}
