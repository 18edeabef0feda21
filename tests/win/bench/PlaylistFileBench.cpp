// Times writing and reading back a 10,000-item playlist file through the
// saver's own code (WritePlaylist and ReadPlaylist over CFile) against
// copying the same bytes with one read and one write, and prints the ratio
// (goal: at most 3).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "framework/File.h"
#include "saver/settings/SaverSettings.h"
#include "tests/support/MemoryProfileStore.h"

namespace {

constexpr int kItems = 10000;
constexpr int kRounds = 7;

double Seconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

void Fill(SaverSettings& settings) {
    for (int i = 0; i < kItems; ++i) {
        auto item = std::make_unique<MediaItem>();
        item->File = "C:\\Movies\\Holiday " + std::to_string(i / 100) + "\\clip" +
                     std::to_string(i) + ".avi";
        item->Title = "Clip number " + std::to_string(i);
        item->MCI = i % 3 == 0 ? "avivideo" : "";
        item->Loops = static_cast<uint32_t>(i % 5 + 1);
        if (settings.AddItem(item.get()) >= 0) item.release();
    }
}

// Write the list, then read it back into a new list; `writing` gets the
// first half's share.
double TimeSaver(const SaverSettings& settings, const std::string& path, uint32_t& readBack,
                 double& writing) {
    const auto start = std::chrono::steady_clock::now();
    {
        CFile out;
        if (!out.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite)) return -1;
        settings.WritePlaylist(out);
        out.Close();
    }
    writing = Seconds(std::chrono::steady_clock::now() - start);
    MemoryProfileStore store;
    SaverSettings in(store, nullptr);
    {
        CFile file;
        if (!file.Open(path.c_str(), CFile::modeRead)) return -1;
        in.ReadPlaylist(file);
    }
    const auto took = std::chrono::steady_clock::now() - start;
    readBack = in.GetCount();
    return Seconds(took);
}

// The same bytes with one buffered read and one buffered write.
double TimeCopy(const std::string& from, const std::string& to, size_t size) {
    std::vector<char> buffer(size);
    const auto start = std::chrono::steady_clock::now();
    HANDLE in = CreateFileA(from.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD got = 0;
    const BOOL read = ReadFile(in, buffer.data(), static_cast<DWORD>(size), &got, nullptr);
    CloseHandle(in);
    HANDLE out = CreateFileA(to.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD put = 0;
    const BOOL wrote = WriteFile(out, buffer.data(), got, &put, nullptr);
    CloseHandle(out);
    const auto took = std::chrono::steady_clock::now() - start;
    if (!read || !wrote || got != size || put != size) return -1;
    return Seconds(took);
}

size_t FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
    return data.nFileSizeLow;
}

}  // namespace

int main() {
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    const std::string list = std::string(temp) + "pelor-bench.lst";
    const std::string copy = std::string(temp) + "pelor-bench-copy.lst";

    MemoryProfileStore store;
    SaverSettings settings(store, nullptr);
    Fill(settings);

    double saver = 1e9, raw = 1e9, writing = 0;
    uint32_t readBack = 0;
    size_t size = 0;
    for (int round = 0; round < kRounds; ++round) {
        double w = 0;
        const double s = TimeSaver(settings, list, readBack, w);
        if (round == 0) size = FileSize(list);
        const double r = TimeCopy(list, copy, size);
        if (s < 0 || r < 0 || readBack != kItems) {
            std::printf("benchmark failed: %u items read back\n", readBack);
            return 1;
        }
        if (s < saver) writing = w;
        saver = std::min(saver, s);
        raw = std::min(raw, r);
    }
    DeleteFileA(list.c_str());
    DeleteFileA(copy.c_str());
    const double ratio = saver / raw;
    std::printf("playlist of %d items, %zu bytes: saver write + read %.2f ms (write %.2f ms), "
                "one read + one write %.2f ms, ratio %.2f (goal <= 3)\n",
                kItems, size, saver * 1000, writing * 1000, raw * 1000, ratio);
    return 0;
}
