#include "MediaItem.h"

#include <cstring>

#include "ByteStream.h"
#include "PlaylistFormat.h"
#include "ProfileStore.h"
#include "SettingsNames.h"

MediaItem::MediaItem() { SetFont(names::kDefaultFontFace, 0, 0); }

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
    using namespace names;
    const char* section = kConfigSection;
    auto num = [&](const char* suffix, uint32_t def) {
        return store.GetProfileInt(section, ItemValueName(index, suffix).c_str(), def);
    };
    auto text = [&](const char* suffix, const char* def) {
        return store.GetProfileString(section, ItemValueName(index, suffix).c_str(), def);
    };
    File = text(kItemFile, "");
    Loops = num(kItemLoops, 1);
    TitleMovie = static_cast<int32_t>(num(kItemTitleMovie, 0));
    TitleBefore = static_cast<int32_t>(num(kItemTitleBefore, 1));
    LoopInfinite = static_cast<int32_t>(num(kItemLoopInfinite, 0));
    Mute = static_cast<int32_t>(num(kItemMute, 0));
    // An item stored without a scale plays at its own size.
    Scale = static_cast<ScaleMode>(num(kItemScale, ScaleNatural));
    MCI = text(kItemMCI, "");
    Title = text(kItemTitle, "");
    Align = static_cast<AlignMode>(num(kItemAlign, AlignCenter));
    Bounce = static_cast<int32_t>(num(kItemBounce, 0));
    const auto weight = static_cast<int32_t>(num(kItemFontWeight, 0));
    const auto italic = static_cast<uint8_t>(num(kItemFontItalic, 0) & 0xFF);
    const std::string face = text(kItemFontFace, kDefaultFontFace);
    SetFont(face.c_str(), weight, italic);
}

void MediaItem::SaveToRegistry(ProfileStore& store, uint32_t index) const {
    using namespace names;
    const char* section = kConfigSection;
    auto num = [&](const char* suffix, uint32_t value) {
        store.WriteProfileInt(section, ItemValueName(index, suffix).c_str(), value);
    };
    auto text = [&](const char* suffix, const std::string& value) {
        store.WriteProfileString(section, ItemValueName(index, suffix).c_str(), value.c_str());
    };
    text(kItemFile, File);
    num(kItemLoops, Loops);
    num(kItemLoopInfinite, static_cast<uint32_t>(LoopInfinite));
    num(kItemTitleMovie, static_cast<uint32_t>(TitleMovie));
    num(kItemTitleBefore, static_cast<uint32_t>(TitleBefore));
    num(kItemMute, static_cast<uint32_t>(Mute));
    num(kItemScale, static_cast<uint32_t>(Scale));
    text(kItemMCI, MCI);
    text(kItemTitle, Title);
    num(kItemAlign, static_cast<uint32_t>(Align));
    num(kItemBounce, static_cast<uint32_t>(Bounce));
    num(kItemFontWeight, static_cast<uint32_t>(TitleFont.lfWeight));
    num(kItemFontItalic, TitleFont.lfItalic);
    text(kItemFontFace, TitleFont.lfFaceName);
}

namespace {

void SetNumberField(MediaItem& item, uint32_t field, uint32_t value) {
    using namespace playlist;
    const auto flag = static_cast<int32_t>(value);
    switch (field) {
    case FieldMute: item.Mute = flag; break;
    case FieldScale: item.Scale = static_cast<ScaleMode>(flag); break;
    case FieldLoops: item.Loops = value; break;
    case FieldLoopInfinite: item.LoopInfinite = flag; break;
    case FieldTitleMovie: item.TitleMovie = flag; break;
    case FieldTitleBefore: item.TitleBefore = flag; break;
    case FieldAlign: item.Align = static_cast<AlignMode>(flag); break;
    case FieldBounce: item.Bounce = flag; break;
    default: break;
    }
}

}  // namespace

void MediaItem::WriteTo(ByteStream& file) const {
    using namespace playlist;
    auto text = [&](const std::string& value) {
        WriteByte(file, kFieldMarker);
        WriteText(file, value.c_str());
    };
    auto num = [&](uint32_t value) {
        WriteByte(file, kFieldMarker);
        WriteNumber(file, value);
    };
    text(File);
    text(Title);
    text(MCI);
    num(static_cast<uint32_t>(Mute));
    num(static_cast<uint32_t>(Scale));
    num(Loops);
    num(static_cast<uint32_t>(LoopInfinite));
    num(static_cast<uint32_t>(TitleMovie));
    num(static_cast<uint32_t>(TitleBefore));
    num(static_cast<uint32_t>(Align));
    num(static_cast<uint32_t>(Bounce));
    num(static_cast<uint32_t>(TitleFont.lfWeight));
    WriteByte(file, kFieldMarker);
    WriteByte(file, TitleFont.lfItalic);
    WriteByte(file, kFieldMarker);
    WriteText(file, TitleFont.lfFaceName);
    WriteByte(file, kRecordEnd);
}

MediaItem::ReadResult MediaItem::ReadFrom(ByteStream& file) {
    using namespace playlist;
    uint8_t marker = 0;
    if (!ReadByte(file, marker)) return RecordMissing;
    uint32_t field = FieldFile;
    while (marker == kFieldMarker) {
        uint32_t number = 0;
        bool whole = true;
        switch (field) {
        case FieldFile: whole = ReadText(file, File); break;
        case FieldTitle: whole = ReadText(file, Title); break;
        case FieldMCI: whole = ReadText(file, MCI); break;
        case FieldFontFace: {
            std::string face;
            whole = ReadText(file, face, kMaxFaceLength);
            SetFont(face.c_str(), TitleFont.lfWeight, TitleFont.lfItalic);
            break;
        }
        case FieldFontWeight:
            whole = ReadNumber(file, number);
            if (whole) SetFont(TitleFont.lfFaceName, static_cast<int32_t>(number),
                                   TitleFont.lfItalic);
            break;
        case FieldFontItalic: {
            uint8_t italic = 0;
            whole = ReadByte(file, italic);
            if (whole) SetFont(TitleFont.lfFaceName, TitleFont.lfWeight, italic);
            break;
        }
        case FieldCount:
            // A marker past the last known field carries no value.
            break;
        default:
            whole = ReadNumber(file, number);
            if (whole) SetNumberField(*this, field, number);
            break;
        }
        if (!whole) return RecordCut;
        if (field < FieldCount) ++field;
        if (!ReadByte(file, marker)) return RecordCut;
    }
    return RecordComplete;
}
