#include "saver/shell/CommandLine.h"

#include <cctype>
#include <cstdint>
#include <limits>

ParsedCommandLine ParseCommandWords(const std::vector<std::string>& words) {
    std::string slot[2];
    size_t filled = 0;
    for (const std::string& word : words) {
        if (filled >= 2) break;
        if (!word.empty() && (word[0] == '-' || word[0] == '/')) {
            slot[filled++] = word.substr(1, 1);
            // "/c:1234": the part after the colon is the mode argument.
            if (word.size() >= 3 && word[2] == ':' && filled < 2) slot[filled++] = word.substr(3);
        } else {
            slot[filled++] = word;
        }
    }
    if (filled < 2) slot[filled] = "0";
    return ParsedCommandLine{slot[0], slot[1]};
}

bool SwitchIs(const std::string& switchText, const char* text) {
    size_t i = 0;
    for (; text[i] != '\0'; ++i) {
        if (i >= switchText.size()) return false;
        const auto a = static_cast<unsigned char>(switchText[i]);
        const auto b = static_cast<unsigned char>(text[i]);
        if (std::tolower(a) != std::tolower(b)) return false;
    }
    return i == switchText.size();
}

SaverMode ChooseMode(const ParsedCommandLine& parsed, size_t argumentCount) {
    if (argumentCount == 0 || SwitchIs(parsed.switchText, "c")) return SaverMode::Configure;
    if (SwitchIs(parsed.switchText, "a")) return SaverMode::ChangePassword;
    if (SwitchIs(parsed.switchText, "p")) return SaverMode::Preview;
    if (SwitchIs(parsed.switchText, "s")) return SaverMode::Run;
    return SaverMode::Other;
}

unsigned long ParseWindowHandle(const std::string& text) {
    // Handles are 32-bit on the target; a longer or non-numeric text names no window.
    unsigned long long value = 0;
    size_t i = 0;
    if (i < text.size() && (text[i] == '+')) ++i;
    if (i == text.size()) return 0;
    for (; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (!std::isdigit(c)) return 0;
        value = value * 10 + (c - '0');
        if (value > std::numeric_limits<uint32_t>::max()) return 0;
    }
    return static_cast<unsigned long>(value);
}
