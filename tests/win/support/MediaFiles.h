#pragma once
#include <cstdio>
#include <string>
#include <vector>

#include "tools/fixtures/AviWriter.h"
#include "tools/fixtures/WavWriter.h"

// A folder of media files written by the test itself, removed afterwards.
class MediaFolder {
public:
    MediaFolder() {
        char base[MAX_PATH];
        GetTempPathA(sizeof base, base);
        path_ = std::string(base) + "pelor-media-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(path_.c_str(), nullptr);
    }
    ~MediaFolder() {
        for (const std::string& f : files_) DeleteFileA(f.c_str());
        RemoveDirectoryA(path_.c_str());
    }
    MediaFolder(const MediaFolder&) = delete;
    MediaFolder& operator=(const MediaFolder&) = delete;

    // Writes `bytes` as `name` and returns the full path.
    std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) {
        const std::string full = path_ + "\\" + name;
        FILE* f = std::fopen(full.c_str(), "wb");
        if (f != nullptr) {
            if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
            std::fclose(f);
        }
        files_.push_back(full);
        return full;
    }
    std::string Avi(const std::string& name, int width, int height, uint32_t frames, uint32_t fps) {
        AviClip clip;
        clip.width = width;
        clip.height = height;
        clip.frames = frames;
        clip.fps = fps;
        return Write(name, WriteAvi(clip));
    }
    std::string Wav(const std::string& name, uint32_t milliseconds) {
        WavTone tone;
        tone.milliseconds = milliseconds;
        return Write(name, WriteWav(tone));
    }
    std::string Text(const std::string& name, const std::string& text) {
        return Write(name, std::vector<uint8_t>(text.begin(), text.end()));
    }

private:
    std::string path_;
    std::vector<std::string> files_;
};
