#include "saver/settings/MediaItem.h"

#include <cstring>
#include <utility>

#include "core/ByteStream.h"
#include "core/ProfileStore.h"
#include "saver/settings/MediaItemFields.h"
#include "saver/settings/PlaylistFormat.h"
#include "saver/settings/SettingsNames.h"

namespace {

// The font SetFont(kDefaultFontFace, 0, 0) makes, built once: a playlist
// read makes an item for every record, damaged ones included.
const LogFont& DefaultTitleFont() {
    static const LogFont font = [] {
        LogFont made{};
        made.lfHeight = -16;
        std::strncpy(made.lfFaceName, names::kDefaultFontFace, MediaItem::kMaxFaceLength);
        return made;
    }();
    return font;
}

}  // namespace

MediaItem::MediaItem() : TitleFont(DefaultTitleFont()) {}

void MediaItem::SetFont(const char* face, int32_t weight, uint8_t italic) {
    // `face` may be this item's own face name, which the reset below clears.
    char held[sizeof TitleFont.lfFaceName];
    std::strncpy(held, face != nullptr ? face : "", kMaxFaceLength);
    held[kMaxFaceLength] = '\0';
    TitleFont = LogFont{};
    TitleFont.lfHeight = -16;
    TitleFont.lfWeight = weight;
    TitleFont.lfItalic = italic;
    std::memcpy(TitleFont.lfFaceName, held, sizeof held);
}

void MediaItem::SetTitleFont(const LogFont& font) {
    char face[sizeof font.lfFaceName];
    std::memcpy(face, font.lfFaceName, sizeof face);
    face[sizeof face - 1] = '\0';
    SetFont(face, font.lfWeight, font.lfItalic);
}

std::string ItemValueName(uint32_t index, const char* suffix) {
    return "AVI" + std::to_string(index) + "." + suffix;
}

void MediaItem::LoadFromRegistry(ProfileStore& store, uint32_t index) {
    // Every field is read; a missing value means the table's default.
    for (uint32_t position = 0; position < kMediaItemFieldCount; ++position) {
        const MediaItemField& field = *MediaItemFieldAtLoad(position);
        const std::string name = ItemValueName(index, field.suffix);
        if (field.IsText()) {
            field.setText(*this, store.GetProfileString(names::kConfigSection, name.c_str(), field.textDefault));
        } else {
            field.setNumber(*this, store.GetProfileInt(names::kConfigSection, name.c_str(), field.numberDefault));
        }
    }
}

bool MediaItem::SaveToRegistry(ProfileStore& store, uint32_t index) const {
    for (size_t row = 0; row < kMediaItemFieldCount; ++row) {
        const MediaItemField& field = kMediaItemFields[row];
        const std::string name = ItemValueName(index, field.suffix);
        const bool stored =
            field.IsText() ? store.WriteProfileString(names::kConfigSection, name.c_str(), field.getText(*this))
                           : store.WriteProfileInt(names::kConfigSection, name.c_str(), field.getNumber(*this));
        if (!stored) return false;
    }
    return true;
}

bool MediaItem::ClearStoredTexts(ProfileStore& store, uint32_t index) {
    bool cleared = true;
    for (size_t row = 0; row < kMediaItemFieldCount; ++row) {
        const MediaItemField& field = kMediaItemFields[row];
        if (!field.IsText()) continue;
        const std::string name = ItemValueName(index, field.suffix);
        if (store.GetProfileString(names::kConfigSection, name.c_str(), "").empty()) continue;
        cleared = store.WriteProfileString(names::kConfigSection, name.c_str(), "") && cleared;
    }
    return cleared;
}

void MediaItem::WriteTo(ByteStream& file) const {
    using namespace playlist;
    for (uint32_t number = 0; number < FieldCount; ++number) {
        const MediaItemField& field = *FindMediaItemField(number);
        switch (field.type) {
        case MediaItemField::Text:
            WriteByte(file, kFieldMarker);
            WriteText(file, field.getText(*this));
            break;
        case MediaItemField::Number: WriteMarked(file, field.getNumber(*this), 4); break;
        case MediaItemField::Byte: WriteMarked(file, field.getNumber(*this), 1); break;
        }
    }
    WriteByte(file, kRecordEnd);
}

MediaItem::ReadResult MediaItem::ReadFrom(ByteStream& file) {
    using namespace playlist;
    uint8_t marker = 0;
    if (!ReadByte(file, marker)) return RecordMissing;
    uint32_t number = FieldFile;
    while (marker == kFieldMarker) {
        // A marker past the last known field carries no value.
        const MediaItemField* field = FindMediaItemField(number);
        if (field != nullptr) {
            bool whole = true;
            switch (field->type) {
            case MediaItemField::Text: {
                std::string text;
                whole = field->fileTextLimit == MediaItemField::kWholeText
                            ? ReadText(file, text)
                            : ReadText(file, text, field->fileTextLimit);
                field->setText(*this, std::move(text));
                break;
            }
            case MediaItemField::Number: {
                uint32_t value = 0;
                whole = ReadNumber(file, value);
                if (whole) field->setNumber(*this, value);
                break;
            }
            case MediaItemField::Byte: {
                uint8_t value = 0;
                whole = ReadByte(file, value);
                if (whole) field->setNumber(*this, value);
                break;
            }
            }
            if (!whole) return RecordCut;
        }
        if (number < FieldCount) ++number;
        if (!ReadByte(file, marker)) return RecordCut;
    }
    return RecordComplete;
}
