#include <gtest/gtest.h>

#include "tools/fixtures/AviWriter.h"
#include "tools/fixtures/FrameArt.h"
#include "tools/fixtures/LittleEndian.h"
#include "tools/fixtures/WavWriter.h"

namespace {

// Offsets of the fixed layout: RIFF(12) LIST hdrl(12) avih(8+56) LIST strl(12)
// strh(8+56) strf(8+40) LIST movi(12).
constexpr size_t kAvih = 24;
constexpr size_t kStrh = kAvih + 8 + 56 + 12;
constexpr size_t kStrf = kStrh + 8 + 56;
constexpr size_t kMovi = kStrf + 8 + 40;

Rgb PixelAt(const std::vector<uint8_t>& avi, const AviClip& clip, uint32_t frame, int x, int y) {
    const size_t frameBytes = DibStride(clip.width, clip.bits) * clip.height;
    const size_t data = kMovi + 12 + frame * (8 + frameBytes) + 8;
    const size_t at = data + (clip.height - 1 - y) * DibStride(clip.width, clip.bits) + x * (clip.bits / 8);
    return Rgb{avi[at + 2], avi[at + 1], avi[at]};
}

TEST(AviWriter, ASlideShowRateIsFpsOverScale) {
    AviClip clip;
    clip.fps = 1;
    clip.scale = 5;  // a frame every 5 s
    const std::vector<uint8_t> avi = WriteAvi(clip);
    ASSERT_FALSE(avi.empty());
    EXPECT_EQ(ReadU32(avi, kAvih + 8), 5000000u);  // microseconds per frame
    EXPECT_EQ(ReadU32(avi, kStrh + 8 + 20), 5u);   // scale
    EXPECT_EQ(ReadU32(avi, kStrh + 8 + 24), 1u);   // rate
    clip.scale = 0;
    EXPECT_TRUE(WriteAvi(clip).empty());
}

TEST(AviWriter, HeadersDescribeTheClip) {
    AviClip clip{320, 180, 10, 25, 1, 24};
    const std::vector<uint8_t> avi = WriteAvi(clip);
    const uint32_t frameBytes = 960 * 180;
    ASSERT_EQ(avi.size(), kMovi + 12 + 10 * (8 + frameBytes) + 8 + 10 * 16);
    EXPECT_EQ(ReadFourCC(avi, 0), "RIFF");
    EXPECT_EQ(ReadU32(avi, 4), avi.size() - 8);
    EXPECT_EQ(ReadFourCC(avi, 8), "AVI ");
    EXPECT_EQ(ReadFourCC(avi, 12), "LIST");
    EXPECT_EQ(ReadU32(avi, 16), kMovi - 20);  // hdrl holds everything up to movi
    EXPECT_EQ(ReadFourCC(avi, 20), "hdrl");

    EXPECT_EQ(ReadFourCC(avi, kAvih), "avih");
    EXPECT_EQ(ReadU32(avi, kAvih + 4), 56u);
    EXPECT_EQ(ReadU32(avi, kAvih + 8), 40000u);  // microseconds per frame at 25 fps
    EXPECT_EQ(ReadU32(avi, kAvih + 8 + 12), 0x10u);  // has an index
    EXPECT_EQ(ReadU32(avi, kAvih + 8 + 16), 10u);    // total frames
    EXPECT_EQ(ReadU32(avi, kAvih + 8 + 24), 1u);     // streams
    EXPECT_EQ(ReadU32(avi, kAvih + 8 + 32), 320u);
    EXPECT_EQ(ReadU32(avi, kAvih + 8 + 36), 180u);

    EXPECT_EQ(ReadFourCC(avi, kStrh), "strh");
    EXPECT_EQ(ReadFourCC(avi, kStrh + 8), "vids");
    EXPECT_EQ(ReadFourCC(avi, kStrh + 12), "DIB ");
    EXPECT_EQ(ReadU32(avi, kStrh + 8 + 20), 1u);   // scale
    EXPECT_EQ(ReadU32(avi, kStrh + 8 + 24), 25u);  // rate
    EXPECT_EQ(ReadU32(avi, kStrh + 8 + 32), 10u);  // length
    EXPECT_EQ(ReadU16(avi, kStrh + 8 + 52), 320u);  // rcFrame right
    EXPECT_EQ(ReadU16(avi, kStrh + 8 + 54), 180u);

    EXPECT_EQ(ReadFourCC(avi, kStrf), "strf");
    EXPECT_EQ(ReadU32(avi, kStrf + 4), 40u);
    EXPECT_EQ(ReadU32(avi, kStrf + 8), 40u);
    EXPECT_EQ(ReadU32(avi, kStrf + 12), 320u);
    EXPECT_EQ(ReadU32(avi, kStrf + 16), 180u);
    EXPECT_EQ(ReadU16(avi, kStrf + 22), 24u);
    EXPECT_EQ(ReadU32(avi, kStrf + 24), 0u);  // BI_RGB
    EXPECT_EQ(ReadU32(avi, kStrf + 28), frameBytes);

    EXPECT_EQ(ReadFourCC(avi, kMovi), "LIST");
    EXPECT_EQ(ReadU32(avi, kMovi + 4), 4 + 10 * (8 + frameBytes));
    EXPECT_EQ(ReadFourCC(avi, kMovi + 8), "movi");
    EXPECT_EQ(ReadFourCC(avi, kMovi + 12), "00db");
    EXPECT_EQ(ReadU32(avi, kMovi + 16), frameBytes);
}

TEST(AviWriter, IndexPointsAtEveryFrameFromTheMoviCode) {
    AviClip clip{160, 120, 7, 10, 0, 32};
    const std::vector<uint8_t> avi = WriteAvi(clip);
    const uint32_t frameBytes = 640 * 120;
    EXPECT_EQ(ReadU16(avi, kStrf + 22), 32u);
    const size_t idx1 = kMovi + 12 + 7 * (8 + frameBytes);
    ASSERT_EQ(ReadFourCC(avi, idx1), "idx1");
    ASSERT_EQ(ReadU32(avi, idx1 + 4), 7u * 16);
    for (uint32_t f = 0; f < 7; ++f) {
        const size_t entry = idx1 + 8 + f * 16;
        EXPECT_EQ(ReadFourCC(avi, entry), "00db");
        EXPECT_EQ(ReadU32(avi, entry + 4), 0x10u);  // key frame
        const uint32_t offset = ReadU32(avi, entry + 8);
        EXPECT_EQ(ReadFourCC(avi, kMovi + 8 + offset), "00db") << "frame " << f;
        EXPECT_EQ(ReadU32(avi, entry + 12), frameBytes);
    }
}

TEST(AviWriter, OddRowWidthsArePaddedToFourBytes) {
    AviClip clip{33, 5, 1, 1, 2, 24};
    const std::vector<uint8_t> avi = WriteAvi(clip);
    EXPECT_EQ(DibStride(33, 24), 100u);
    EXPECT_EQ(DibStride(33, 32), 132u);
    EXPECT_EQ(ReadU32(avi, kMovi + 16), 500u);
    EXPECT_EQ(ReadU32(avi, 4), avi.size() - 8);
}

class AviFrames : public ::testing::TestWithParam<int> {};

TEST_P(AviFrames, AreSolidColoursWithTheirNumberInBlocks) {
    AviClip clip{320, 180, 12, 25, 0, GetParam()};
    const std::vector<uint8_t> avi = WriteAvi(clip);
    // Away from the digits each frame is its own shade of the clip's colour.
    const Rgb first = PixelAt(avi, clip, 0, 300, 170);
    EXPECT_EQ(first.r, 255);
    EXPECT_EQ(first.g, 0);
    EXPECT_EQ(first.b, 0);
    const Rgb third = PixelAt(avi, clip, 2, 160, 90);
    EXPECT_EQ(third.r, 255 - 32);
    EXPECT_EQ(third.g, 0);
    // Frame 11 shows "11": the top block of each "1" is lit, the top-left block is not.
    const int b = DigitBlock(320);
    const Rgb left = PixelAt(avi, clip, 11, b + b + 1, b + 1);   // middle column, first digit
    const Rgb right = PixelAt(avi, clip, 11, 5 * b + b + 1, b + 1);
    const Rgb corner = PixelAt(avi, clip, 11, b + 1, b + 1);
    EXPECT_EQ(left.r + left.g + left.b, 3 * 255);
    EXPECT_EQ(right.r + right.g + right.b, 3 * 255);
    EXPECT_NE(corner.g, 255);
}

INSTANTIATE_TEST_SUITE_P(Bits, AviFrames, ::testing::Values(24, 32));

TEST(AviWriter, HuesTellClipsApart) {
    EXPECT_EQ(FrameColour(1, 0).g, 255);
    EXPECT_EQ(FrameColour(1, 0).r, 0);
    EXPECT_EQ(FrameColour(3, 0).r, 255);
    EXPECT_EQ(FrameColour(3, 0).g, 255);
    EXPECT_EQ(FrameColour(3, 0).b, 0);
    EXPECT_EQ(FrameColour(8, 7).b, 255 - 7 * 16);  // 8 wraps to blue
    EXPECT_EQ(FrameColour(2, 8).b, 255);            // the shades cycle every 8 frames
}

TEST(AviWriter, RefusesClipsItCannotDescribe) {
    EXPECT_TRUE(WriteAvi(AviClip{0, 10, 1, 1, 0, 32}).empty());
    EXPECT_TRUE(WriteAvi(AviClip{10, 5000, 1, 1, 0, 32}).empty());
    EXPECT_TRUE(WriteAvi(AviClip{10, 10, 0, 1, 0, 32}).empty());
    EXPECT_TRUE(WriteAvi(AviClip{10, 10, 1, 0, 0, 32}).empty());
    EXPECT_TRUE(WriteAvi(AviClip{10, 10, 1, 1, 0, 16}).empty());
}

TEST(WavWriter, PcmHeaderAndSineSamples) {
    WavTone tone{500, 1000, 8000, 10000};
    const std::vector<uint8_t> wav = WriteWav(tone);
    ASSERT_EQ(wav.size(), 44u + 4000 * 2);
    EXPECT_EQ(ReadFourCC(wav, 0), "RIFF");
    EXPECT_EQ(ReadU32(wav, 4), wav.size() - 8);
    EXPECT_EQ(ReadFourCC(wav, 8), "WAVE");
    EXPECT_EQ(ReadFourCC(wav, 12), "fmt ");
    EXPECT_EQ(ReadU32(wav, 16), 16u);
    EXPECT_EQ(ReadU16(wav, 20), 1u);  // PCM
    EXPECT_EQ(ReadU16(wav, 22), 1u);  // mono
    EXPECT_EQ(ReadU32(wav, 24), 8000u);
    EXPECT_EQ(ReadU32(wav, 28), 16000u);
    EXPECT_EQ(ReadU16(wav, 32), 2u);
    EXPECT_EQ(ReadU16(wav, 34), 16u);
    EXPECT_EQ(ReadFourCC(wav, 36), "data");
    EXPECT_EQ(ReadU32(wav, 40), 8000u);
    // 1000 Hz at 8000 samples a second: sample 2 is the crest, sample 6 the trough.
    EXPECT_EQ(static_cast<int16_t>(ReadU16(wav, 44)), 0);
    EXPECT_EQ(static_cast<int16_t>(ReadU16(wav, 44 + 2 * 2)), 10000);
    EXPECT_EQ(static_cast<int16_t>(ReadU16(wav, 44 + 6 * 2)), -10000);
}

TEST(WavWriter, RefusesTonesItCannotDescribe) {
    EXPECT_TRUE(WriteWav(WavTone{0, 440, 22050, 100}).empty());
    EXPECT_TRUE(WriteWav(WavTone{100, 440, 4000, 100}).empty());
    EXPECT_TRUE(WriteWav(WavTone{100, 12000, 22050, 100}).empty());
}

}  // namespace
