// Times SaverSettings::Load of 1,000 stored items against reading the same
// values raw through one open key, and prints the ratio (goal: at most 1.5).
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "framework/RegistryProfile.h"
#include "saver/settings/SaverSettings.h"

namespace {

const char kCompany[] = "Pelorama Bench";
const char kApp[] = "SettingsLoad";
constexpr int kItems = 1000;
constexpr int kRounds = 5;

double Seconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

double TimeLoad(RegistryProfileStore& store) {
    const auto start = std::chrono::steady_clock::now();
    SaverSettings settings(store, nullptr);
    settings.Load(true);
    const auto took = std::chrono::steady_clock::now() - start;
    if (settings.GetCount() != kItems) std::printf("load found %u items\n", settings.GetCount());
    return Seconds(took);
}

double TimeRaw(const std::string& path, const std::vector<std::string>& texts,
               const std::vector<std::string>& numbers) {
    const auto start = std::chrono::steady_clock::now();
    RegistryKey key = RegistryKey::Create(HKEY_CURRENT_USER, path);
    size_t sink = 0;
    for (const std::string& name : numbers) sink += key.GetDword(name.c_str(), 0);
    for (const std::string& name : texts) sink += key.GetString(name.c_str(), "").size();
    const auto took = std::chrono::steady_clock::now() - start;
    if (sink == 0) std::printf("raw read nothing\n");
    return Seconds(took);
}

}  // namespace

int main() {
    const std::string root = std::string("Software\\") + kCompany;
    const std::string path = root + "\\" + kApp + "\\Config";
    DeleteRegistryTree(HKEY_CURRENT_USER, root);
    RegistryProfileStore store(kCompany, kApp);
    {
        SaverSettings settings(store, nullptr);
        for (int i = 0; i < kItems; ++i) {
            auto item = std::make_unique<MediaItem>();
            item->File = "C:\\movies\\clip" + std::to_string(i) + ".avi";
            item->Title = "Clip " + std::to_string(i);
            if (settings.AddItem(item.get()) >= 0) item.release();
        }
        settings.Save();
    }
    std::vector<std::string> texts;
    std::vector<std::string> numbers = {"NumAVI", "Mute", "Scale", "Titles", "Random", "Delay",
                                        "DelayMinutes", "Power", "PowerMinutes", "BounceSpeed",
                                        "Letterbox"};
    for (int i = 0; i < kItems; ++i) {
        for (const char* s : {"File", "MCI", "Title", "FontFace"}) texts.push_back(ItemValueName(i, s));
        for (const char* s : {"Loops", "TitleMovie", "TitleBefore", "LoopInfinite", "Mute", "Scale",
                              "Align", "Bounce", "FontWeight", "FontItalic"}) {
            numbers.push_back(ItemValueName(i, s));
        }
    }
    double load = 1e9, raw = 1e9;
    for (int round = 0; round < kRounds; ++round) {
        load = std::min(load, TimeLoad(store));
        raw = std::min(raw, TimeRaw(path, texts, numbers));
    }
    DeleteRegistryTree(HKEY_CURRENT_USER, root);
    std::printf("settings load: %d items, %zu values\n", kItems, texts.size() + numbers.size());
    std::printf("Load(true): %.1f ms   raw, one open key: %.1f ms   ratio %.2f (goal <= 1.50)\n",
                load * 1000, raw * 1000, load / raw);
    return 0;
}
