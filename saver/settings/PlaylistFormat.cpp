#include "saver/settings/PlaylistFormat.h"

#include <cstring>

#include "core/ByteStream.h"

namespace playlist {

bool ReadNumber(ByteStream& file, uint32_t& value) {
    uint8_t bytes[4];
    if (file.Read(bytes, sizeof bytes) != sizeof bytes) return false;
    value = static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
            static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
    return true;
}

bool ReadText(ByteStream& file, std::string& text) {
    bool ended = false;
    file.ReadUntil(0, text, ended);
    return ended;
}

bool ReadText(ByteStream& file, std::string& text, size_t limit) {
    char kept[kMaxCutTextLength];
    const size_t room = limit < sizeof kept ? limit : sizeof kept;
    bool ended = false;
    const uint32_t length = file.ReadUntil(0, kept, static_cast<uint32_t>(room), ended);
    text.assign(kept, length);
    return ended;
}

void WriteByte(ByteStream& file, uint8_t byte) { file.Write(&byte, 1); }

void WriteNumber(ByteStream& file, uint32_t value) {
    const uint8_t bytes[4] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                              static_cast<uint8_t>(value >> 16),
                              static_cast<uint8_t>(value >> 24)};
    file.Write(bytes, sizeof bytes);
}

void WriteMarked(ByteStream& file, uint32_t value, uint32_t width) {
    const uint8_t bytes[5] = {kFieldMarker, static_cast<uint8_t>(value),
                              static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value >> 16),
                              static_cast<uint8_t>(value >> 24)};
    file.Write(bytes, 1 + width);
}

void WriteText(ByteStream& file, const char* text) {
    // The terminating zero goes out with the characters.
    file.Write(text, static_cast<uint32_t>(std::strlen(text) + 1));
}

}  // namespace playlist
