#pragma once
#include "framework/Win32.h"

#include <string>

#include "framework/File.h"

// A file written beside the one it replaces: the new bytes go to a fresh
// file in the same folder, and only when every one of them is on the disk
// does that file take the old one's place. A drive that fills up, or any
// other write error, leaves the old file whole.
class ReplacingFile {
public:
    ReplacingFile() = default;
    // Removes the new file when Commit has not put it in place.
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // Creates the new file beside `path`; false when it cannot be created
    // (the folder is missing or refuses new files).
    bool Open(const std::string& path);
    // Where to write the new contents; CFile's writes throw CFileException.
    CFile& File() { return file_; }
    // Writes out what is buffered, has the system put it on the disk and
    // puts the new file in `path`'s place; false, with the new file removed
    // and the old one whole under its name, when any of it fails.
    bool Commit();

    // Windows 95's replace, which has no one-step rename: the old file at
    // `to` is renamed aside in its folder, `from` takes its name, and the
    // aside one goes; when `from` cannot take the name, the old file is put
    // back. Used where MoveFileExA is not implemented.
    static bool ReplaceAsideFirst(const std::string& from, const std::string& to);

private:
    void RemoveNew();

    CFile file_;
    std::string path_;
    std::string newPath_;
};
