// Folder entries over the real file system: the walk's order and filter
// through FindFirstFileA/FindNextFileA, what a folder's identity tells apart,
// and missing folders.
#include <gtest/gtest.h>

#include "framework/Win32.h"

#include <string>
#include <vector>

#include "saver/playback/FolderWalker.h"
#include "saver/playback/win32/FindFileListing.h"

namespace {

class FolderListingWin : public ::testing::Test {
protected:
    FolderListingWin() {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        root_ = std::string(temp) + "pelor-folder-listing";
        Remove(root_);
        CreateDirectoryA(root_.c_str(), nullptr);
    }
    ~FolderListingWin() override { Remove(root_); }

    void File(const std::string& name) {
        const HANDLE h = CreateFileA((root_ + "\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE) << name;
        CloseHandle(h);
    }
    void Folder(const std::string& name) { CreateDirectoryA((root_ + "\\" + name).c_str(), nullptr); }

    std::vector<std::string> Walk(const std::string& path) {
        FolderWalker walker(listing_, path);
        std::vector<std::string> out;
        std::string next;
        while (walker.Next(next)) out.push_back(next.substr(root_.size()));
        return out;
    }

    static void Remove(const std::string& folder) {
        WIN32_FIND_DATAA found;
        const HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::string name = found.cFileName;
                if (name == "." || name == "..") continue;
                const std::string path = folder + "\\" + name;
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    Remove(path);
                } else {
                    DeleteFileA(path.c_str());
                }
            } while (FindNextFileA(search, &found));
            FindClose(search);
        }
        RemoveDirectoryA(folder.c_str());
    }

    std::string root_;
    FindFileListing listing_;
};

TEST_F(FolderListingWin, WalksTheMediaFilesInNameOrderFolderByFolder) {
    Folder("b-sub");
    Folder("A-sub");
    Folder("empty");
    File("b-sub\\z.mid");
    File("A-sub\\y.WAV");
    File("c.avi");
    File("B.mov");
    File("a.mpeg");
    File("notes.txt");
    File("clip.avi.bak");
    EXPECT_EQ(Walk(root_), (std::vector<std::string>{"\\a.mpeg", "\\B.mov", "\\c.avi", "\\A-sub\\y.WAV",
                                                     "\\b-sub\\z.mid"}));
    EXPECT_EQ(Walk(root_ + "\\"), Walk(root_));
    EXPECT_TRUE(Walk(root_ + "\\empty").empty());
    EXPECT_TRUE(Walk(root_ + "\\gone").empty());
}

TEST_F(FolderListingWin, TellsFoldersApartAndKnowsTheSameFolderAgain) {
    Folder("one");
    Folder("two");
    File("file.avi");
    EXPECT_TRUE(listing_.IsFolder(root_ + "\\one"));
    EXPECT_FALSE(listing_.IsFolder(root_ + "\\file.avi"));
    EXPECT_FALSE(listing_.IsFolder(root_ + "\\gone"));
    const std::string one = listing_.FolderIdentity(root_ + "\\one");
    ASSERT_FALSE(one.empty());
    EXPECT_EQ(listing_.FolderIdentity(root_ + "\\two\\..\\one"), one);
    EXPECT_NE(listing_.FolderIdentity(root_ + "\\two"), one);
    EXPECT_EQ(listing_.FolderIdentity(root_ + "\\gone"), "");
    std::vector<DirectoryEntry> entries;
    EXPECT_FALSE(listing_.List(root_ + "\\gone", entries));
    EXPECT_TRUE(listing_.List(root_, entries));
    EXPECT_EQ(entries.size(), 3u);  // without "." and ".."
}

}  // namespace
