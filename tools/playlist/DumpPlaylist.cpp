// pelor_dump_playlist FILE.lst: reads a playlist file with the saver's own
// reader and prints each item's File, one a line, in list order. Exit code
// 1 when the file is not a playlist, 2 when it cannot be opened.
#include <cstdio>
#include <fstream>

#include "core/ByteStream.h"
#include "core/ProfileStore.h"
#include "saver/settings/SaverSettings.h"

namespace {

class FileStream : public ByteStream {
public:
    explicit FileStream(const char* path) : file_(path, std::ios::binary) {}
    bool good() const { return static_cast<bool>(file_); }

protected:
    uint32_t ReadRaw(void* buffer, uint32_t size) override {
        file_.read(static_cast<char*>(buffer), size);
        return static_cast<uint32_t>(file_.gcount());
    }
    void WriteRaw(const void*, uint32_t) override {}

private:
    std::ifstream file_;
};

// Nothing is read from or written to a profile here.
class NoProfile : public ProfileStore {
public:
    uint32_t GetProfileInt(const char*, const char*, uint32_t def) override { return def; }
    std::string GetProfileString(const char*, const char*, const char* def) override { return def; }
    bool WriteProfileInt(const char*, const char*, uint32_t) override { return false; }
    bool WriteProfileString(const char*, const char*, const char*) override { return false; }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: pelor_dump_playlist FILE.lst\n");
        return 64;
    }
    FileStream file(argv[1]);
    if (!file.good()) return 2;
    NoProfile profile;
    SaverSettings settings(profile, nullptr);
    if (!settings.ReadPlaylist(file)) return 1;
    for (uint32_t i = 0; i < settings.GetCount(); ++i) std::printf("%s\n", settings.GetItem(i)->File.c_str());
    return 0;
}
