// Writes the fuzz target's seed corpus: playlists as the saver itself writes
// them. Usage: write_seeds FOLDER
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "saver/settings/SaverSettings.h"
#include "tests/support/MemoryByteStream.h"
#include "tests/support/MemoryProfileStore.h"

namespace {

MediaItem* Add(SaverSettings& settings, const std::string& file) {
    auto item = std::make_unique<MediaItem>();
    item->File = file;
    MediaItem* raw = item.get();
    if (settings.AddItem(item.get()) >= 0) item.release();
    return raw;
}

bool Save(const SaverSettings& settings, const std::string& path) {
    MemoryByteStream out;
    settings.WritePlaylist(out);
    const std::vector<uint8_t>& bytes = out.Bytes();
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: write_seeds FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    MemoryProfileStore store;
    bool ok = true;

    SaverSettings empty(store, nullptr);
    ok &= Save(empty, folder + "/empty.lst");

    SaverSettings one(store, nullptr);
    Add(one, "C:\\a.m");
    ok &= Save(one, folder + "/one.lst");

    SaverSettings varied(store, nullptr);
    MediaItem* a = Add(varied, "C:\\movies\\intro.avi");
    a->Title = "Intro";
    a->MCI = "avivideo";
    a->Scale = ScaleFullScreen;
    a->Align = AlignLowerRight;
    a->Bounce = 1;
    a->Loops = 3;
    a->SetFont("Arial", 700, 1);
    MediaItem* b = Add(varied, "D:\\sound\\chime.wav");
    b->Mute = 1;
    b->LoopInfinite = 1;
    b->TitleMovie = 1;
    b->TitleBefore = 0;
    b->MCI = "PELORQT";
    Add(varied, "");
    ok &= Save(varied, folder + "/varied.lst");

    SaverSettings longer(store, nullptr);
    for (int i = 0; i < 20; ++i) {
        MediaItem* item = Add(longer, "C:\\clips\\" + std::to_string(i) + ".mpg");
        item->Title = std::string(static_cast<size_t>(i) * 3, 'T');
    }
    ok &= Save(longer, folder + "/twenty.lst");
    return ok ? 0 : 1;
}
