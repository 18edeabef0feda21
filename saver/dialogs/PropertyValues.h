#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "saver/settings/LogFont.h"
#include "saver/settings/MediaItem.h"

class DeviceCatalogue;

// The per-item values the properties dialog edits for one or several
// playlist entries. Where the selected items disagree a member holds its
// "mixed" value, and a member left at that value is not written back.
struct PropertyValues {
    // Mixed values: what the dialog shows when the selected items differ.
    static constexpr int32_t kMixedFlag = 2;  // indeterminate check box
    static constexpr uint32_t kMixedLoops = 0;
    static constexpr int32_t kMixedScale = ScaleDontChange;
    static constexpr int32_t kMixedAlign = -1;  // no alignment button pressed

    // Positions of the player combo; entry i of the catalogue is kPlayerFirstDevice + i.
    static constexpr int32_t kPlayerAutoDetect = 0;
    static constexpr int32_t kPlayerDontChange = 1;  // the mixed value
    static constexpr int32_t kPlayerQuickTime = 2;
    static constexpr int32_t kPlayerFirstDevice = 3;

    int32_t SeveralInList = 0;  // the playlist holds more than one entry
    int32_t MultiSelect = 0;    // more than one entry is edited
    std::string FileNameTitle;  // the first item's title made from its file name
    int32_t TitleRemoved = 0;
    LogFont TitleFontCopy;
    int32_t FontChanged = 0;

    int32_t Mute = 0;
    uint32_t Loops = 0;
    int32_t LoopInfinite = 0;
    int32_t Scale = -1;
    int32_t Player = -1;
    std::string Title;
    int32_t UseFileName = 0;
    int32_t TitleMovie = 0;
    int32_t TitleBefore = 0;
    int32_t Align = -1;
    int32_t Bounce = 0;
};

// How the configuration dialog turns a path into a title.
using TitleFromFileNameFn = std::string (*)(const std::string& path);

// The player combo position of an item's MCI text: kPlayerQuickTime for
// "PELORQT", kPlayerFirstDevice + i for the last catalogue entry whose
// Device equals it exactly (letter case included), else kPlayerAutoDetect.
int32_t PlayerIndexOf(const std::string& mci, const DeviceCatalogue& catalogue);

// The MCI text that player position `player` stands for; false for
// "Don't change" and for positions that stand for nothing (then `mci` is
// left alone).
bool PlayerDevice(int32_t player, const DeviceCatalogue& catalogue, std::string& mci);

// Fills `values` from the selected items (ascending index order; at least
// one): the first item's values, the mixed value wherever a further item
// differs, and the texts and font of the first item. SeveralInList is left
// to the caller; MultiSelect is set from the number of items.
void GatherProperties(const std::vector<const MediaItem*>& selected,
                      const DeviceCatalogue& catalogue, TitleFromFileNameFn titleFromFileName,
                      PropertyValues& values);

// Writes the dialog's values back into every selected item, in the order
// given (ascending index order): only what is not mixed; the title as typed
// for a single item, or for several the file-name titles or empty titles
// when asked; the font's face, weight and italic when the font was chosen.
void WriteBackProperties(const PropertyValues& values, const std::vector<MediaItem*>& selected,
                         const DeviceCatalogue& catalogue, TitleFromFileNameFn titleFromFileName);

// Turns every value the dialog ended with that equals what it was shown
// with into its "don't change" value, so that OK without a change writes
// nothing back: a damaged stored value, or an MCI text that names no
// player, stays as it was.
void KeepUnchanged(PropertyValues& values, const PropertyValues& shown);

class SaverSettings;

// The configuration dialog's Properties command apart from its windows.
// `selected` are the selected list entries in ascending order and
// `listCount` the number of entries in the list. With no selection nothing
// happens. Otherwise the selected items' values are gathered, SeveralInList
// set, and `runDialog` shows them; only when it returns true (OK) are its
// values written back into every selected item, those the user left as
// shown excepted (KeepUnchanged). Indexes the playlist does
// not hold are passed over. Returns true when values were written.
bool EditSelectedProperties(SaverSettings& settings, const std::vector<uint32_t>& selected,
                            uint32_t listCount, const DeviceCatalogue& catalogue,
                            TitleFromFileNameFn titleFromFileName,
                            const std::function<bool(PropertyValues&)>& runDialog);
