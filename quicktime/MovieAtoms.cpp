#include "quicktime/MovieAtoms.h"

#include <cstring>

namespace {

constexpr uint32_t kHeaderBytes = 8;
constexpr uint32_t kLargeHeaderBytes = 16;

uint64_t BigEndian(const unsigned char* bytes, int count) {
    uint64_t value = 0;
    for (int i = 0; i < count; ++i) value = (value << 8) | bytes[i];
    return value;
}

bool IsAtomType(const unsigned char* type) {
    for (int i = 0; i < 4; ++i) {
        if (type[i] < 0x20 || type[i] > 0x7E) return false;
    }
    return true;
}

class MemorySource final : public MovieAtoms::Source {
public:
    MemorySource(const unsigned char* bytes, size_t size) : bytes_(bytes), size_(size) {}
    bool ReadAt(uint64_t offset, unsigned char* bytes, uint32_t count) override {
        if (offset > size_ || count > size_ - offset) return false;
        std::memcpy(bytes, bytes_ + offset, count);
        return true;
    }

private:
    const unsigned char* bytes_;
    size_t size_;
};

}  // namespace

bool MovieAtoms::Whole(const unsigned char* bytes, size_t size) {
    MemorySource source(bytes, size);
    return Whole(source, size);
}

bool MovieAtoms::Whole(Source& source, uint64_t size) {
    if (size == 0) return false;
    unsigned char header[kLargeHeaderBytes];
    if (size < kHeaderBytes || !source.ReadAt(0, header, kHeaderBytes)) return true;
    const uint64_t first = BigEndian(header, 4);
    if (!IsAtomType(header + 4) || (first != 0 && first != 1 && first < kHeaderBytes)) return true;

    bool movie = false;
    uint64_t at = 0;
    while (at < size) {
        // A tail too short for a header, or one that cannot start an atom,
        // is padding after the last atom.
        if (size - at < kHeaderBytes) break;
        if (!source.ReadAt(at, header, kHeaderBytes)) return false;
        if (!IsAtomType(header + 4)) break;
        uint64_t length = BigEndian(header, 4);
        if (length == 0) {
            length = size - at;  // the last atom runs to the end of the file
        } else if (length == 1) {
            if (size - at < kLargeHeaderBytes || !source.ReadAt(at, header, kLargeHeaderBytes)) return false;
            length = BigEndian(header + 8, 8);
            if (length < kLargeHeaderBytes) return false;
        } else if (length < kHeaderBytes) {
            return false;
        }
        if (length > size - at) return false;  // cut short
        if (std::memcmp(header + 4, "moov", 4) == 0) movie = true;
        at += length;
    }
    return movie;
}
