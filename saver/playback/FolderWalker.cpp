#include "saver/playback/FolderWalker.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "core/SameIgnoringCase.h"

namespace {

// The types the Add dialog's first filter offers.
const char* const kMediaExtensions[] = {"avi", "mov", "qt", "mp4", "m4v", "mpg", "mpeg", "mp3", "wav", "mid"};

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }


// A name the code page could not carry comes back with "?" in it, which no
// real name holds; such a file cannot be opened by that name.
bool Representable(const std::string& name) { return name.find_first_of("?*") == std::string::npos; }

}  // namespace

FolderWalker::FolderWalker(DirectoryListing& listing, std::string root) : listing_(listing) {
    Enter(root, 0);
}

bool FolderWalker::IsMediaName(const std::string& name) {
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos) return false;
    const std::string ext = name.substr(dot + 1);
    for (const char* known : kMediaExtensions) {
        if (SameIgnoringCase(ext, known)) return true;
    }
    return false;
}

bool FolderWalker::NameBefore(const std::string& a, const std::string& b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const unsigned char x = static_cast<unsigned char>(Lower(a[i]));
        const unsigned char y = static_cast<unsigned char>(Lower(b[i]));
        if (x != y) return x < y;
    }
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b;
}

std::string FolderWalker::Join(const std::string& folder, const std::string& name) {
    if (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) return folder + name;
    return folder + "\\" + name;
}

void FolderWalker::Enter(const std::string& folder, int depth) {
    // A folder is listed as "folder\*", which must fit the system's paths.
    if (folder.size() + 2 > kMaxPathChars || foldersRead_ >= kMaxFolders) return;
    const std::string identity = listing_.FolderIdentity(folder);
    if (!identity.empty() && !visited_.insert(identity).second) return;

    ++foldersRead_;
    Level level;
    level.folder = folder;
    level.depth = depth;
    std::vector<DirectoryEntry> entries;
    listing_.List(folder, entries);  // what a failing folder gave before it failed still plays
    for (DirectoryEntry& entry : entries) {
        if (entry.name.empty() || entry.name == "." || entry.name == ".." || !Representable(entry.name)) continue;
        if (Join(folder, entry.name).size() > kMaxPathChars) continue;
        if (entry.folder) {
            if (depth < kMaxDepth) level.folders.push_back(std::move(entry.name));
        } else if (IsMediaName(entry.name)) {
            level.files.push_back(std::move(entry.name));
        }
    }
    if (level.files.empty() && level.folders.empty()) return;
    std::sort(level.files.begin(), level.files.end(), NameBefore);
    std::sort(level.folders.begin(), level.folders.end(), NameBefore);
    stack_.push_back(std::move(level));
}

bool FolderWalker::Next(std::string& path) {
    while (!stack_.empty()) {
        Level& top = stack_.back();
        if (top.nextFile < top.files.size()) {
            path = Join(top.folder, top.files[top.nextFile]);
            // The name is handed out once; its memory goes with it.
            std::string().swap(top.files[top.nextFile]);
            ++top.nextFile;
            return true;
        }
        if (top.nextFolder < top.folders.size()) {
            const std::string sub = Join(top.folder, top.folders[top.nextFolder]);
            const int depth = top.depth + 1;
            ++top.nextFolder;
            Enter(sub, depth);  // may move the stack: `top` is not used after this
            continue;
        }
        stack_.pop_back();
    }
    return false;
}
