#include "tools/playlist/PlaylistArgs.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "saver/settings/MediaItemFields.h"
#include "saver/settings/SaverSettings.h"

namespace {

bool Same(const std::string& a, const char* b) {
    size_t i = 0;
    for (; i < a.size() && b[i] != '\0'; ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return i == a.size() && b[i] == '\0';
}

// A 32-bit number written in decimal; negative values keep their two's
// complement bits, so Align=-1 stores what the registry would hold.
bool ParseNumber(const std::string& text, uint32_t& out) {
    if (text.empty()) return false;
    errno = 0;
    char* end = nullptr;
    const long long v = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || v < INT32_MIN || v > static_cast<long long>(UINT32_MAX)) {
        return false;
    }
    out = static_cast<uint32_t>(v);
    return true;
}

bool SetGlobal(SaverSettings& s, const std::string& name, uint32_t v) {
    const int32_t i = static_cast<int32_t>(v);
    if (Same(name, "Mute")) s.Mute = i;
    else if (Same(name, "Titles")) s.Titles = i;
    else if (Same(name, "Random")) s.Random = i;
    else if (Same(name, "Scale")) s.Scale = static_cast<ScaleMode>(i);
    else if (Same(name, "Letterbox")) s.Letterbox = i;
    else if (Same(name, "Delay")) s.Delay = i;
    else if (Same(name, "DelayMinutes")) s.DelayMinutes = v;
    else if (Same(name, "Power")) s.Power = i;
    else if (Same(name, "PowerMinutes")) s.PowerMinutes = v;
    else if (Same(name, "BounceSpeed")) s.BounceSpeed = v;
    else return false;
    return true;
}

// The item's values by their registry suffixes; File starts a new item
// instead. FontItalic takes any nonzero number as 1.
bool SetItemNumber(MediaItem& item, const std::string& name, uint32_t v) {
    const MediaItemField* field = FindMediaItemField(name);
    if (field == nullptr || field->IsText()) return false;
    if (field->fileField == playlist::FieldFontItalic) v = v != 0 ? 1 : 0;
    field->setNumber(item, v);
    return true;
}

bool SetItemText(MediaItem& item, const std::string& name, const std::string& value) {
    const MediaItemField* field = FindMediaItemField(name);
    if (field == nullptr || !field->IsText() || field->fileField == playlist::FieldFile) return false;
    field->setText(item, std::string(value));
    return true;
}

}  // namespace

std::string WindowsPathFor(const std::string& path) {
    if (path.empty() || path[0] != '/') return path;
    std::string out = "Z:" + path;
    for (char& c : out) {
        if (c == '/') c = '\\';
    }
    return out;
}

bool ApplyPlaylistArgs(const std::vector<std::string>& words, SaverSettings& settings,
                       std::string& error) {
    MediaItem* item = nullptr;
    for (const std::string& word : words) {
        const size_t eq = word.find('=');
        if (eq == std::string::npos || eq == 0) {
            error = "not Name=Value: " + word;
            return false;
        }
        const std::string name = word.substr(0, eq);
        const std::string value = word.substr(eq + 1);
        if (Same(name, "File")) {
            auto fresh = std::make_unique<MediaItem>();
            fresh->File = WindowsPathFor(value);
            if (settings.AddItem(fresh.get()) < 0) {
                error = "the playlist cannot grow";
                return false;
            }
            item = fresh.release();
            continue;
        }
        if (item != nullptr && SetItemText(*item, name, value)) continue;
        uint32_t number = 0;
        const bool isNumber = ParseNumber(value, number);
        const bool used = item != nullptr ? isNumber && SetItemNumber(*item, name, number)
                                          : isNumber && SetGlobal(settings, name, number);
        if (!used) {
            error = std::string(isNumber ? "unknown " : "not a number in ") +
                    (item != nullptr ? "item value: " : "global value: ") + word;
            return false;
        }
    }
    return true;
}
