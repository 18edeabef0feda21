// Draws the program icon (resource 128) into an .ico file: one 32 x 32 image
// with 16 colours, a small monitor whose black screen shows a film frame.
// With --with-small, a second 16 x 16 image follows (the setup program's
// icon). Run at build time: make_icon OUTPUT.ico [--with-small]
#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
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

// A half-size copy: each 2 x 2 block becomes its top-left pixel, opaque when
// any of the four is.
struct SmallImage {
    static constexpr int kSmall = kSize / 2;
    uint8_t colour[kSmall][kSmall] = {};
    bool opaque[kSmall][kSmall] = {};
};

SmallImage Shrink(const Image& img) {
    SmallImage small;
    for (int y = 0; y < SmallImage::kSmall; ++y) {
        for (int x = 0; x < SmallImage::kSmall; ++x) {
            small.colour[y][x] = img.colour[2 * y][2 * x];
            small.opaque[y][x] = img.opaque[2 * y][2 * x] || img.opaque[2 * y + 1][2 * x] ||
                                 img.opaque[2 * y][2 * x + 1] || img.opaque[2 * y + 1][2 * x + 1];
        }
    }
    return small;
}

// One 16-colour image of `n` x `n` pixels: BITMAPINFOHEADER (height doubled
// for the mask), palette, colour bits, mask bits; rows bottom-up.
template <class Picture>
std::vector<uint8_t> ImageBits(const Picture& img, int n) {
    const uint32_t xorRow = static_cast<uint32_t>(n) / 2;  // 4 bits a pixel, n is a multiple of 8
    std::vector<uint8_t> out;
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(n));
    Put32(out, static_cast<uint32_t>(n) * 2);
    Put16(out, 1);
    Put16(out, 4);
    Put32(out, 0);
    Put32(out, xorRow * n + 4 * n);  // mask rows are padded to 4 bytes
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 16);
    Put32(out, 0);
    for (const auto& entry : kPalette) out.insert(out.end(), entry, entry + 4);
    for (int y = n - 1; y >= 0; --y) {
        for (int x = 0; x < n; x += 2) {
            out.push_back(static_cast<uint8_t>(img.colour[y][x] << 4 | img.colour[y][x + 1]));
        }
    }
    for (int y = n - 1; y >= 0; --y) {
        for (int byte = 0; byte < 4; ++byte) {
            uint8_t bits = 0;
            for (int bit = 0; bit < 8 && byte * 8 + bit < n; ++bit) {
                if (!img.opaque[y][byte * 8 + bit]) bits |= static_cast<uint8_t>(0x80 >> bit);
            }
            out.push_back(bits);
        }
    }
    return out;
}

// The icon directory, then the images in the order given.
std::vector<uint8_t> IconFile(const std::vector<std::pair<int, std::vector<uint8_t>>>& images) {
    std::vector<uint8_t> out;
    Put16(out, 0);  // reserved, type 1 (icon), image count
    Put16(out, 1);
    Put16(out, static_cast<uint16_t>(images.size()));
    uint32_t offset = static_cast<uint32_t>(6 + 16 * images.size());
    for (const auto& [n, bits] : images) {
        out.push_back(static_cast<uint8_t>(n));
        out.push_back(static_cast<uint8_t>(n));
        out.push_back(16);
        out.push_back(0);
        Put16(out, 1);
        Put16(out, 4);
        Put32(out, static_cast<uint32_t>(bits.size()));
        Put32(out, offset);
        offset += static_cast<uint32_t>(bits.size());
    }
    for (const auto& image : images) out.insert(out.end(), image.second.begin(), image.second.end());
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    const bool withSmall = argc == 3 && std::string(argv[2]) == "--with-small";
    if (argc != 2 && !withSmall) {
        std::fprintf(stderr, "usage: make_icon OUTPUT.ico [--with-small]\n");
        return 2;
    }
    static_assert(Count <= 16, "a 16-colour icon");
    const Image big = Draw();
    std::vector<std::pair<int, std::vector<uint8_t>>> images{{kSize, ImageBits(big, kSize)}};
    if (withSmall) images.emplace_back(SmallImage::kSmall, ImageBits(Shrink(big), SmallImage::kSmall));
    const std::vector<uint8_t> bytes = IconFile(images);
    std::FILE* file = std::fopen(argv[1], "wb");
    if (file == nullptr) return 1;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && ok ? 0 : 1;
}
