#include "saver/playback/DibImage.h"

#include <cstring>
#include <utility>
#include <vector>

#include "saver/playback/DibLayout.h"

namespace {
DibHeaderFields FieldsOf(const BITMAPINFOHEADER& h) {
    DibHeaderFields f;
    f.headerSize = h.biSize;
    f.width = h.biWidth;
    f.height = h.biHeight;
    f.bitCount = h.biBitCount;
    f.sizeImage = h.biSizeImage;
    f.clrUsed = h.biClrUsed;
    return f;
}
}  // namespace

DibImage::DibImage(UINT id) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(2));
    if (found == nullptr) return;
    HGLOBAL loaded = LoadResource(module, found);
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    const DWORD available = SizeofResource(module, found);
    if (data == nullptr || available < sizeof(BITMAPINFOHEADER)) return;
    BITMAPINFOHEADER source;
    std::memcpy(&source, data, sizeof source);
    const DibHeaderFields fields = FieldsOf(source);
    if (fields.headerSize < sizeof(BITMAPINFOHEADER) || fields.width <= 0 || fields.height == 0) return;
    const uint64_t total = static_cast<uint64_t>(fields.headerSize) + DibColorTableBytes(fields) +
                           DibPixelBytes(fields);
    // A resource shorter than its header claims is not read past its end.
    if (total > available) return;

    GlobalMemory block(GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(total)));
    auto* copy = static_cast<BYTE*>(locked_.Lock(block.get()));
    if (copy == nullptr) return;
    block_ = std::move(block);
    std::memcpy(copy, data, static_cast<size_t>(total));
    header_ = reinterpret_cast<BITMAPINFOHEADER*>(copy);
    header_->biSizeImage = DibPixelBytes(fields);
    if (header_->biClrUsed == 0) header_->biClrUsed = DibColorCount(fields);
    colors_ = reinterpret_cast<RGBQUAD*>(copy + header_->biSize);
    pixels_ = reinterpret_cast<BYTE*>(colors_) + DibColorTableBytes(fields);
}

int DibImage::Width() const { return header_ != nullptr ? header_->biWidth : 0; }
int DibImage::Height() const { return header_ != nullptr ? header_->biHeight : 0; }

unsigned DibImage::ColorCount() const {
    return header_ != nullptr ? DibColorCount(FieldsOf(*header_)) : 0;
}

Palette DibImage::MakePalette() const {
    const unsigned n = ColorCount();
    if (n == 0 || n > 256) return Palette();
    std::vector<BYTE> storage(sizeof(LOGPALETTE) + n * sizeof(PALETTEENTRY));
    auto* palette = reinterpret_cast<LOGPALETTE*>(storage.data());
    palette->palVersion = 0x300;
    palette->palNumEntries = static_cast<WORD>(n);
    for (unsigned i = 0; i < n; ++i) {
        palette->palPalEntry[i].peRed = colors_[i].rgbRed;
        palette->palPalEntry[i].peGreen = colors_[i].rgbGreen;
        palette->palPalEntry[i].peBlue = colors_[i].rgbBlue;
        palette->palPalEntry[i].peFlags = PC_NOCOLLAPSE;
    }
    return Palette(CreatePalette(palette));
}

void DibImage::Draw(HDC dc, int x, int y) const {
    if (header_ == nullptr) return;
    const int h = header_->biHeight < 0 ? -header_->biHeight : header_->biHeight;
    SetDIBitsToDevice(dc, x, y, static_cast<DWORD>(header_->biWidth), static_cast<DWORD>(h), 0, 0, 0,
                      static_cast<UINT>(h), pixels_, Info(), DIB_RGB_COLORS);
}
