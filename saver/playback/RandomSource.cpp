#include "saver/playback/RandomSource.h"

#include <cstdlib>

uint32_t StdRandom::Next() { return static_cast<uint32_t>(std::rand()) % kRange; }

uint32_t ClassicRandom::Next() {
    state_ = state_ * 214013u + 2531011u;
    return (state_ >> 16) & 0x7FFFu;
}
