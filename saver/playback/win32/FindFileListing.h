#pragma once
#include "core/DirectoryListing.h"

// Folders through the system's file search (FindFirstFileA, FindNextFileA),
// in the machine's code page.
class FindFileListing : public DirectoryListing {
public:
    bool IsFolder(const std::string& path) override;
    bool List(const std::string& path, std::vector<DirectoryEntry>& entries) override;
    // The volume serial number and file index of the folder; "" where a
    // folder cannot be opened as a file (Windows 95).
    std::string FolderIdentity(const std::string& path) override;
};
