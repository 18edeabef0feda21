#include "saver/settings/SaverSettings.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "core/ByteStream.h"
#include "core/ProfileStore.h"
#include "core/SameIgnoringCase.h"
#include "saver/settings/PlaylistFormat.h"
#include "saver/settings/SettingsNames.h"

using namespace names;

namespace {
// The growth step of a new list.
constexpr uint32_t kPlaylistGrowBy = 5;
// The first allocation for a file read from a stream that cannot tell its
// length.
constexpr uint32_t kReadGrowBy = 1024;
}  // namespace

MonitorMode MonitorModeOf(uint32_t stored) {
    return stored < kMonitorModeCount ? static_cast<MonitorMode>(stored) : MonitorMode::PrimaryOnly;
}

SaverSettings::SaverSettings(ProfileStore& store, MachineDefaults* machine)
    : store_(store), machine_(machine) {}

void SaverSettings::Load(bool seedFromMachine) {
    ProfileBatch batch(store_, kConfigSection);
    uint32_t count = store_.GetProfileInt(kConfigSection, kNumAVI, 0);
    if (count == 0 && seedFromMachine) count = SeedFromMachine();

    auto num = [&](const char* name, uint32_t def) {
        return store_.GetProfileInt(kConfigSection, name, def);
    };
    Mute = static_cast<int32_t>(num(kMute, 0));
    Scale = static_cast<ScaleMode>(num(kScale, 0));
    Titles = static_cast<int32_t>(num(kTitles, 0));
    Random = static_cast<int32_t>(num(kRandom, 0));
    Delay = static_cast<int32_t>(num(kDelay, 0));
    DelayMinutes = num(kDelayMinutes, 1);
    Power = static_cast<int32_t>(num(kPower, 0));
    PowerMinutes = num(kPowerMinutes, 1);
    BounceSpeed = num(kBounceSpeed, 100);
    Letterbox = static_cast<int32_t>(num(kLetterbox, 1));
    Monitors = storedMonitors_ = num(kMonitors, 0);

    if (count > 0) LoadItems(count);
}

void SaverSettings::LoadItems(uint32_t count) {
    ProfileBatch batch(store_, kConfigSection);
    for (uint32_t index = 0; index < count; ++index) {
        auto item = std::make_unique<MediaItem>();
        item->LoadFromRegistry(store_, index);
        // "NumAVI" may promise more than is stored: the first empty File ends
        // the list.
        if (item->File.empty()) break;
        if (playlist_.Add(item.get()) < 0) break;
        item.release();
    }
}

bool SaverSettings::ReadPlaylist(ByteStream& file) { return ReadPlaylistFile(file) == PlaylistRead::Read; }

PlaylistRead SaverSettings::ReadPlaylistFile(ByteStream& file) {
    char signature[playlist::kSignatureLength];
    if (file.Read(signature, sizeof signature) != sizeof signature ||
        std::memcmp(signature, playlist::kSignature, sizeof signature) != 0) {
        return PlaylistRead::NotAPlaylist;
    }
    // The file is read into a list of its own, which replaces the playlist
    // only when every record the count promises has come whole: a file cut
    // short, or a read that fails, leaves the user's list as it was.
    Playlist read;
    uint32_t count = 0;
    if (!playlist::ReadNumber(file, count)) return PlaylistRead::Damaged;
    // The count is believed only as far as the file can hold it: the list
    // is sized at once for the records the saver writes, and where the
    // count promises more than those, it doubles as records really come.
    const uint64_t left = file.BytesLeft();
    uint64_t first = count;
    if (left == ByteStream::kUnknownLength) {
        first = std::min<uint64_t>(first, kReadGrowBy);
    } else {
        first = std::min<uint64_t>(first, left / playlist::kMinWrittenRecordLength + 1);
    }
    read.SetGrowBy(static_cast<uint32_t>(first));
    std::unique_ptr<MediaItem> item;
    for (uint32_t index = 0; index < count; ++index) {
        if (item) {
            *item = MediaItem();
        } else {
            item = std::make_unique<MediaItem>();
        }
        if (item->ReadFrom(file) != MediaItem::RecordComplete) return PlaylistRead::Damaged;
        // A record without a file names nothing to play, and the registry
        // ends its list at such an item: it is left out, the rest kept. Its
        // item is cleared and takes the next record.
        if (item->File.empty()) continue;
        if (index > 0 && read.Count() == read.Capacity()) read.SetGrowBy(read.Count());
        if (read.Add(item.get()) < 0) return PlaylistRead::Damaged;
        item.release();
    }
    read.SetGrowBy(kPlaylistGrowBy);
    playlist_.SwapContents(read);
    return PlaylistRead::Read;
}

void SaverSettings::WritePlaylist(ByteStream& file) const {
    const uint32_t count = GetCount();
    file.Write(playlist::kSignature, playlist::kSignatureLength);
    playlist::WriteNumber(file, count);
    for (uint32_t index = 0; index < count; ++index) GetItem(index)->WriteTo(file);
}

