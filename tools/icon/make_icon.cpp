// Draws the program icon (resource 128) into an .ico file: one 32 x 32 image
// with 16 colours, a small monitor whose black screen shows a film frame.
// Run at build time: make_icon OUTPUT.ico
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr int kSize = 32;

enum Colour : uint8_t { Black, Grey, Silver, White, Amber, Red, Teal, Navy, Count };

// The standard VGA values of the colours used, as blue, green, red, 0.
const uint8_t kPalette[16][4] = {
    {0, 0, 0, 0},       {128, 128, 128, 0}, {192, 192, 192, 0}, {255, 255, 255, 0},
    {0, 192, 255, 0},   {0, 0, 255, 0},     {128, 128, 0, 0},   {128, 0, 0, 0},
};

struct Image {
    uint8_t colour[kSize][kSize] = {};  // [y][x], y from the top
    bool opaque[kSize][kSize] = {};

    void Fill(int x0, int y0, int x1, int y1, Colour c) {
        for (int y = y0; y <= y1; ++y) {
            for (int x = x0; x <= x1; ++x) {
                colour[y][x] = c;
                opaque[y][x] = true;
            }
        }
    }
};

Image Draw() {
    Image img;
    img.Fill(1, 2, 30, 24, Silver);   // the monitor's case
    img.Fill(1, 24, 30, 24, Grey);    // its lower edge in shadow
    img.Fill(30, 2, 30, 24, Grey);
    img.Fill(4, 5, 27, 21, Black);    // the screen
    img.Fill(12, 25, 19, 27, Grey);   // the neck
    img.Fill(7, 28, 24, 29, Silver);  // the foot
    img.Fill(9, 8, 22, 18, Navy);     // a film frame on the black screen
    for (int x = 9; x <= 22; x += 3) {
        img.Fill(x, 7, x + 1, 7, White);  // sprocket holes above and below
        img.Fill(x, 19, x + 1, 19, White);
    }
    img.Fill(11, 10, 20, 16, Teal);   // the picture: sky and a low sun
    img.Fill(16, 11, 18, 13, Amber);
    img.Fill(11, 15, 20, 16, Red);
    return img;
}

void Put16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, static_cast<uint16_t>(v));
    Put16(out, static_cast<uint16_t>(v >> 16));
}

std::vector<uint8_t> IconFile(const Image& img) {
    constexpr uint32_t kXorRow = kSize / 2;       // 4 bits a pixel
    constexpr uint32_t kAndRow = 4;               // 1 bit a pixel, rows of 4 bytes
    constexpr uint32_t kImageSize = 40 + 16 * 4 + kXorRow * kSize + kAndRow * kSize;
    std::vector<uint8_t> out;
    Put16(out, 0);  // icon directory: reserved, type 1 (icon), one image
    Put16(out, 1);
    Put16(out, 1);
    out.push_back(kSize);  // the image's entry
    out.push_back(kSize);
    out.push_back(16);
    out.push_back(0);
    Put16(out, 1);
    Put16(out, 4);
    Put32(out, kImageSize);
    Put32(out, 6 + 16);
    Put32(out, 40);  // BITMAPINFOHEADER, height doubled for the mask
    Put32(out, kSize);
    Put32(out, kSize * 2);
    Put16(out, 1);
    Put16(out, 4);
    Put32(out, 0);
    Put32(out, kXorRow * kSize + kAndRow * kSize);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 16);
    Put32(out, 0);
    for (const auto& entry : kPalette) out.insert(out.end(), entry, entry + 4);
    for (int y = kSize - 1; y >= 0; --y) {  // bottom-up
        for (int x = 0; x < kSize; x += 2) {
            out.push_back(static_cast<uint8_t>(img.colour[y][x] << 4 | img.colour[y][x + 1]));
        }
    }
    for (int y = kSize - 1; y >= 0; --y) {
        for (int byte = 0; byte < 4; ++byte) {
            uint8_t bits = 0;
            for (int bit = 0; bit < 8; ++bit) {
                if (!img.opaque[y][byte * 8 + bit]) bits |= static_cast<uint8_t>(0x80 >> bit);
            }
            out.push_back(bits);
        }
    }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_icon OUTPUT.ico\n");
        return 2;
    }
    static_assert(Count <= 16, "a 16-colour icon");
    const std::vector<uint8_t> bytes = IconFile(Draw());
    std::FILE* file = std::fopen(argv[1], "wb");
    if (file == nullptr) return 1;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && ok ? 0 : 1;
}
