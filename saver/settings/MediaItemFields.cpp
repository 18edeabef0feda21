#include "saver/settings/MediaItemFields.h"

#include <cctype>
#include <utility>

#include "saver/settings/MediaItem.h"
#include "saver/settings/SettingsNames.h"

namespace {

using F = MediaItemField;
using namespace names;
using namespace playlist;

uint32_t Bits(int32_t value) { return static_cast<uint32_t>(value); }
int32_t Signed(uint32_t value) { return static_cast<int32_t>(value); }

constexpr F TextRow(const char* suffix, uint32_t load, Field field, const char* def, size_t limit,
                    const char* (*get)(const MediaItem&), void (*set)(MediaItem&, std::string&&)) {
    return F{suffix, load, field, F::Text, 0, def, limit, nullptr, nullptr, get, set};
}

constexpr F NumberRow(const char* suffix, uint32_t load, Field field, F::Type type, uint32_t def,
                      uint32_t (*get)(const MediaItem&), void (*set)(MediaItem&, uint32_t)) {
    return F{suffix, load, field, type, def, nullptr, 0, get, set, nullptr, nullptr};
}

}  // namespace

const MediaItemField kMediaItemFields[] = {
    TextRow(kItemFile, 0, FieldFile, "", F::kWholeText,
            [](const MediaItem& m) { return m.File.c_str(); },
            [](MediaItem& m, std::string&& v) { m.File = std::move(v); }),
    NumberRow(kItemLoops, 1, FieldLoops, F::Number, 1,
              [](const MediaItem& m) { return m.Loops; },
              [](MediaItem& m, uint32_t v) { m.Loops = v; }),
    NumberRow(kItemLoopInfinite, 4, FieldLoopInfinite, F::Number, 0,
              [](const MediaItem& m) { return Bits(m.LoopInfinite); },
              [](MediaItem& m, uint32_t v) { m.LoopInfinite = Signed(v); }),
    NumberRow(kItemTitleMovie, 2, FieldTitleMovie, F::Number, 0,
              [](const MediaItem& m) { return Bits(m.TitleMovie); },
              [](MediaItem& m, uint32_t v) { m.TitleMovie = Signed(v); }),
    NumberRow(kItemTitleBefore, 3, FieldTitleBefore, F::Number, 1,
              [](const MediaItem& m) { return Bits(m.TitleBefore); },
              [](MediaItem& m, uint32_t v) { m.TitleBefore = Signed(v); }),
    NumberRow(kItemMute, 5, FieldMute, F::Number, 0,
              [](const MediaItem& m) { return Bits(m.Mute); },
              [](MediaItem& m, uint32_t v) { m.Mute = Signed(v); }),
    // An item stored without a scale plays at its own size.
    NumberRow(kItemScale, 6, FieldScale, F::Number, ScaleNatural,
              [](const MediaItem& m) { return Bits(m.Scale); },
              [](MediaItem& m, uint32_t v) { m.Scale = static_cast<ScaleMode>(Signed(v)); }),
    TextRow(kItemMCI, 7, FieldMCI, "", F::kWholeText,
            [](const MediaItem& m) { return m.MCI.c_str(); },
            [](MediaItem& m, std::string&& v) { m.MCI = std::move(v); }),
    TextRow(kItemTitle, 8, FieldTitle, "", F::kWholeText,
            [](const MediaItem& m) { return m.Title.c_str(); },
            [](MediaItem& m, std::string&& v) { m.Title = std::move(v); }),
    NumberRow(kItemAlign, 9, FieldAlign, F::Number, AlignCenter,
              [](const MediaItem& m) { return Bits(m.Align); },
              [](MediaItem& m, uint32_t v) { m.Align = static_cast<AlignMode>(Signed(v)); }),
    NumberRow(kItemBounce, 10, FieldBounce, F::Number, 0,
              [](const MediaItem& m) { return Bits(m.Bounce); },
              [](MediaItem& m, uint32_t v) { m.Bounce = Signed(v); }),
    // The font's three stored pieces go through SetFont, which rebuilds the
    // rest of TitleFont.
    NumberRow(kItemFontWeight, 11, FieldFontWeight, F::Number, 0,
              [](const MediaItem& m) { return Bits(m.TitleFont.lfWeight); },
              [](MediaItem& m, uint32_t v) { m.SetFont(m.TitleFont.lfFaceName, Signed(v), m.TitleFont.lfItalic); }),
    NumberRow(kItemFontItalic, 12, FieldFontItalic, F::Byte, 0,
              [](const MediaItem& m) { return static_cast<uint32_t>(m.TitleFont.lfItalic); },
              [](MediaItem& m, uint32_t v) {
                  m.SetFont(m.TitleFont.lfFaceName, m.TitleFont.lfWeight, static_cast<uint8_t>(v & 0xFF));
              }),
    TextRow(kItemFontFace, 13, FieldFontFace, kDefaultFontFace, MediaItem::kMaxFaceLength,
            [](const MediaItem& m) { return static_cast<const char*>(m.TitleFont.lfFaceName); },
            [](MediaItem& m, std::string&& v) { m.SetFont(v.c_str(), m.TitleFont.lfWeight, m.TitleFont.lfItalic); }),
};

const size_t kMediaItemFieldCount = sizeof kMediaItemFields / sizeof kMediaItemFields[0];

static_assert(sizeof kMediaItemFields / sizeof kMediaItemFields[0] == FieldCount,
              "one row per playlist-file field");

const MediaItemField* MediaItemFieldAtLoad(uint32_t position) {
    for (const MediaItemField& row : kMediaItemFields) {
        if (row.loadPosition == position) return &row;
    }
    return nullptr;
}

namespace {

// The row of each playlist-file field, looked up once: the reader and the
// writer ask for every field of every record.
struct RowsByFileField {
    const MediaItemField* rows[FieldCount] = {};
    RowsByFileField() {
        for (const MediaItemField& row : kMediaItemFields) rows[row.fileField] = &row;
    }
};

}  // namespace

const MediaItemField* FindMediaItemField(uint32_t field) {
    static const RowsByFileField byField;
    return field < FieldCount ? byField.rows[field] : nullptr;
}

const MediaItemField* FindMediaItemField(const std::string& suffix) {
    for (const MediaItemField& row : kMediaItemFields) {
        size_t i = 0;
        for (; i < suffix.size() && row.suffix[i] != '\0'; ++i) {
            if (std::tolower(static_cast<unsigned char>(suffix[i])) !=
                std::tolower(static_cast<unsigned char>(row.suffix[i]))) {
                break;
            }
        }
        if (i == suffix.size() && row.suffix[i] == '\0') return &row;
    }
    return nullptr;
}
