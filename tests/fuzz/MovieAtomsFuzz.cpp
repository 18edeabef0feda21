// libFuzzer target: the structure check of untrusted movie files on
// arbitrary bytes, read from memory. Besides the sanitizers' checks: a file
// laid out in atoms that is judged whole holds a movie atom, and one judged
// whole stays whole with zeros reserved after it, as recorders leave them.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "quicktime/MovieAtoms.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

bool StartsWithAtom(const uint8_t* data, size_t size) {
    if (size < 8) return false;
    const uint32_t length = (uint32_t{data[0]} << 24) | (uint32_t{data[1]} << 16) | (uint32_t{data[2]} << 8) | data[3];
    for (int i = 4; i < 8; ++i) {
        if (data[i] < 0x20 || data[i] > 0x7E) return false;
    }
    return length == 0 || length == 1 || length >= 8;
}

bool HoldsMovieAtom(const uint8_t* data, size_t size) {
    for (size_t i = 0; i + 4 <= size; ++i) {
        if (std::memcmp(data + i, "moov", 4) == 0) return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // An exact copy, so that a read past the end is the sanitizer's to see.
    std::vector<unsigned char> bytes(data, data + size);
    const bool whole = MovieAtoms::Whole(bytes.data(), bytes.size());
    if (size == 0) {
        Check(!whole);
        return 0;
    }
    if (whole && StartsWithAtom(data, size)) Check(HoldsMovieAtom(data, size));
    if (whole) {
        bytes.resize(size + 64, 0);
        Check(MovieAtoms::Whole(bytes.data(), bytes.size()));
    }
    return 0;
}
