#include "saver/playback/win32/FindFileListing.h"

#include <cstdio>

#include "framework/Handles.h"

namespace {

struct FindTraits {
    using Handle = HANDLE;
    static HANDLE Empty() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { FindClose(h); }
};
using FindHandle = UniqueHandle<FindTraits>;

struct FileTraits {
    using Handle = HANDLE;
    static HANDLE Empty() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { CloseHandle(h); }
};
using FileHandle = UniqueHandle<FileTraits>;

std::string Pattern(const std::string& folder) {
    if (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) return folder + "*";
    return folder + "\\*";
}

}  // namespace

bool FindFileListing::IsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool FindFileListing::List(const std::string& path, std::vector<DirectoryEntry>& entries) {
    WIN32_FIND_DATAA found;
    FindHandle search(FindFirstFileA(Pattern(path).c_str(), &found));
    if (!search) return false;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        entries.push_back({name, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (FindNextFileA(search.get(), &found));
    return GetLastError() == ERROR_NO_MORE_FILES;
}

std::string FindFileListing::FolderIdentity(const std::string& path) {
    // Opening a folder needs backup semantics, which only Windows NT has;
    // Windows 95 has no links to folders either.
    FileHandle folder(CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!folder) return "";
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(folder.get(), &info)) return "";
    char text[32];
    std::snprintf(text, sizeof text, "%08lx:%08lx%08lx", static_cast<unsigned long>(info.dwVolumeSerialNumber),
                  static_cast<unsigned long>(info.nFileIndexHigh), static_cast<unsigned long>(info.nFileIndexLow));
    return text;
}
