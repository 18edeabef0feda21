#include "saver/playback/DibLayout.h"

uint32_t DibColorCount(const DibHeaderFields& h) {
    if (h.clrUsed != 0) return h.clrUsed;
    return h.bitCount <= 8 ? 1u << h.bitCount : 0;
}

uint32_t DibColorTableBytes(const DibHeaderFields& h) {
    if (h.clrUsed != 0) return h.clrUsed * 4;
    switch (h.bitCount) {
    case 1: return 8;
    case 4: return 64;
    case 8: return 1024;
    default: return 0;
    }
}

uint32_t DibPixelBytes(const DibHeaderFields& h) {
    if (h.sizeImage != 0) return h.sizeImage;
    return static_cast<uint32_t>(h.bitCount) * static_cast<uint32_t>(h.width) *
           static_cast<uint32_t>(h.height) / 8;
}

uint32_t DibTotalBytes(const DibHeaderFields& h) {
    return h.headerSize + DibColorTableBytes(h) + DibPixelBytes(h);
}

DibOrigin CentredOrigin(int32_t areaRight, int32_t areaBottom, int32_t width, int32_t height) {
    return DibOrigin{areaRight / 2 - width / 2, areaBottom / 2 - height / 2};
}
