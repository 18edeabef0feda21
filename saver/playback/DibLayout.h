#pragma once
#include <cstdint>

// The parts of a device-independent bitmap header that fix the sizes of its
// colour table and pixels.
struct DibHeaderFields {
    uint32_t headerSize = 40;
    int32_t width = 0;
    int32_t height = 0;
    uint16_t bitCount = 0;
    uint32_t sizeImage = 0;
    uint32_t clrUsed = 0;
};

// The colour count: clrUsed when set, else 2^bitCount up to 8 bits, else 0.
uint32_t DibColorCount(const DibHeaderFields& h);
// clrUsed x 4 when set, else 8, 64 or 1024 for 1, 4 or 8 bits, else 0.
uint32_t DibColorTableBytes(const DibHeaderFields& h);
// sizeImage when set, else bitCount x width x height / 8.
uint32_t DibPixelBytes(const DibHeaderFields& h);
// Header, colour table and pixels together: the size of the bitmap's copy.
uint32_t DibTotalBytes(const DibHeaderFields& h);

// The corner that centres a w x h image in an area whose right and bottom
// edges are given: each half rounded toward zero.
struct DibOrigin {
    int32_t x;
    int32_t y;
};
DibOrigin CentredOrigin(int32_t areaRight, int32_t areaBottom, int32_t width, int32_t height);
