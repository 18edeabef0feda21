#include "core/ProgramName.h"

std::string ProgramBaseName(const std::string& path, const std::string& longName) {
    std::string name = longName;
    if (name.empty()) {
        const size_t slash = path.find_last_of("\\/:");
        name = slash == std::string::npos ? path : path.substr(slash + 1);
    }
    const size_t dot = name.find_last_of('.');
    if (dot != std::string::npos) name.erase(dot);
    return name;
}
