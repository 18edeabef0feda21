// Writes the pictures of the properties dialog's nine alignment buttons,
// bitmap resources 146 to 154: 16 x 16 pixels, 4 bits per pixel with the 16
// standard colours, each a grey screen in a dark frame with a black block at
// the place the button stands for. Runs on the build machine.
//
// usage: make_align_bitmaps OUTPUT-FOLDER
// writes align-center.bmp, align-top.bmp, ... align-lowerright.bmp there.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {
constexpr int kSize = 16;
constexpr uint8_t kBlack = 0;
constexpr uint8_t kSilver = 7;
constexpr uint8_t kGrey = 8;

// The 16 colours of the standard palette, as red, green, blue.
constexpr uint8_t kPalette[16][3] = {
    {0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
    {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
    {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
    {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255},
};

// Where the block sits: 0 = left or top, 1 = middle, 2 = right or bottom.
struct Picture {
    const char* name;
    int column;
    int row;
};
constexpr Picture kPictures[] = {
    {"center", 1, 1}, {"top", 1, 0},     {"bottom", 1, 2},    {"left", 0, 1},      {"right", 2, 1},
    {"upperleft", 0, 0}, {"upperright", 2, 0}, {"lowerleft", 0, 2}, {"lowerright", 2, 2},
};

// The screen is the inside of a one-pixel frame, 14 x 14; the block is 6 x 4
// with one pixel of screen left between it and the frame at the edges.
constexpr int kBlockWidth = 6;
constexpr int kBlockHeight = 4;
constexpr int kBlockLeft[3] = {2, 5, 8};
constexpr int kBlockTop[3] = {2, 6, 10};

uint8_t PixelAt(const Picture& p, int x, int y) {
    if (x == 0 || y == 0 || x == kSize - 1 || y == kSize - 1) return kGrey;
    const int left = kBlockLeft[p.column], top = kBlockTop[p.row];
    if (x >= left && x < left + kBlockWidth && y >= top && y < top + kBlockHeight) return kBlack;
    return kSilver;
}

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

std::vector<uint8_t> Bitmap(const Picture& p) {
    const uint32_t headerSize = 40, colours = 16;
    const uint32_t rowBytes = kSize / 2;  // 8: already a multiple of four
    const uint32_t pixelBytes = rowBytes * kSize;
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
    Put16(out, 4);  // bits per pixel
    Put32(out, 0);  // BI_RGB
    Put32(out, pixelBytes);
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, colours);
    Put32(out, 0);
    for (const auto& rgb : kPalette) {
        out.push_back(rgb[2]);
        out.push_back(rgb[1]);
        out.push_back(rgb[0]);
        out.push_back(0);
    }
    // Bottom-up rows, two pixels a byte, the left one in the high nibble.
    for (int y = kSize - 1; y >= 0; --y) {
        for (int x = 0; x < kSize; x += 2) {
            out.push_back(static_cast<uint8_t>(PixelAt(p, x, y) << 4 | PixelAt(p, x + 1, y)));
        }
    }
    return out;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_align_bitmaps OUTPUT-FOLDER\n");
        return 2;
    }
    for (const Picture& p : kPictures) {
        const std::string path = std::string(argv[1]) + "/align-" + p.name + ".bmp";
        const std::vector<uint8_t> bytes = Bitmap(p);
        std::FILE* f = std::fopen(path.c_str(), "wb");
        if (f == nullptr) {
            std::perror(path.c_str());
            return 1;
        }
        const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
        if (std::fclose(f) != 0 || !ok) {
            std::perror(path.c_str());
            return 1;
        }
    }
    return 0;
}
