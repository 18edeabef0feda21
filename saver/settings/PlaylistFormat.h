#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "ByteStream.h"

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

// Texts read from a file keep at most this many characters; the rest of an
// overlong text is read and dropped, so a damaged file without a terminating
// zero cannot make memory grow with it. Longer than any path, MCI device
// type or title line the saver can use.
constexpr size_t kMaxTextLength = 1023;

// A file read creates at most this many items: the most the configuration
// dialog's list box holds on Windows 95. Together with kMaxTextLength it
// bounds the memory any file can take.
constexpr uint32_t kMaxItems = 32767;

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
// Reads up to and without the terminating zero, keeping the first `limit`
// characters (never more than kMaxTextLength). false when the stream ended
// first; `text` keeps what came.
bool ReadText(ByteStream& file, std::string& text, size_t limit);

void WriteByte(ByteStream& file, uint8_t byte);
void WriteNumber(ByteStream& file, uint32_t value);
// The text's bytes up to its first zero, then a zero.
void WriteText(ByteStream& file, const char* text);

}  // namespace playlist