SaveOutcome SaverSettings::Save() {
    ProfileBatch batch(store_, kConfigSection);
    // Windows 95 keeps about 64 KB in one key and 16,300 bytes in one value:
    // a long playlist or one long title can be refused part way. What is
    // stored now is read first, to be written back over a refused save.
    SaverSettings before(store_, nullptr);
    before.Load(false);

    SaveOutcome outcome;
    const uint32_t count = GetCount();
    const uint32_t whole = count > 0 ? SaveItems(count) : 0;
    if (whole < count) {
        outcome.what = SaveOutcome::ItemRefused;
        outcome.item = whole;
    } else if (!SaveOptions() || !store_.WriteProfileInt(kConfigSection, kNumAVI, count) ||
               (Monitors != storedMonitors_ && !store_.WriteProfileInt(kConfigSection, kMonitors, Monitors))) {
        outcome.what = SaveOutcome::OptionsRefused;
    }
    if (outcome.what == SaveOutcome::Stored) {
        storedMonitors_ = Monitors;
        return outcome;
    }
    // A refused write leaves the stored "NumAVI" as it was, so it still
    // counts the earlier items once they are back.
    const bool itemsOnly = outcome.what == SaveOutcome::ItemRefused;
    outcome.restored = before.PutBack(itemsOnly ? whole + 1 : count, !itemsOnly);
    return outcome;
}

bool SaverSettings::SaveOptions() {
    auto num = [&](const char* name, uint32_t value) {
        return store_.WriteProfileInt(kConfigSection, name, value);
    };
    return num(kMute, static_cast<uint32_t>(Mute)) && num(kScale, static_cast<uint32_t>(Scale)) &&
           num(kTitles, static_cast<uint32_t>(Titles)) && num(kRandom, static_cast<uint32_t>(Random)) &&
           num(kDelay, static_cast<uint32_t>(Delay)) && num(kDelayMinutes, DelayMinutes) &&
           num(kPower, static_cast<uint32_t>(Power)) && num(kPowerMinutes, PowerMinutes) &&
           num(kBounceSpeed, BounceSpeed) && num(kLetterbox, static_cast<uint32_t>(Letterbox));
}

bool SaverSettings::PutBack(uint32_t touched, bool options) {
    ProfileBatch batch(store_, kConfigSection);
    bool stored = true;
    // Past this list's end the new items lose their texts first: the one
    // at the end index ends the list again on loading, and the room they
    // give back is there for the earlier items, which may be longer.
    for (uint32_t index = GetCount(); index < touched; ++index) {
        stored = MediaItem::ClearStoredTexts(store_, index) && stored;
    }
    for (uint32_t index = 0; index < touched && index < GetCount(); ++index) {
        stored = GetItem(index)->SaveToRegistry(store_, index) && stored;
    }
    if (options) stored = SaveOptions() && stored;
    return stored;
}

uint32_t SaverSettings::SaveItems(uint32_t count) {
    ProfileBatch batch(store_, kConfigSection);
    // Values of items past `count` from an earlier, longer list stay stored;
    // "NumAVI" keeps them from ever being read.
    for (uint32_t index = 0; index < count; ++index) {
        const MediaItem* item = GetItem(index);
        if (item != nullptr && !item->SaveToRegistry(store_, index)) return index;
    }
    return count;
}

uint32_t SaverSettings::SeedFromMachine() {
    if (machine_ == nullptr) return 0;
    std::vector<MachineValue> values;
    if (!machine_->Read(values)) return 0;
    // "NumAVI" goes in last, and only after every other value: a count
    // stored over items that were not would cut the user's first list for
    // good, since the defaults are only copied while it is 0.
    const MachineValue* count = nullptr;
    for (const MachineValue& value : values) {
        bool stored = true;
        switch (value.kind) {
        case MachineValue::Text:
            stored = store_.WriteProfileString(kConfigSection, value.name.c_str(), value.text.c_str());
            break;
        case MachineValue::Number:
            // The registry matches value names without case.
            if (SameIgnoringCase(value.name, kNumAVI)) {
                count = &value;
            } else {
                stored = store_.WriteProfileInt(kConfigSection, value.name.c_str(), value.number);
            }
            break;
        case MachineValue::Other:
            break;
        }
        if (!stored) return 0;
    }
    if (count != nullptr && !store_.WriteProfileInt(kConfigSection, kNumAVI, count->number)) return 0;
    return store_.GetProfileInt(kConfigSection, kNumAVI, 0);
}

MediaItem* SaverSettings::GetItem(uint32_t i) const {
    return static_cast<MediaItem*>(playlist_.GetAt(i));
}

int SaverSettings::AddItem(MediaItem* item) { return playlist_.Add(item); }

MediaItem* SaverSettings::RemoveItem(uint32_t i) {
    return static_cast<MediaItem*>(playlist_.RemoveAt(i));
}

int SaverSettings::InsertItem(uint32_t i, MediaItem* item) { return playlist_.InsertAt(i, item); }

uint32_t SaverSettings::GetCount() const { return playlist_.Count(); }

void SaverSettings::ApplyGlobals(bool forceMute) {
    const uint32_t count = GetCount();
    for (uint32_t i = 0; i < count; ++i) {
        MediaItem* item = GetItem(i);
        if (Mute != 0 || forceMute) item->Mute = Mute;
        if (item->Scale == ScaleUseGlobal) item->Scale = Scale;
        item->Letterbox = Letterbox;
    }
}
