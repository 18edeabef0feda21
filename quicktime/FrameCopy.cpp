#include "quicktime/FrameCopy.h"

#include <cstring>

namespace {

constexpr int64_t kMaxSide = 32767;

uint8_t Clamped(int value) { return static_cast<uint8_t>(value < 0 ? 0 : value > 255 ? 255 : value); }

// One video-range BT.601 pixel as blue, green, red and a zero byte.
void PutYuv(uint8_t* out, int y, int u, int v) {
    const int c = (y - 16) * 298, d = u - 128, e = v - 128;
    out[0] = Clamped((c + 516 * d + 128) >> 8);
    out[1] = Clamped((c - 100 * d - 208 * e + 128) >> 8);
    out[2] = Clamped((c + 409 * e + 128) >> 8);
    out[3] = 0;
}

}  // namespace

FrameCopy::FrameCopy(const FrameFormat& format) : format_(format) {
    if (format.width <= 0 || format.height <= 0) return;
    // The smallest step that brings both sides within bounds.
    const long across = format.width / kMaxWidth + (format.width % kMaxWidth != 0 ? 1 : 0);
    const long down = format.height / kMaxHeight + (format.height % kMaxHeight != 0 ? 1 : 0);
    step_ = across > down ? across : down;
    keptWidth_ = format.width / step_;
    keptHeight_ = format.height / step_;
}

uint64_t FrameCopy::KeptBytes() const {
    return static_cast<uint64_t>(keptWidth_) * static_cast<uint64_t>(keptHeight_) * 4;
}

uint64_t FrameCopy::Rgb32Bytes(int32_t width, int32_t height) {
    const int64_t rows = height < 0 ? -static_cast<int64_t>(height) : height;
    if (width <= 0 || rows == 0 || width > kMaxSide || rows > kMaxSide) return 0;
    return static_cast<uint64_t>(width) * static_cast<uint64_t>(rows) * 4;
}

bool FrameCopy::Copy(const uint8_t* buffer, uint32_t size, uint8_t* out) const {
    if (keptWidth_ <= 0 || keptHeight_ <= 0 || buffer == nullptr) return false;
    return format_.nv12 ? CopyNv12(buffer, size, out) : CopyRgb32(buffer, size, out);
}

bool FrameCopy::CopyRgb32(const uint8_t* buffer, uint32_t size, uint8_t* out) const {
    const uint64_t rowBytes = format_.stride < 0 ? 0 - static_cast<uint64_t>(static_cast<int64_t>(format_.stride))
                                                 : static_cast<uint64_t>(format_.stride);
    const uint64_t width = static_cast<uint64_t>(format_.width), height = static_cast<uint64_t>(format_.height);
    if (rowBytes < width * 4 || size < rowBytes * height) return false;
    for (long y = 0; y < keptHeight_; ++y) {
        const uint64_t down = static_cast<uint64_t>(y) * static_cast<uint64_t>(step_);
        const uint64_t row = format_.stride < 0 ? height - 1 - down : down;
        const uint8_t* in = buffer + row * rowBytes;
        if (step_ == 1) {
            std::memcpy(out, in, static_cast<size_t>(keptWidth_) * 4);
            out += keptWidth_ * 4;
            continue;
        }
        for (long x = 0; x < keptWidth_; ++x, out += 4)
            std::memcpy(out, in + static_cast<uint64_t>(x) * static_cast<uint64_t>(step_) * 4, 4);
    }
    return true;
}

bool FrameCopy::CopyNv12(const uint8_t* buffer, uint32_t size, uint8_t* out) const {
    const uint64_t stride = static_cast<uint64_t>(format_.stride > 0 ? format_.stride : format_.width);
    if (stride < static_cast<uint64_t>(format_.width)) return false;
    // Decoders may make the planes taller than the picture: the chroma plane
    // starts where the buffer's size puts it.
    const uint64_t planeRows = static_cast<uint64_t>(size) * 2 / 3 / stride;
    if (planeRows < static_cast<uint64_t>(format_.height)) return false;
    const uint64_t chroma = planeRows * stride;
    for (long y = 0; y < keptHeight_; ++y) {
        const uint64_t row = static_cast<uint64_t>(y) * static_cast<uint64_t>(step_);
        const uint8_t* luma = buffer + row * stride;
        const uint64_t uv = chroma + (row / 2) * stride;
        for (long x = 0; x < keptWidth_; ++x, out += 4) {
            const uint64_t column = static_cast<uint64_t>(x) * static_cast<uint64_t>(step_);
            const uint64_t pair = uv + (column & ~uint64_t{1});
            // A buffer sized to the rounded-down half rows lacks the last
            // chroma row's end, and a row of odd width with no padding the
            // last pixel's V.
            const bool inRow = (column & ~uint64_t{1}) + 1 < stride;
            const int u = pair < size ? buffer[pair] : 128;
            const int v = inRow && pair + 1 < size ? buffer[pair + 1] : 128;
            PutYuv(out, luma[column], u, v);
        }
    }
    return true;
}
