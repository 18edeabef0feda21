#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/ByteStream.h"

// The pieces of a playlist file (".lst"): the "PELOR301" signature, a
// little-endian 32-bit item count, then one record per item. A record is a
// run of fields, each introduced by the marker 0x01, closed by the end byte
// 0x00. Texts are their bytes and a terminating 0x00; numbers are 4 bytes,
// little-endian.
namespace playlist {

constexpr char kSignature[] = "PELOR301";
constexpr uint32_t kSignatureLength = 8;
constexpr uint8_t kFieldMarker = 0x01;
constexpr uint8_t kRecordEnd = 0x00;

// A file keeps whatever the registry keeps: texts of any length and any
// number of items. What a damaged file can cost is bounded by the file
// itself: a text is never longer than the file, and since the shortest
// record is a lone end byte, a file of n bytes after its header holds at
// most n items, however large its count.
constexpr uint32_t kHeaderLength = 12;
constexpr uint32_t kMinRecordLength = 1;
// The shortest record the saver writes: every field, all texts empty.
constexpr uint32_t kMinWrittenRecordLength = 56;
// Texts cut to a limit (the face name) are gathered in a buffer this long.
constexpr size_t kMaxCutTextLength = 255;

// The fields of a record, in file order (not the registry order).
enum Field : uint32_t {
    FieldFile,
    FieldTitle,
    FieldMCI,
    FieldMute,
    FieldScale,
    FieldLoops,
    FieldLoopInfinite,
    FieldTitleMovie,
    FieldTitleBefore,
    FieldAlign,
    FieldBounce,
    FieldFontWeight,
    FieldFontItalic,
    FieldFontFace,
    FieldCount
};

// false at the end of the stream.
inline bool ReadByte(ByteStream& file, uint8_t& byte) { return file.Read(&byte, 1) == 1; }
// false when the stream ended within the 4 bytes; `value` is then unchanged.
bool ReadNumber(ByteStream& file, uint32_t& value);
// Reads up to and without the terminating zero, all of it. false when the
// stream ended first; `text` keeps what came.
bool ReadText(ByteStream& file, std::string& text);
// The same, keeping the first `limit` characters (never more than
// kMaxCutTextLength) and dropping the rest.
bool ReadText(ByteStream& file, std::string& text, size_t limit);

void WriteByte(ByteStream& file, uint8_t byte);
void WriteNumber(ByteStream& file, uint32_t value);
// A field marker and the `width` (1 or 4) low bytes of `value` after it, in
// one write: a record is mostly such pairs.
void WriteMarked(ByteStream& file, uint32_t value, uint32_t width);
// The text's bytes up to its first zero, then a zero.
void WriteText(ByteStream& file, const char* text);

}  // namespace playlist
