// pelor_store_playlist: stores a playlist where PELOR.SCR reads it, through
// the saver's own settings code, so scripts never write registry values by
// hand.
//   pelor_store_playlist Name=Value ... File=PATH Name=Value ...   replace the settings
//   pelor_store_playlist clear                                   remove them
//   pelor_store_playlist show                                    print what the saver would load
// See PlaylistArgs.h for the names. Exits 0 on success, 2 on bad words.
#include <cstdio>
#include <string>
#include <vector>

#include "framework/RegistryProfile.h"
#include "saver/settings/SaverSettings.h"
#include "saver/settings/SettingsNames.h"
#include "tools/playlist/PlaylistArgs.h"

namespace {

const char kCompany[] = "Tolvane Arts";
const char kApplication[] = "PELOR";

std::string ConfigPath() {
    return std::string("Software\\") + kCompany + "\\" + kApplication + "\\" + names::kConfigSection;
}

int Show(RegistryProfileStore& store) {
    SaverSettings settings(store, nullptr);
    settings.Load(false);
    std::printf("Mute=%d Titles=%d Random=%d Scale=%d Letterbox=%d BounceSpeed=%u items=%u\n",
                settings.Mute, settings.Titles, settings.Random, settings.Scale, settings.Letterbox,
                settings.BounceSpeed, settings.GetCount());
    for (uint32_t i = 0; i < settings.GetCount(); ++i) {
        const MediaItem* m = settings.GetItem(i);
        std::printf("%u File=%s Title=%s MCI=%s Loops=%u LoopInfinite=%d Scale=%d Align=%d Bounce=%d "
                    "Mute=%d TitleBefore=%d TitleMovie=%d\n",
                    i, m->File.c_str(), m->Title.c_str(), m->MCI.c_str(), m->Loops, m->LoopInfinite,
                    m->Scale, m->Align, m->Bounce, m->Mute, m->TitleBefore, m->TitleMovie);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> words(argv + 1, argv + argc);
    RegistryProfileStore store(kCompany, kApplication);
    if (words.size() == 1 && words[0] == "show") return Show(store);
    // Start from nothing, so values of an earlier, longer list do not linger.
    DeleteRegistryTree(HKEY_CURRENT_USER, ConfigPath());
    if (words.size() == 1 && words[0] == "clear") return 0;

    SaverSettings settings(store, nullptr);
    std::string error;
    if (!ApplyPlaylistArgs(words, settings, error)) {
        std::fprintf(stderr, "pelor_store_playlist: %s\n", error.c_str());
        return 2;
    }
    settings.Save();
    std::printf("stored %u items\n", settings.GetCount());
    return 0;
}
