#include "core/DataExchangeRules.h"

const char kParseUnsignedText[] = "Please enter a positive integer.";
const char kParseRangeText[] = "Please enter an integer between %1 and %2.";

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
}  // namespace

bool ParseUnsigned(const std::string& text, uint32_t& value) {
    size_t at = 0;
    while (at < text.size() && IsBlank(text[at])) ++at;
    const size_t first = at;
    uint64_t number = 0;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
        number = number * 10 + static_cast<uint64_t>(text[at] - '0');
        if (number > UINT32_MAX) return false;
        ++at;
    }
    if (at == first) return false;
    while (at < text.size() && IsBlank(text[at])) ++at;
    if (at != text.size()) return false;
    value = static_cast<uint32_t>(number);
    return true;
}

std::string FormatArguments(const std::string& pattern, const std::vector<std::string>& args) {
    std::string out;
    out.reserve(pattern.size());
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9') {
            const size_t index = static_cast<size_t>(pattern[i + 1] - '1');
            if (index < args.size()) {
                out += args[index];
                ++i;
                continue;
            }
        }
        out += pattern[i];
    }
    return out;
}

std::string RangeMessage(const std::string& pattern, uint32_t min, uint32_t max) {
    return FormatArguments(pattern, {std::to_string(min), std::to_string(max)});
}
