#pragma once
#include <string>
#include <vector>

// One name found in a folder.
struct DirectoryEntry {
    std::string name;     // the name alone, in the machine's code page
    bool folder = false;  // a subfolder (a link or junction to one included)
};

// The file system's folders as the saver reads them: is a path a folder,
// what does a folder hold, and which folder is it really.
class DirectoryListing {
public:
    virtual ~DirectoryListing() = default;
    // True when `path` names an existing folder.
    virtual bool IsFolder(const std::string& path) = 0;
    // Fills `entries` with the names in folder `path`, without "." and "..",
    // in the order the system gives them; false when the folder cannot be
    // read (`entries` then holds what was read before the failure).
    virtual bool List(const std::string& path, std::vector<DirectoryEntry>& entries) = 0;
    // The same text for two paths that reach the same folder, through a link
    // or junction too, and different texts for different folders; "" when
    // the system cannot tell.
    virtual std::string FolderIdentity(const std::string& path) = 0;
};
