#include "framework/ReplacingFile.h"

#include "framework/LateBound.h"

ReplacingFile::~ReplacingFile() { RemoveNew(); }

bool ReplacingFile::Open(const std::string& path) {
    RemoveNew();
    const size_t slash = path.find_last_of("\\/");
    const std::string folder = slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
    char made[MAX_PATH] = {};
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
        file_.Close();
    } catch (const CFileException&) {
        RemoveNew();
        return false;
    }
    // Windows NT replaces in one step; Windows 95 exports MoveFileExA but
    // does not implement it, so there the old file goes first and the new
    // one, complete, takes its name.
    static auto* moveEx = LateBound<decltype(MoveFileExA)>("kernel32.dll", "MoveFileExA");
    bool moved = moveEx != nullptr && moveEx(newPath_.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
    if (!moved && (moveEx == nullptr || GetLastError() == ERROR_CALL_NOT_IMPLEMENTED)) {
        const DWORD attributes = GetFileAttributesA(path_.c_str());
        const bool gone = attributes == INVALID_FILE_ATTRIBUTES || DeleteFileA(path_.c_str()) != FALSE;
        moved = gone && MoveFileA(newPath_.c_str(), path_.c_str()) != FALSE;
        if (gone && !moved) {
            // The old file is gone already: the new one, whole, stays under
            // its own name rather than be lost as well.
            newPath_.clear();
            return false;
        }
    }
    if (!moved) {
        RemoveNew();
        return false;
    }
    newPath_.clear();
    return true;
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
