#include "saver/settings/FileTitle.h"

namespace {
// The dot and at most four characters after it count as an extension.
constexpr size_t kMaxExtensionWithDot = 5;
}  // namespace

std::string TitleFromFileName(const std::string& path) {
    std::string name = path;
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos && name.size() - dot <= kMaxExtensionWithDot) name.erase(dot);
    const size_t slash = name.rfind('\\');
    return slash == std::string::npos ? name : name.substr(slash + 1);
}
