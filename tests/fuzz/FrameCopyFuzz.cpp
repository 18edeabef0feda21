// libFuzzer target: the sample grabber's frame copies, NV12 and 32-bit RGB,
// with sizes, strides and buffer lengths taken from the input, each buffer
// allocated to its exact length so that a read past it is the sanitizer's
// to see. A frame copied must be one its buffer can hold; a picture's byte
// count is its pixels' or 0.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "quicktime/FrameCopy.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

// Reads the input's bytes in order, zeros once it has run out.
class Taken {
public:
    Taken(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    uint32_t Next(int bytes) {
        uint32_t value = 0;
        for (int i = 0; i < bytes; ++i) value = (value << 8) | (at_ < size_ ? data_[at_++] : 0);
        return value;
    }
    // Mostly small values, now and then any 32-bit one.
    long Side() {
        const uint32_t kind = Next(1);
        if (kind < 16) return static_cast<long>(static_cast<int32_t>(Next(4)));
        return static_cast<long>(Next(2) % 4100) - (kind < 24 ? 2 : 0);
    }
    const uint8_t* Rest(size_t& size) const {
        size = size_ - at_;
        return data_ + at_;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Taken in(data, size);
    FrameFormat format;
    format.nv12 = (in.Next(1) & 1) != 0;
    format.width = in.Side();
    format.height = in.Side();
    const uint32_t strideKind = in.Next(1);
    if (strideKind < 64) {
        format.stride = 0;
    } else if (strideKind < 128) {
        format.stride = format.nv12 ? format.width : format.width * 4;
        if (strideKind & 1) format.stride = -format.stride;
    } else {
        format.stride = in.Side();
    }
    const uint32_t length = in.Next(3) % (1u << 18);

    const uint64_t pictureBytes = FrameCopy::Rgb32Bytes(static_cast<int32_t>(format.width),
                                                        static_cast<int32_t>(format.height));
    if (pictureBytes != 0) {
        Check(format.width > 0 && format.width <= 32767 && format.height != 0);
        const uint64_t rows = format.height < 0 ? 0 - static_cast<uint64_t>(static_cast<int64_t>(format.height))
                                                : static_cast<uint64_t>(format.height);
        Check(rows <= 32767 && pictureBytes == static_cast<uint64_t>(format.width) * rows * 4);
    }

    const FrameCopy copy(format);
    Check(copy.KeptWidth() <= FrameCopy::kMaxWidth && copy.KeptHeight() <= FrameCopy::kMaxHeight);
    Check(copy.KeptWidth() >= 0 && copy.KeptHeight() >= 0);
    if (copy.KeptBytes() == 0) return 0;
    size_t restSize = 0;
    const uint8_t* rest = in.Rest(restSize);
    std::vector<uint8_t> frame(length);
    if (length != 0) std::memcpy(frame.data(), rest, restSize < length ? restSize : length);
    static std::vector<uint8_t> out;
    out.assign(static_cast<size_t>(copy.KeptBytes()), 0);
    // Copied from a vector of exactly `length` bytes (null when empty).
    if (!copy.Copy(length != 0 ? frame.data() : nullptr, length, out.data())) return 0;
    const uint64_t height = static_cast<uint64_t>(format.height);
    if (format.nv12) {
        const uint64_t stride = static_cast<uint64_t>(format.stride > 0 ? format.stride : format.width);
        Check(stride >= static_cast<uint64_t>(format.width) && uint64_t{length} * 2 / 3 >= stride * height);
    } else {
        const uint64_t rowBytes = format.stride < 0 ? 0 - static_cast<uint64_t>(static_cast<int64_t>(format.stride))
                                                    : static_cast<uint64_t>(format.stride);
        Check(rowBytes >= static_cast<uint64_t>(format.width) * 4 && length >= rowBytes * height);
    }
    return 0;
}
