#pragma once
#include <cstdint>
#include <string>
#include <unordered_set>

#include "core/DirectoryListing.h"

class MediaItem;
class SaverSettings;

// Folder entries of the playlist, for one run: an entry whose File names a
// folder is replaced, when the sequencer is about to reach it, by one item
// for each media file under it (FolderWalker's order), each a copy of the
// entry with the file's path, as if the user had added the files one by one
// at that place. The folder is read afresh at each start; an entry with
// nothing playable is dropped for the run like a missing file.
class FolderExpansion {
public:
    // Both must outlive this object.
    FolderExpansion(SaverSettings& settings, DirectoryListing& listing);

    // The run starts: every item now in the playlist may be a folder entry,
    // to be looked at once when it is about to play.
    void Start();

    // True when Prepare would read a folder: the item the next advance picks
    // (every item, in random order) has not been looked at yet.
    bool HasWork(uint32_t currentIndex) const;

    // Before an advance from `currentIndex` (the sequencer's CurrentIndex):
    // expands the item the advance will pick in list order until it is a
    // file, and every item in random order, where all files of all entries
    // take part in the mix. True when the sequencer must start over (Reset)
    // because the list grew at a place that its index arithmetic had already
    // wrapped past; that happens only before the first advance.
    bool Prepare(uint32_t currentIndex);

    // Replaces item `index`, a folder, with its files; returns how many.
    uint32_t ExpandAt(uint32_t index);

    // The item for one file of folder entry `entry`. With the entry's title
    // being the folder's file-name title (Use Filename as Title), each file
    // gets its own file-name title. The caller owns the item.
    static MediaItem* ItemForFile(const MediaItem& entry, const std::string& path);

private:
    // Looks at item `index` once: expands it when it is a folder; false when
    // it was looked at before.
    bool LookAt(uint32_t index);

    SaverSettings& settings_;
    DirectoryListing& listing_;
    // Items loaded at the start that have not been looked at. Compared, never
    // followed: an item dropped meanwhile is never reached through it.
    std::unordered_set<const MediaItem*> unchecked_;
};
