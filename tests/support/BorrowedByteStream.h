#pragma once
#include <cstddef>
#include <cstdint>

#include "core/ByteStream.h"

// A ByteStream that reads bytes it does not own, in place: no buffer of its
// own and no copy. The bytes must outlive the stream. Writing is refused.
class BorrowedByteStream : public ByteStream {
public:
    BorrowedByteStream(const uint8_t* data, size_t size) { LendReadBytes(data, static_cast<uint32_t>(size)); }

protected:
    uint32_t ReadRaw(void*, uint32_t) override { return 0; }
    uint64_t RawBytesLeft() override { return 0; }
    void WriteRaw(const void*, uint32_t) override { throw Refused{}; }

private:
    struct Refused {};
};
