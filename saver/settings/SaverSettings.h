#pragma once
#include <cstdint>

#include "saver/settings/MediaItem.h"
#include "saver/settings/ObjectList.h"

class ProfileStore;
class MachineDefaults;
class ByteStream;

// What the monitors besides the primary screen show while the saver runs.
// Any other stored number means PrimaryOnly.
enum class MonitorMode : uint32_t {
    PrimaryOnly = 0,  // black
    EachOwn = 1,      // each plays the playlist by itself
    SameMovie = 2,    // each shows the primary screen's movie at the same time
    Spanned = 3,      // one movie across the rectangle that holds them all
};
constexpr uint32_t kMonitorModeCount = 4;
MonitorMode MonitorModeOf(uint32_t stored);

// The saver-wide options. They have no values of their own until Load.
struct GlobalOptions {
    int32_t Mute = 0;
    int32_t Titles = 0;
    int32_t Random = 0;
    ScaleMode Scale = ScaleUseGlobal;
    int32_t Letterbox = 1;
    int32_t Delay = 0;
    uint32_t DelayMinutes = 1;
    int32_t Power = 0;
    uint32_t PowerMinutes = 1;
    uint32_t BounceSpeed = 100;
    // As stored: an unknown number is kept, and means MonitorMode::PrimaryOnly.
    uint32_t Monitors = 0;
};

// What reading a playlist file came to. Only Read changes the playlist.
enum class PlaylistRead {
    Read,          // the list was replaced by the file's items
    NotAPlaylist,  // the file does not begin with the signature
    Damaged,       // the signature, but records missing or cut short
    Unreadable,    // a read of the file failed
    NotOpened,     // the file could not be opened
};

// What a Save came to. When the store refuses a value the settings it held
// before are written back, so that it never keeps a playlist cut short.
struct SaveOutcome {
    enum What {
        Stored,          // every value of the section was stored
        ItemRefused,     // the store refused a value of the item at `item`
        OptionsRefused,  // the store refused a global option or "NumAVI"
    };
    What what = Stored;
    uint32_t item = 0;
    // false when the store also refused to take back a value it held
    // before: what it keeps is then neither the old settings nor the new.
    bool restored = true;
};

// The playlist: MediaItems in play order, owned.
class Playlist : public ObjectList {};

// The global options and the playlist, loaded from and saved to the
// "Config" section of a ProfileStore.
class SaverSettings : public GlobalOptions {
public:
    // `machine` may be null: there is then nothing to seed a first run from.
    SaverSettings(ProfileStore& store, MachineDefaults* machine);
    virtual ~SaverSettings() = default;
    SaverSettings(const SaverSettings&) = delete;
    SaverSettings& operator=(const SaverSettings&) = delete;

    // Appends items 0..count-1; stops at the first item with an empty File.
    virtual void LoadItems(uint32_t count);
    // Replaces the list with the items of a playlist file and returns true
    // when the file begins with the signature and holds every record its
    // count promises, whole. Otherwise returns false and changes nothing
    // (also when the stream throws). Records with an empty File are left
    // out. The memory taken grows with the records present, not with the
    // count. Stream errors other than the end pass as the stream's
    // exception.
    virtual bool ReadPlaylist(ByteStream& file);
    // The same, telling a file that is no playlist from a damaged one
    // (never Unreadable: stream errors pass as exceptions).
    PlaylistRead ReadPlaylistFile(ByteStream& file);
    // Reads the whole section; appends to whatever the list holds.
    virtual void Load(bool seedFromMachine);
    // Writes items 0..count-1 and returns how many were stored whole: the
    // item at that index, when below `count`, was refused (perhaps in part).
    virtual uint32_t SaveItems(uint32_t count);
    // Writes the signature, the count and every item's record.
    virtual void WritePlaylist(ByteStream& file) const;
    // Writes the items, then the global options, then "NumAVI", so that a
    // stored count never promises items that were not stored; on a refusal
    // the section's earlier items and options are written back. "Monitors"
    // comes last and only when it differs from what Load read, so a value
    // the saver does not know (a text, say) stays until the user chooses.
    virtual SaveOutcome Save();
    virtual MediaItem* GetItem(uint32_t i) const;
    virtual int AddItem(MediaItem* item);
    // Hands the item to the caller, who releases and deletes it.
    virtual MediaItem* RemoveItem(uint32_t i);
    virtual int InsertItem(uint32_t i, MediaItem* item);
    virtual uint32_t GetCount() const;
    MonitorMode Mode() const { return MonitorModeOf(Monitors); }
    // Prepares the loaded items for playing: global mute, scale and letterbox.
    virtual void ApplyGlobals(bool forceMute);

    // Copies the machine-wide values into the user's section, "NumAVI" last
    // and only when every other value was stored; returns the user's
    // "NumAVI" afterwards (0 when the machine key cannot be read whole).
    uint32_t SeedFromMachine();

    Playlist& Items() { return playlist_; }
    ProfileStore& Store() { return store_; }

private:
    // Writes the global options; false at the first one refused.
    bool SaveOptions();
    // Writes these settings back over a Save of others that was refused:
    // the items at indexes below `touched` that this list has, an empty
    // item at each index from its end on, and with `options` the options.
    bool PutBack(uint32_t touched, bool options);

    ProfileStore& store_;
    MachineDefaults* machine_;
    Playlist playlist_;
    uint32_t storedMonitors_ = 0;  // "Monitors" as Load read it
};
