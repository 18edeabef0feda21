#pragma once
#include <cstddef>
#include <set>
#include <string>
#include <vector>

#include "core/DirectoryListing.h"

// The media files under a folder, for a folder entry of the playlist: the
// types the Add dialog offers, in name order, folder by folder (a folder's
// own files first, then each subfolder in name order). Reads one folder at a
// time, as the files are asked for, and holds only the names of the folders
// it is in the middle of.
class FolderWalker {
public:
    // The longest full path the system opens, without its terminating zero.
    static constexpr size_t kMaxPathChars = 259;
    // Folders deeper than this below the entry's own are not read: a chain
    // of links or nested folders ends here.
    static constexpr int kMaxDepth = 32;
    // At most this many folders are read in one walk: where the system
    // cannot tell a link from a folder, links to parents still end.
    static constexpr size_t kMaxFolders = 10000;

    // `listing` must outlive the walker. `root` is the entry's File.
    FolderWalker(DirectoryListing& listing, std::string root);

    // The full path of the next media file; false when the walk is over.
    // A folder that cannot be read counts as empty; a folder already read
    // (reached again through a link or junction) is not read again.
    bool Next(std::string& path);

    // True for the names of the media types the Add dialog offers (.avi,
    // .mov, .qt, .mpg, .mpeg, .mp3, .wav, .mid), in any case.
    static bool IsMediaName(const std::string& name);
    // The order names are played in: case-insensitive, then byte by byte.
    static bool NameBefore(const std::string& a, const std::string& b);
    // `folder` and `name` joined with one backslash.
    static std::string Join(const std::string& folder, const std::string& name);

private:
    // A folder being walked: its remaining files, then its subfolders.
    struct Level {
        std::string folder;
        std::vector<std::string> files;
        std::vector<std::string> folders;
        size_t nextFile = 0;
        size_t nextFolder = 0;
        int depth = 0;
    };
    // Reads `folder` and pushes it, unless it was read before.
    void Enter(const std::string& folder, int depth);

    DirectoryListing& listing_;
    std::vector<Level> stack_;
    std::set<std::string> visited_;
    size_t foldersRead_ = 0;
};
