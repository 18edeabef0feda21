#include "saver/playback/FolderExpansion.h"

#include "saver/playback/FolderWalker.h"
#include "saver/settings/FileTitle.h"
#include "saver/settings/SaverSettings.h"

FolderExpansion::FolderExpansion(SaverSettings& settings, DirectoryListing& listing)
    : settings_(settings), listing_(listing) {}

void FolderExpansion::Start() {
    unchecked_.clear();
    const uint32_t count = settings_.GetCount();
    for (uint32_t i = 0; i < count; ++i) unchecked_.insert(settings_.GetItem(i));
}

namespace {
constexpr uint32_t kGrowBy = 1024;
// The index a list-order advance from `current` lands on.
uint32_t NextInOrder(uint32_t current, uint32_t count) {
    const uint32_t next = current + 1;
    return next >= count ? 0 : next;
}
}  // namespace

bool FolderExpansion::HasWork(uint32_t currentIndex) const {
    if (unchecked_.empty()) return false;
    const uint32_t count = settings_.GetCount();
    if (count == 0) return false;
    if (settings_.Random) return true;
    return unchecked_.count(settings_.GetItem(NextInOrder(currentIndex, count))) != 0;
}

bool FolderExpansion::Prepare(uint32_t currentIndex) {
    if (unchecked_.empty()) return false;
    bool restart = false;
    if (settings_.Random) {
        // Random order mixes every file of every entry, so all are read now.
        for (uint32_t i = 0; i < settings_.GetCount();) {
            const MediaItem* before = settings_.GetItem(i);
            if (!LookAt(i) || settings_.GetItem(i) == before) ++i;
        }
        unchecked_.clear();
        return true;  // the pick starts over on the grown list
    }
    for (;;) {
        const uint32_t count = settings_.GetCount();
        if (count == 0) break;
        const uint32_t next = NextInOrder(currentIndex, count);
        const MediaItem* before = settings_.GetItem(next);
        if (!LookAt(next) || settings_.GetItem(next) == before) break;
        // The sequencer reaches item 0 only because its index ran past the
        // old end; a list grown at 0 would no longer wrap there.
        if (next == 0 && currentIndex + 1 >= count) restart = true;
    }
    return restart;
}

bool FolderExpansion::LookAt(uint32_t index) {
    const MediaItem* item = settings_.GetItem(index);
    if (item == nullptr || unchecked_.erase(item) == 0) return false;
    if (!item->IsLogo && !item->File.empty() && listing_.IsFolder(item->File)) ExpandAt(index);
    return true;
}

uint32_t FolderExpansion::ExpandAt(uint32_t index) {
    MediaItem* entry = settings_.RemoveItem(index);
    if (entry == nullptr) return 0;
    // A folder of thousands of files grows the list in steps of that size,
    // not of the list's usual few items.
    settings_.Items().SetGrowBy(kGrowBy);
    uint32_t added = 0;
    FolderWalker walker(listing_, entry->File);
    std::string path;
    while (walker.Next(path)) {
        MediaItem* item = ItemForFile(*entry, path);
        if (settings_.InsertItem(index + added, item) < 0) {
            delete item;
            break;
        }
        ++added;
    }
    entry->Release();
    delete entry;
    return added;
}

MediaItem* FolderExpansion::ItemForFile(const MediaItem& entry, const std::string& path) {
    auto* item = new MediaItem(entry);
    item->File = path;
    item->Played = 0;
    if (!entry.Title.empty() && entry.Title == TitleFromFileName(entry.File)) item->Title = TitleFromFileName(path);
    return item;
}
