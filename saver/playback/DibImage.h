#pragma once
#include "framework/Handles.h"

// A device-independent bitmap resource copied into a movable memory block of
// its own, locked for the object's lifetime, with a palette on request.
class DibImage {
public:
    // Loads bitmap resource `id` of the program module. A missing resource,
    // or one shorter than its header says, leaves the image empty.
    explicit DibImage(UINT id);
    virtual ~DibImage() = default;
    DibImage(const DibImage&) = delete;
    DibImage& operator=(const DibImage&) = delete;

    bool IsValid() const { return header_ != nullptr; }
    int Width() const;
    int Height() const;
    // The colour count of the header, or 2^bits up to 8 bits, else 0.
    unsigned ColorCount() const;
    const BITMAPINFO* Info() const { return reinterpret_cast<const BITMAPINFO*>(header_); }
    const RGBQUAD* ColorTable() const { return colors_; }
    const void* Pixels() const { return pixels_; }
    // A palette with one PC_NOCOLLAPSE entry per colour; none for an empty
    // image or more than 256 colours. The caller owns it.
    Palette MakePalette() const;
    // Draws the whole image with its top-left corner at (x, y).
    void Draw(HDC dc, int x, int y) const;

private:
    GlobalMemory block_;
    GlobalLockHold locked_;
    BITMAPINFOHEADER* header_ = nullptr;
    RGBQUAD* colors_ = nullptr;
    BYTE* pixels_ = nullptr;
};
