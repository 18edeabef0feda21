#pragma once
#include <cstdint>

// The frame format of the sample grabber's stream, as its media type gives it.
struct FrameFormat {
    long width = 0, height = 0;
    long stride = 0;  // bytes from one row to the next; negative for bottom-up rows
    // NV12: a plane of luma rows (stride bytes each) followed by a plane of
    // interleaved U and V at half the rows; otherwise 32-bit pixels.
    bool nv12 = false;
};

// Copies a decoder's frame of one format into top-down rows of 32-bit pixels
// (blue, green, red, zero), keeping every step-th pixel of every step-th row
// so that a frame wider than kMaxWidth or taller than kMaxHeight is kept at
// half size or less. Every byte read lies within the buffer handed over,
// whatever its length: a frame too short for its format is passed over, and
// the chroma an NV12 buffer sized to the rounded-down half rows lacks (an
// odd height or width) is taken as grey.
class FrameCopy {
public:
    static constexpr long kMaxWidth = 1920;
    static constexpr long kMaxHeight = 1200;

    // A format without a positive width and height keeps nothing.
    explicit FrameCopy(const FrameFormat& format);

    long KeptWidth() const { return keptWidth_; }
    long KeptHeight() const { return keptHeight_; }
    // The bytes of the kept picture: KeptWidth() x KeptHeight() x 4.
    uint64_t KeptBytes() const;
    // Copies the frame in `buffer` (`size` bytes) to `out`, which holds
    // KeptBytes(); false, and `out` as it was, for a frame shorter than its
    // format or when nothing is kept.
    bool Copy(const uint8_t* buffer, uint32_t size, uint8_t* out) const;

    // The bytes of a 32-bit picture `width` wide and `height` high (negative
    // for top-down rows), 0 for one without pixels or with a side over
    // 32767, which no movie box holds.
    static uint64_t Rgb32Bytes(int32_t width, int32_t height);

private:
    bool CopyRgb32(const uint8_t* buffer, uint32_t size, uint8_t* out) const;
    bool CopyNv12(const uint8_t* buffer, uint32_t size, uint8_t* out) const;

    FrameFormat format_;
    long step_ = 1;
    long keptWidth_ = 0, keptHeight_ = 0;
};
