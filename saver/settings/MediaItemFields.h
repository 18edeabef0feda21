#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "saver/settings/PlaylistFormat.h"

class MediaItem;

// Every stored field of a MediaItem, once: the member (through its getter and
// setter), the suffix of its registry value "AVI<index>.<suffix>", its place
// in a playlist-file record, the value a missing registry value means and
// its place among the registry reads (the rows are in the order of the
// registry writes).
// The registry load and save, the playlist-file reader and writer, the
// playlist-storing tool and the properties dialog all go through this table;
// a new field is one more row.
struct MediaItemField {
    enum Type {
        Text,    // a text; file: bytes and a zero
        Number,  // a 32-bit number; file: 4 bytes
        Byte,    // a number kept in one byte; registry: a number, file: 1 byte
    };

    const char* suffix;
    uint32_t loadPosition;
    playlist::Field fileField;
    Type type;
    uint32_t numberDefault;    // Number and Byte
    const char* textDefault;   // Text
    size_t fileTextLimit;      // Text: characters kept from a file; kWholeText keeps all
    static constexpr size_t kWholeText = 0;

    // Number and Byte fields: the member as the registry and the file store it.
    uint32_t (*getNumber)(const MediaItem& item);
    void (*setNumber)(MediaItem& item, uint32_t value);
    // Text fields.
    const char* (*getText)(const MediaItem& item);
    void (*setText)(MediaItem& item, std::string&& value);

    bool IsText() const { return type == Text; }
};

// The rows in the order the registry save writes the values.
extern const MediaItemField kMediaItemFields[];
extern const size_t kMediaItemFieldCount;

// The row read at `position` of a registry load, or null past the last.
const MediaItemField* MediaItemFieldAtLoad(uint32_t position);
// The row of playlist-file field `field`, or null for FieldCount and beyond.
const MediaItemField* FindMediaItemField(uint32_t field);
// The row whose suffix is `suffix`, compared without regard to case, or null.
const MediaItemField* FindMediaItemField(const std::string& suffix);
