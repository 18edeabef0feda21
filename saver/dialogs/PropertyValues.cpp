#include "saver/dialogs/PropertyValues.h"

#include "saver/settings/DeviceCatalogue.h"
#include "saver/settings/SaverSettings.h"
#include "saver/settings/SettingsNames.h"

namespace {

// The five 0/1 fields that the dialog shows as three-state check boxes.
struct FlagField {
    int32_t MediaItem::*item;
    int32_t PropertyValues::*value;
};
constexpr FlagField kFlagFields[] = {
    {&MediaItem::LoopInfinite, &PropertyValues::LoopInfinite},
    {&MediaItem::Mute, &PropertyValues::Mute},
    {&MediaItem::TitleMovie, &PropertyValues::TitleMovie},
    {&MediaItem::TitleBefore, &PropertyValues::TitleBefore},
    {&MediaItem::Bounce, &PropertyValues::Bounce},
};

}  // namespace

int32_t PlayerIndexOf(const std::string& mci, const DeviceCatalogue& catalogue) {
    if (mci == names::kQuickTimePlayer) return PropertyValues::kPlayerQuickTime;
    // An empty choice is "Auto Detect" even when a damaged catalogue holds
    // an entry without a device name.
    if (mci.empty()) return PropertyValues::kPlayerAutoDetect;
    int32_t player = PropertyValues::kPlayerAutoDetect;
    for (uint32_t i = 0; i < catalogue.Count(); ++i) {
        const MciDevice* entry = catalogue.GetAt(i);
        if (entry == nullptr) break;
        if (entry->Device == mci) player = PropertyValues::kPlayerFirstDevice + static_cast<int32_t>(i);
    }
    return player;
}

bool PlayerDevice(int32_t player, const DeviceCatalogue& catalogue, std::string& mci) {
    switch (player) {
    case PropertyValues::kPlayerAutoDetect: mci.clear(); return true;
    case PropertyValues::kPlayerQuickTime: mci = names::kQuickTimePlayer; return true;
    default: break;
    }
    if (player < PropertyValues::kPlayerFirstDevice) return false;
    const MciDevice* entry =
        catalogue.GetAt(static_cast<uint32_t>(player - PropertyValues::kPlayerFirstDevice));
    if (entry == nullptr) return false;
    mci = entry->Device;
    return true;
}

void GatherProperties(const std::vector<const MediaItem*>& selected,
                      const DeviceCatalogue& catalogue, TitleFromFileNameFn titleFromFileName,
                      PropertyValues& values) {
    if (selected.empty()) return;
    const MediaItem& first = *selected.front();
    // A flag acts as set whenever it is not 0, and is shown so; a damaged
    // stored 5 is only rewritten when the user changes the box.
    auto shown = [](int32_t flag) { return flag != 0 ? 1 : 0; };
    for (const FlagField& field : kFlagFields) values.*field.value = shown(first.*field.item);
    values.Loops = first.Loops;
    values.Scale = first.Scale;
    values.Align = first.Align;
    values.Player = PlayerIndexOf(first.MCI, catalogue);

    for (size_t k = 1; k < selected.size(); ++k) {
        const MediaItem& item = *selected[k];
        for (const FlagField& field : kFlagFields) {
            if (shown(item.*field.item) != values.*field.value) {
                values.*field.value = PropertyValues::kMixedFlag;
            }
        }
        if (item.Loops != values.Loops) values.Loops = PropertyValues::kMixedLoops;
        if (item.Scale != values.Scale) values.Scale = PropertyValues::kMixedScale;
        if (item.Align != values.Align) values.Align = PropertyValues::kMixedAlign;
        if (item.MCI != first.MCI) values.Player = PropertyValues::kPlayerDontChange;
    }

    values.MultiSelect = selected.size() > 1 ? 1 : 0;
    values.FileNameTitle = titleFromFileName(first.File);
    values.Title = first.Title;
    values.TitleFontCopy = first.GetTitleFont();
}

void WriteBackProperties(const PropertyValues& values, const std::vector<MediaItem*>& selected,
                         const DeviceCatalogue& catalogue, TitleFromFileNameFn titleFromFileName) {
    const bool single = selected.size() == 1;
    // A scale the combo could not show reads back as no selection: leave it.
    const bool writeScale = values.Scale >= ScaleUseGlobal && values.Scale < ScaleDontChange;
    std::string mci;
    const bool writePlayer = PlayerDevice(values.Player, catalogue, mci);
    for (MediaItem* item : selected) {
        for (const FlagField& field : kFlagFields) {
            if (values.*field.value != PropertyValues::kMixedFlag) {
                item->*field.item = values.*field.value;
            }
        }
        if (values.Loops != PropertyValues::kMixedLoops) item->Loops = values.Loops;
        if (writeScale) item->Scale = static_cast<ScaleMode>(values.Scale);
        if (writePlayer) item->MCI = mci;
        if (single) {
            item->Title = values.Title;
        } else if (values.UseFileName != 0) {
            item->Title = titleFromFileName(item->File);
        } else if (values.TitleRemoved != 0) {
            item->Title.clear();
        }
        if (values.Align != PropertyValues::kMixedAlign) {
            item->Align = static_cast<AlignMode>(values.Align);
        }
        if (values.FontChanged != 0) item->SetTitleFont(values.TitleFontCopy);
    }
}

void KeepUnchanged(PropertyValues& values, const PropertyValues& shown) {
    for (const FlagField& field : kFlagFields) {
        if (values.*field.value == shown.*field.value) values.*field.value = PropertyValues::kMixedFlag;
    }
    if (values.Loops == shown.Loops) values.Loops = PropertyValues::kMixedLoops;
    if (values.Scale == shown.Scale) values.Scale = PropertyValues::kMixedScale;
    if (values.Align == shown.Align) values.Align = PropertyValues::kMixedAlign;
    if (values.Player == shown.Player) values.Player = PropertyValues::kPlayerDontChange;
}

bool EditSelectedProperties(SaverSettings& settings, const std::vector<uint32_t>& selected,
                            uint32_t listCount, const DeviceCatalogue& catalogue,
                            TitleFromFileNameFn titleFromFileName,
                            const std::function<bool(PropertyValues&)>& runDialog) {
    std::vector<MediaItem*> items;
    for (uint32_t index : selected) {
        if (MediaItem* item = settings.GetItem(index)) items.push_back(item);
    }
    if (items.empty()) return false;
    PropertyValues values;
    GatherProperties(std::vector<const MediaItem*>(items.begin(), items.end()), catalogue,
                     titleFromFileName, values);
    values.SeveralInList = listCount > 1 ? 1 : 0;
    const PropertyValues shown = values;
    if (!runDialog(values)) return false;
    KeepUnchanged(values, shown);
    WriteBackProperties(values, items, catalogue, titleFromFileName);
    return true;
}
