#include "framework/ReplacingFile.h"

#include "framework/LateBound.h"

namespace {
// The folder of `path` with its backslash, or "." for a bare name.
std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
}
}  // namespace

ReplacingFile::~ReplacingFile() { RemoveNew(); }

bool ReplacingFile::Open(const std::string& path) {
    RemoveNew();
    const std::string folder = FolderOf(path);
    // The system takes a folder of at most MAX_PATH - 14 characters, room
    // for "\pelXXXX.tmp" and the zero; Wine, given a longer one, makes a
    // file under a name cut short in the buffer.
    if (folder.size() > MAX_PATH - 14) return false;
    char made[MAX_PATH + 1] = {};
    // Makes the file, empty, under a name no other file has.
    if (GetTempFileNameA(folder.c_str(), "pel", 0, made) == 0) return false;
    newPath_ = made;
    if (!file_.Open(made, CFile::modeCreate | CFile::modeWrite)) {
        RemoveNew();
        return false;
    }
    path_ = path;
    return true;
}

bool ReplacingFile::Commit() {
    if (newPath_.empty()) return false;
    try {
        file_.FlushToDisk();
        file_.Close();
    } catch (const CFileException&) {
        RemoveNew();
        return false;
    }
    // Windows NT replaces in one step; Windows 95 exports MoveFileExA but
    // does not implement it.
    static auto* moveEx = LateBound<decltype(MoveFileExA)>("kernel32.dll", "MoveFileExA");
    bool moved = moveEx != nullptr && moveEx(newPath_.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
    if (!moved && (moveEx == nullptr || GetLastError() == ERROR_CALL_NOT_IMPLEMENTED)) {
        moved = ReplaceAsideFirst(newPath_, path_);
    }
    if (!moved) {
        RemoveNew();
        return false;
    }
    newPath_.clear();
    return true;
}

bool ReplacingFile::ReplaceAsideFirst(const std::string& from, const std::string& to) {
    if (GetFileAttributesA(to.c_str()) == INVALID_FILE_ATTRIBUTES) return MoveFileA(from.c_str(), to.c_str()) != FALSE;
    // A name no other file has, in the old file's folder so that the
    // renames stay on its drive.
    const std::string folder = FolderOf(to);
    char aside[MAX_PATH + 1] = {};
    if (folder.size() > MAX_PATH - 14 || GetTempFileNameA(folder.c_str(), "pel", 0, aside) == 0) return false;
    DeleteFileA(aside);
    if (!MoveFileA(to.c_str(), aside)) return false;
    if (MoveFileA(from.c_str(), to.c_str())) {
        DeleteFileA(aside);
        return true;
    }
    MoveFileA(aside, to.c_str());
    return false;
}

void ReplacingFile::RemoveNew() {
    if (newPath_.empty()) return;
    try {
        file_.Close();
    } catch (const CFileException&) {
        // Its bytes are being thrown away anyway.
    }
    DeleteFileA(newPath_.c_str());
    newPath_.clear();
}
