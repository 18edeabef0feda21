#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/File.h"
#include "framework/RegistryProfile.h"
#include "framework/ReplacingFile.h"
#include "saver/settings/SaverSettings.h"
#include "tests/support/MemoryProfileStore.h"
#include "tests/win/support/TestRegistry.h"

namespace {

// A folder of the test's own under the system's temporary folder.
class FileTest : public ::testing::Test {
protected:
    FileTest() {
        char temp[MAX_PATH] = {};
        GetTempPathA(sizeof temp, temp);
        folder_ = std::string(temp) + "pelor-file-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name();
        CreateDirectoryA(folder_.c_str(), nullptr);
    }
    ~FileTest() override {
        for (const std::string& name : made_) DeleteFileA(name.c_str());
        RemoveDirectoryA(folder_.c_str());
    }
    std::string Path(const std::string& name) {
        made_.push_back(folder_ + "\\" + name);
        return made_.back();
    }
    static std::string Contents(const std::string& path) {
        std::string bytes;
        HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) return "<missing>";
        char chunk[4096];
        DWORD got = 0;
        while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
        CloseHandle(file);
        return bytes;
    }
    static void Put(const std::string& path, const std::string& bytes) {
        CFile file;
        ASSERT_TRUE(file.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite));
        file.Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
        file.Close();
    }

    std::string folder_;
    std::vector<std::string> made_;
    MemoryProfileStore store_;
};

TEST_F(FileTest, WritesWhatReadsBackByteForByte) {
    const std::string path = Path("bytes.bin");
    std::string bytes;
    for (int i = 0; i < 3 * 65536 + 17; ++i) bytes.push_back(static_cast<char>(i * 7));
    Put(path, bytes);
    EXPECT_EQ(Contents(path), bytes);

    CFile in;
    ASSERT_TRUE(in.Open(path.c_str(), CFile::modeRead));
    std::string back;
    char byte = 0;
    while (in.Read(&byte, 1) == 1) back.push_back(byte);
    EXPECT_EQ(back, bytes);
    EXPECT_EQ(in.Read(&byte, 1), 0u) << "the end stays the end";
}

TEST_F(FileTest, CreateEmptiesAnExistingFile) {
    const std::string path = Path("shrink.lst");
    Put(path, std::string(100000, 'x'));
    Put(path, "short");
    EXPECT_EQ(Contents(path), "short");
}

TEST_F(FileTest, AMissingFileDoesNotOpenForReading) {
    CFile in;
    EXPECT_FALSE(in.Open(Path("missing.lst").c_str(), CFile::modeRead));
    EXPECT_FALSE(in.IsOpen());
    EXPECT_FALSE(in.Open((folder_ + "\\no such folder\\x.lst").c_str(),
                         CFile::modeCreate | CFile::modeWrite));
}

TEST_F(FileTest, ErrorsOtherThanTheEndThrowTheFileException) {
    const std::string path = Path("wrong-way.bin");
    Put(path, "abc");
    CFile out;
    ASSERT_TRUE(out.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite));
    char byte = 0;
    try {
        out.Read(&byte, 1);
        ADD_FAILURE() << "reading a file opened for writing did not throw";
    } catch (const CFileException& e) {
        EXPECT_NE(e.m_lOsError, 0u);
        EXPECT_EQ(e.m_strFileName, path);
    }
    out.Close();

    CFile in;
    ASSERT_TRUE(in.Open(path.c_str(), CFile::modeRead));
    in.Write("xyz", 3);  // buffered: the failure shows when it reaches the file
    EXPECT_THROW(in.Close(), CFileException);
    EXPECT_FALSE(in.IsOpen());
}

// The files of the test's folder, by name.
std::vector<std::string> Listing(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names.push_back(found.cFileName);
    } while (FindNextFileA(find, &found));
    FindClose(find);
    return names;
}

// Windows 95's replace, tried here where MoveFileExA works: the old file
// goes aside and comes back when the new one cannot take its name, so the
// name always holds one of them whole, and nothing is left beside it.
TEST_F(FileTest, ReplacingAsideFirstKeepsTheOldFileWhenTheNewOneCannotTakeItsName) {
    const std::string old = Path("list.lst");
    const std::string fresh = Path("fresh.tmp");
    {
        CFile out;
        ASSERT_TRUE(out.Open(old.c_str(), CFile::modeCreate | CFile::modeWrite));
        out.Write("old bytes", 9);
        out.Close();
    }
    EXPECT_FALSE(ReplacingFile::ReplaceAsideFirst(Path("missing.tmp"), old));
    EXPECT_EQ(Contents(old), "old bytes");
    EXPECT_EQ(Listing(folder_), std::vector<std::string>{"list.lst"});

    {
        CFile out;
        ASSERT_TRUE(out.Open(fresh.c_str(), CFile::modeCreate | CFile::modeWrite));
        out.Write("new bytes", 9);
        out.Close();
    }
    EXPECT_TRUE(ReplacingFile::ReplaceAsideFirst(fresh, old));
    EXPECT_EQ(Contents(old), "new bytes");
    EXPECT_EQ(Listing(folder_), std::vector<std::string>{"list.lst"});
    // With nothing under the name, the new file simply takes it.
    EXPECT_TRUE(ReplacingFile::ReplaceAsideFirst(old, Path("other.lst")));
    EXPECT_EQ(Listing(folder_), std::vector<std::string>{"other.lst"});
}

