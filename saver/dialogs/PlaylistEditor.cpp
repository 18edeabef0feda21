#include "saver/dialogs/PlaylistEditor.h"

#include <algorithm>
#include <memory>

#include "saver/dialogs/PlaylistView.h"
#include "saver/settings/SaverSettings.h"

namespace {

// Deletes an item that a list handed back.
void Discard(MediaItem* item) {
    if (item == nullptr) return;
    item->Release();
    delete item;
}

}  // namespace

bool PlaylistEditor::RefillPlaylistBox() {
    ViewUpdate update(view_);
    view_.DeselectAll();
    const uint32_t count = settings_.GetCount();
    view_.Reset(count);
    for (uint32_t i = 0; i < count; ++i) {
        if (view_.AppendEntry(settings_.GetItem(i)->File)) continue;
        // The box holds no more: what it cannot show cannot be edited or
        // kept apart from it.
        while (settings_.GetCount() > i) Discard(settings_.RemoveItem(settings_.GetCount() - 1));
        return false;
    }
    return true;
}

bool PlaylistEditor::Append(const std::string& path) {
    auto item = std::make_unique<MediaItem>();
    item->File = path;
    if (settings_.AddItem(item.get()) < 0) return false;
    MediaItem* added = item.release();
    if (view_.AppendEntry(path)) return true;
    settings_.RemoveItem(settings_.GetCount() - 1);
    Discard(added);
    return false;
}

bool PlaylistEditor::Add(const std::vector<std::string>& paths) {
    ViewUpdate update(view_);
    view_.DeselectAll();
    for (const std::string& path : paths) {
        if (path.empty()) continue;
        if (!Append(path)) return false;
        view_.SelectEntry(view_.EntryCount() - 1);
    }
    return true;
}

PlaylistEditor::DropOutcome PlaylistEditor::Drop(
    const std::vector<std::string>& names, const std::function<PlaylistRead(const std::string&)>& loadPlaylist) {
    DropOutcome outcome;
    ViewUpdate update(view_);
    view_.DeselectAll();
    for (const std::string& name : names) {
        if (name.empty()) continue;
        if (name.size() > kMaxNameChars) {
            outcome.tooLong.push_back(name);
            continue;
        }
        const PlaylistRead read = loadPlaylist(name);
        if (read == PlaylistRead::Read) {
            if (!RefillPlaylistBox()) {
                outcome.listFull = true;
                break;
            }
        } else if (read == PlaylistRead::Damaged || read == PlaylistRead::Unreadable) {
            outcome.notLoaded.push_back(name);
        } else if (!Append(name)) {
            outcome.listFull = true;
            break;
        }
    }
    if (view_.EntryCount() > 0) view_.SelectEntry(view_.EntryCount() - 1);
    return outcome;
}

void PlaylistEditor::Remove() {
    std::vector<uint32_t> selected = view_.SelectedEntries();
    if (selected.empty()) return;
    ViewUpdate update(view_);
    const uint32_t first = selected.front();
    for (size_t k = 0; k < selected.size(); ++k) {
        const uint32_t index = selected[k];
        MediaItem* item = settings_.RemoveItem(index);
        if (item == nullptr) continue;
        Discard(item);
        view_.DeleteEntry(index);
        for (size_t later = k + 1; later < selected.size(); ++later) {
            if (selected[later] > index) --selected[later];
        }
    }
    const uint32_t next = first == 0 ? 0 : first - 1;
    if (next < view_.EntryCount()) {
        view_.SelectEntry(next);
    } else {
        view_.DeselectAll();
    }
}

void PlaylistEditor::MoveSelection(int delta) {
    std::vector<uint32_t> selected = view_.SelectedEntries();
    if (selected.empty() || (delta != -1 && delta != 1)) return;
    std::sort(selected.begin(), selected.end());
    const uint32_t count = view_.EntryCount();
    if (delta < 0 && selected.front() == 0) return;
    if (delta > 0 && selected.back() + 1 >= count) return;
    if (count != settings_.GetCount()) return;

    ViewUpdate update(view_);
    std::vector<uint32_t> targets;
    targets.reserve(selected.size());
    for (uint32_t index : selected) targets.push_back(delta < 0 ? index - 1 : index + 1);

    // Each selected item changes places with its neighbour on the side it
    // moves to. Going up from the top (or down from the bottom), an
    // unselected neighbour travels through a block of selected ones to the
    // block's far end, which is where it belongs.
    Playlist& items = settings_.Items();
    if (delta < 0) {
        for (uint32_t index : selected) items.Swap(index, index - 1);
    } else {
        for (auto it = selected.rbegin(); it != selected.rend(); ++it) items.Swap(*it, *it + 1);
    }

    if (selected.size() >= kRebuildFrom) {
        Rebuild(targets);
        return;
    }
    view_.DeselectAll();
    for (auto it = selected.rbegin(); it != selected.rend(); ++it) view_.DeleteEntry(*it);
    for (uint32_t target : targets) {
        view_.InsertEntry(target, settings_.GetItem(target)->File);
        view_.SelectEntry(target);
    }
}

// Moving entry by entry costs the list box a shift of every later entry per
// move; past a few moves one refill is cheaper.
void PlaylistEditor::Rebuild(const std::vector<uint32_t>& selected) {
    RefillPlaylistBox();
    for (uint32_t index : selected) view_.SelectEntry(index);
}

void PlaylistEditor::SelectAll() { view_.SelectAllEntries(); }

PlaylistRead PlaylistEditor::ReadPlaylist(ByteStream& file) {
    try {
        return settings_.ReadPlaylistFile(file);
    } catch (...) {
        // The file is read aside first: the list is as it was.
        return PlaylistRead::Unreadable;
    }
}

void PlaylistEditor::CopyEntriesToItems() {
    const uint32_t count = std::min(settings_.GetCount(), view_.EntryCount());
    for (uint32_t i = 0; i < count; ++i) settings_.GetItem(i)->File = view_.EntryText(i);
}
