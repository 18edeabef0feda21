#include "MediaItem.h"

#include <cstring>

#include "ProfileStore.h"
#include "SettingsNames.h"

MediaItem::MediaItem() { SetFont(names::kDefaultFontFace, 0, 0); }

void MediaItem::SetFont(const char* face, int32_t weight, uint8_t italic) {
    TitleFont = LogFont{};
    TitleFont.lfHeight = -16;
    TitleFont.lfWeight = weight;
    TitleFont.lfItalic = italic;
    std::strncpy(TitleFont.lfFaceName, face != nullptr ? face : "", kMaxFaceLength);
    TitleFont.lfFaceName[kMaxFaceLength] = '\0';
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
