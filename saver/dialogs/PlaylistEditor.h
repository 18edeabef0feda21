#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class ByteStream;
class PlaylistView;
class SaverSettings;

// The configuration dialog's list-editing rules: every command changes the
// settings' playlist and the view together, so that entry i of the view
// always shows the File of item i and both have the same number of entries.
class PlaylistEditor {
public:
    PlaylistEditor(SaverSettings& settings, PlaylistView& view)
        : settings_(settings), view_(view) {}

    // The view shows every item's File in list order; nothing selected.
    void RefillPlaylistBox();

    // Appends one new item per path, in order; the new entries end up
    // selected and nothing else is.
    void Add(const std::vector<std::string>& paths);

    // Dropped names, in order: a name that `tryLoadPlaylist` takes has
    // replaced the whole playlist and the view is refilled; every other name
    // becomes a new entry. Only the last entry is selected afterwards.
    void Drop(const std::vector<std::string>& names,
              const std::function<bool(const std::string&)>& tryLoadPlaylist);

    // Deletes the selected items. The entry above the first removed one (or
    // entry 0) is selected afterwards; nothing when the list is empty.
    void Remove();

    // Moves every selected entry one place up (-1) or down (+1); the entries
    // in between shift the other way and the moved ones stay selected.
    // Nothing moves when a selected entry stands at the edge it would cross.
    void MoveSelection(int delta);

    void SelectAll();

    // Replaces the playlist with a playlist file's items: true when `file`
    // begins with the signature. A read that fails after the signature keeps
    // the items read so far and still gives true, so the caller's refill
    // shows what the list now holds.
    bool ReadPlaylist(ByteStream& file);

    // Sets each item's File to the text of its entry (the dialog's OK).
    void CopyEntriesToItems();

    // MoveSelection rebuilds the whole view, instead of moving entry by
    // entry, from this many selected entries on.
    static constexpr uint32_t kRebuildFrom = 16;

private:
    void Rebuild(const std::vector<uint32_t>& selected);

    SaverSettings& settings_;
    PlaylistView& view_;
};
