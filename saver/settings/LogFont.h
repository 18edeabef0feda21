#pragma once
#include <cstdint>

// A font description with the members and layout of the system's LOGFONTA,
// so the Windows layer can hand it to CreateFontIndirectA unchanged.
struct LogFont {
    int32_t lfHeight = 0;
    int32_t lfWidth = 0;
    int32_t lfEscapement = 0;
    int32_t lfOrientation = 0;
    int32_t lfWeight = 0;
    uint8_t lfItalic = 0;
    uint8_t lfUnderline = 0;
    uint8_t lfStrikeOut = 0;
    uint8_t lfCharSet = 0;
    uint8_t lfOutPrecision = 0;
    uint8_t lfClipPrecision = 0;
    uint8_t lfQuality = 0;
    uint8_t lfPitchAndFamily = 0;
    char lfFaceName[32] = {};
};

static_assert(sizeof(LogFont) == 60, "LogFont must match LOGFONTA");
