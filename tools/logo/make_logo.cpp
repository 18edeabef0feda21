// Writes the saver's logo, bitmap resource 138: a 100 x 100, 8-bit,
// 256-colour device-independent bitmap with a 40-byte header, a 1024-byte
// colour table and 10000 bytes of pixels (11064 bytes after the 14-byte file
// header that windres strips). Runs on the build machine.
//
// The design: a gold frame two pixels wide, a dark-blue to magenta disc of
// rings, a white ring around it and a white "P" inside.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {
constexpr int kSize = 100;
constexpr uint8_t kBlack = 0;
constexpr uint8_t kGold = 1;
constexpr uint8_t kWhite = 2;
constexpr uint8_t kRampStart = 3;  // 128 entries of the disc's gradient
constexpr int kRampLength = 128;

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

bool InLetterP(int x, int y) {
    const bool stem = x >= 36 && x <= 44 && y >= 26 && y <= 74;
    const double dx = x - 50.0, dy = y - 39.0;
    const double r = std::sqrt(dx * dx + dy * dy);
    const bool bowl = x >= 44 && r >= 6.0 && r <= 13.5;
    const bool bars = x >= 40 && x <= 50 && ((y >= 26 && y <= 30) || (y >= 48 && y <= 52));
    return stem || bowl || bars;
}

uint8_t PixelAt(int x, int y) {
    if (x < 2 || y < 2 || x >= kSize - 2 || y >= kSize - 2) return kGold;
    const double dx = x - 49.5, dy = y - 49.5;
    const double r = std::sqrt(dx * dx + dy * dy);
    if (r > 45.0) return kBlack;
    if (r > 41.0) return kWhite;
    if (InLetterP(x, y)) return kWhite;
    // Rings of the gradient, brighter toward the rim.
    int step = static_cast<int>(r / 41.0 * (kRampLength - 1));
    if ((static_cast<int>(r) / 4) % 2 == 1) step = step * 3 / 4;
    return static_cast<uint8_t>(kRampStart + step);
}
}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_logo OUTPUT.bmp\n");
        return 2;
    }
    const uint32_t headerSize = 40, colours = 256, pixelBytes = kSize * kSize;
    const uint32_t offset = 14 + headerSize + colours * 4;
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, offset + pixelBytes);
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, headerSize);
    Put32(out, kSize);
    Put32(out, kSize);
    Put16(out, 1);  // planes
    Put16(out, 8);  // bits per pixel
    Put32(out, 0);  // BI_RGB
    Put32(out, 0);  // image size: computed by the reader
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, 0);  // colours used: all 256
    Put32(out, 0);
    for (uint32_t i = 0; i < colours; ++i) {
        uint8_t r = 0, g = 0, b = 0;
        if (i == kGold) {
            r = 255, g = 192, b = 0;
        } else if (i == kWhite) {
            r = g = b = 255;
        } else if (i >= kRampStart && i < kRampStart + kRampLength) {
            const int t = static_cast<int>(i) - kRampStart;
            r = static_cast<uint8_t>(20 + t * 180 / (kRampLength - 1));
            g = static_cast<uint8_t>(20 + t * 20 / (kRampLength - 1));
            b = static_cast<uint8_t>(90 + t * 70 / (kRampLength - 1));
        } else if (i > kWhite) {
            r = g = b = static_cast<uint8_t>(i);  // the rest: a grey ramp
        }
        out.push_back(b);
        out.push_back(g);
        out.push_back(r);
        out.push_back(0);
    }
    // Bottom-up rows; 100 bytes per row is already a multiple of four.
    for (int y = kSize - 1; y >= 0; --y) {
        for (int x = 0; x < kSize; ++x) out.push_back(PixelAt(x, y));
    }
    std::FILE* f = std::fopen(argv[1], "wb");
    if (f == nullptr) {
        std::perror(argv[1]);
        return 1;
    }
    const bool ok = std::fwrite(out.data(), 1, out.size(), f) == out.size();
    return std::fclose(f) == 0 && ok ? 0 : 1;
}