TEST_F(FileTest, PlaylistThroughARealFile) {
    SaverSettings out(store_, nullptr);
    auto item = std::make_unique<MediaItem>();
    item->File = "C:\\a.m";
    ASSERT_GE(out.AddItem(item.get()), 0);
    item.release();
    const std::string path = Path("one.lst");
    {
        CFile file;
        ASSERT_TRUE(file.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite));
        out.WritePlaylist(file);
        file.Close();
    }
    const std::string bytes = Contents(path);
    ASSERT_EQ(bytes.size(), 89u);
    EXPECT_EQ(bytes.substr(0, 12), std::string("PELOR301\x01\0\0\0", 12));

    SaverSettings in(store_, nullptr);
    CFile file;
    ASSERT_TRUE(file.Open(path.c_str(), CFile::modeRead));
    ASSERT_TRUE(in.ReadPlaylist(file));
    ASSERT_EQ(in.GetCount(), 1u);
    EXPECT_EQ(in.GetItem(0)->File, "C:\\a.m");

    const std::string other = Path("notes.txt");
    Put(other, "pelor301 is not a playlist");
    CFile text;
    ASSERT_TRUE(text.Open(other.c_str(), CFile::modeRead));
    EXPECT_FALSE(in.ReadPlaylist(text));
    EXPECT_EQ(in.GetCount(), 1u);
}

// What the real registry keeps, a real file keeps: long texts item for item,
// and a list of 33,000 items.
TEST_F(FileTest, AFileKeepsWhatTheRegistryKeeps) {
    const std::string app = "FileKeepsWhatTheRegistryKeeps";
    ScratchKey key(HKEY_CURRENT_USER, "Software\\Pelorama Tests\\" + app);
    RegistryProfileStore registry("Pelorama Tests", app);
    SaverSettings saved(registry, nullptr);
    for (int i = 0; i < 3; ++i) {
        auto item = std::make_unique<MediaItem>();
        item->File = "C:\\" + std::string(2000, static_cast<char>('a' + i)) + ".avi";
        item->Title = std::string(2000 + i, 'T');
        item->MCI = std::string(1500, 'M');
        ASSERT_GE(saved.AddItem(item.get()), 0);
        item.release();
    }
    saved.Save();
    SaverSettings loaded(registry, nullptr);
    loaded.Load(false);
    ASSERT_EQ(loaded.GetCount(), 3u);

    const std::string path = Path("long.lst");
    {
        CFile file;
        ASSERT_TRUE(file.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite));
        loaded.WritePlaylist(file);
        file.Close();
    }
    SaverSettings read(store_, nullptr);
    {
        CFile file;
        ASSERT_TRUE(file.Open(path.c_str(), CFile::modeRead));
        ASSERT_TRUE(read.ReadPlaylist(file));
    }
    ASSERT_EQ(read.GetCount(), 3u);
    for (uint32_t i = 0; i < 3; ++i) {
        EXPECT_EQ(read.GetItem(i)->File, saved.GetItem(i)->File) << i;
        EXPECT_EQ(read.GetItem(i)->Title, saved.GetItem(i)->Title) << i;
        EXPECT_EQ(read.GetItem(i)->MCI, saved.GetItem(i)->MCI) << i;
    }

    SaverSettings many(store_, nullptr);
    for (int i = 0; i < 33000; ++i) {
        auto item = std::make_unique<MediaItem>();
        item->File = "C:\\clips\\" + std::to_string(i) + ".avi";
        ASSERT_GE(many.AddItem(item.get()), 0);
        item.release();
    }
    const std::string big = Path("many.lst");
    {
        CFile file;
        ASSERT_TRUE(file.Open(big.c_str(), CFile::modeCreate | CFile::modeWrite));
        many.WritePlaylist(file);
        file.Close();
    }
    SaverSettings back(store_, nullptr);
    CFile file;
    ASSERT_TRUE(file.Open(big.c_str(), CFile::modeRead));
    EXPECT_EQ(file.BytesLeft(), Contents(big).size());
    ASSERT_TRUE(back.ReadPlaylist(file));
    EXPECT_EQ(file.BytesLeft(), 0u);
    ASSERT_EQ(back.GetCount(), 33000u);
    EXPECT_EQ(back.GetItem(32999)->File, "C:\\clips\\32999.avi");
    EXPECT_EQ(back.Items().Capacity(), 33000u) << "sized once from the count";
}

}  // namespace
