#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "saver/settings/SaverSettings.h"

class ByteStream;
class PlaylistView;

// The configuration dialog's list-editing rules: every command changes the
// settings' playlist and the view together, so that entry i of the view
// always shows the File of item i and both have the same number of entries.
class PlaylistEditor {
public:
    PlaylistEditor(SaverSettings& settings, PlaylistView& view)
        : settings_(settings), view_(view) {}

    // The view shows every item's File in list order; nothing selected.
    // Items past what the view takes are dropped from the playlist, so that
    // the two still agree; false then.
    bool RefillPlaylistBox();

    // Appends one new item per path, in order; the new entries end up
    // selected and nothing else is. An empty path names nothing and is
    // passed over. false when the view refused an entry: that path and the
    // ones after it are not added.
    bool Add(const std::vector<std::string>& paths);

    // What a drop left undone, for the dialog to tell.
    struct DropOutcome {
        // Playlists that were damaged or could not be read: neither loaded
        // nor added as entries.
        std::vector<std::string> notLoaded;
        // Names longer than kMaxNameChars: neither tried nor added.
        std::vector<std::string> tooLong;
        // The view refused an entry; the names from there on were left.
        bool listFull = false;
    };
    // The longest full path the system opens, without its terminating zero.
    static constexpr size_t kMaxNameChars = 259;
    // Dropped names, in order: a playlist that `loadPlaylist` reads has
    // replaced the whole playlist and the view is refilled; a file that is
    // no playlist, or cannot be opened, becomes a new entry; an empty name
    // is passed over, and one too long to open is refused, never shortened
    // into the name of another file. Only the last entry is selected
    // afterwards.
    DropOutcome Drop(const std::vector<std::string>& names,
                     const std::function<PlaylistRead(const std::string&)>& loadPlaylist);

    // Deletes the selected items. The entry above the first removed one (or
    // entry 0) is selected afterwards; nothing when the list is empty.
    void Remove();

    // Moves every selected entry one place up (-1) or down (+1); the entries
    // in between shift the other way and the moved ones stay selected.
    // Nothing moves when a selected entry stands at the edge it would cross.
    void MoveSelection(int delta);

    void SelectAll();

    // Replaces the playlist with a playlist file's items when the file is
    // a whole playlist; otherwise (a failing stream included) the playlist
    // stays as it was. The caller refills the view after Read.
    PlaylistRead ReadPlaylist(ByteStream& file);

    // Sets each item's File to the text of its entry (the dialog's OK).
    void CopyEntriesToItems();

    // MoveSelection rebuilds the whole view, instead of moving entry by
    // entry, from this many selected entries on.
    static constexpr uint32_t kRebuildFrom = 16;

private:
    // Appends an item for `path` to the playlist and the view; false (and
    // nothing added) when either refuses it.
    bool Append(const std::string& path);
    void Rebuild(const std::vector<uint32_t>& selected);

    SaverSettings& settings_;
    PlaylistView& view_;
};
