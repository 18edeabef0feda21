#pragma once
#include <cstdint>
#include <string>

#include "saver/settings/LogFont.h"
#include "saver/settings/ObjectList.h"

class ProfileStore;
class ByteStream;

enum ScaleMode : int32_t {
    ScaleUseGlobal = 0,
    ScaleNatural = 1,
    ScaleDouble = 2,
    ScaleHalf = 3,
    ScaleFullScreen = 4,
    ScaleThreeQuarterScreen = 5,
    ScaleHalfScreen = 6,
    ScaleQuarterScreen = 7,
    ScaleDontChange = 8,  // the properties dialog's mixed value; never stored
};

enum AlignMode : int32_t {
    AlignCenter = 0,
    AlignUpperLeft = 1,
    AlignTop = 2,
    AlignUpperRight = 3,
    AlignLeft = 4,
    AlignRight = 5,
    AlignLowerLeft = 6,
    AlignBottom = 7,
    AlignLowerRight = 8,
};

// One playlist entry: a media file and how to show it. The field names are
// the suffixes of the stored values; MediaItemFields.h lists the stored ones
// with their registry and playlist-file places.
class MediaItem : public ListElement {
public:
    static constexpr int kMaxFaceLength = 31;

    MediaItem();
    void Release() override {}

    void LoadFromRegistry(ProfileStore& store, uint32_t index);
    // false at the first value the store refuses; the values after it are
    // not written.
    bool SaveToRegistry(ProfileStore& store, uint32_t index) const;
    // Writes "" over every text of item `index` that the store holds, not
    // empty: the item then ends a list on loading and takes the least room.
    // Adds no value. false when the store refuses one.
    static bool ClearStoredTexts(ProfileStore& store, uint32_t index);

    // How a record read ended.
    enum ReadResult {
        RecordComplete,  // a byte other than a field marker closed it
        RecordCut,       // the stream ended inside it; the item keeps what came
        RecordMissing,   // the stream had ended before it began
    };
    // Reads one playlist-file record into this item. Fields the record lacks
    // keep their values; texts are kept whole, the face name excepted (31).
    ReadResult ReadFrom(ByteStream& file);
    // Writes this item as one full playlist-file record.
    void WriteTo(ByteStream& file) const;

    // Rebuilds TitleFont: height -16, the given face (cut to 31 characters),
    // weight and italic byte, everything else 0.
    void SetFont(const char* face, int32_t weight, uint8_t italic);
    LogFont GetTitleFont() const { return TitleFont; }
    // Takes only face, weight and italic from `font`.
    void SetTitleFont(const LogFont& font);

    std::string File;
    std::string Title;
    std::string MCI;
    uint32_t Loops = 1;
    ScaleMode Scale = ScaleUseGlobal;
    AlignMode Align = AlignCenter;
    int32_t Letterbox = 1;
    int32_t Bounce = 0;
    int32_t LoopInfinite = 0;
    int32_t Mute = 0;
    int32_t Played = 0;
    int32_t TitleBefore = 1;
    int32_t TitleMovie = 0;
    LogFont TitleFont;
    int32_t IsLogo = 0;
};

// The name of item `index`'s value `suffix`: "AVI<index>.<suffix>".
std::string ItemValueName(uint32_t index, const char* suffix);
