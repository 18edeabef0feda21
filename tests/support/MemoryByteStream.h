#pragma once
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "core/ByteStream.h"

// A ByteStream over bytes in memory. `chunk` limits how many bytes one
// ReadRaw hands over, so tests can make the buffer refill anywhere; a write
// can be made to fail after `failAfter` bytes, as a full disk would.
class MemoryByteStream : public ByteStream {
public:
    struct WriteFailed {};

    MemoryByteStream() = default;
    explicit MemoryByteStream(std::vector<uint8_t> bytes, uint32_t chunk = UINT32_MAX)
        : bytes_(std::move(bytes)), chunk_(chunk) {}

    // Everything written so far.
    const std::vector<uint8_t>& Bytes() {
        Flush();
        return bytes_;
    }
    size_t ReadPosition() const { return readPos_; }
    // Empties the stream for another use, keeping its buffers.
    void Clear() {
        DiscardBuffers();
        bytes_.clear();
        readPos_ = 0;
    }
    int rawReads = 0;
    size_t rawBytesRead = 0;  // all that ReadRaw handed over
    size_t failAfter = SIZE_MAX;
    bool knowsLength = true;  // false: a stream that cannot tell how long it is

protected:
    uint32_t ReadRaw(void* buffer, uint32_t size) override {
        ++rawReads;
        const size_t left = bytes_.size() - readPos_;
        const uint32_t n = static_cast<uint32_t>(std::min<size_t>({left, size, chunk_}));
        if (n > 0) std::memcpy(buffer, bytes_.data() + readPos_, n);
        readPos_ += n;
        rawBytesRead += n;
        return n;
    }
    uint64_t RawBytesLeft() override {
        return knowsLength ? bytes_.size() - readPos_ : kUnknownLength;
    }
    void WriteRaw(const void* data, uint32_t size) override {
        if (bytes_.size() + size > failAfter) throw WriteFailed{};
        const auto* p = static_cast<const uint8_t*>(data);
        bytes_.insert(bytes_.end(), p, p + size);
    }

private:
    std::vector<uint8_t> bytes_;
    size_t readPos_ = 0;
    uint32_t chunk_ = UINT32_MAX;
};
