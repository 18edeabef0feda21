#pragma once
#include <string>
#include <vector>

// The two words the command line is reduced to.
struct ParsedCommandLine {
    std::string switchText;    // a switch letter, or a whole word without a switch character
    std::string modeArgument;  // a window handle in decimal; "0" when none is given
};

// Fills switchText, then modeArgument, from the words after the program name.
// "/c:1234" fills both; the first empty slot left over receives "0".
ParsedCommandLine ParseCommandWords(const std::vector<std::string>& words);

// true when `switchText` equals `text`, case-insensitively, over the whole string.
bool SwitchIs(const std::string& switchText, const char* text);

enum class SaverMode { Configure, ChangePassword, Preview, Run, Other };

// The mode picked from the parsed words; `argumentCount` is the number of
// words after the program name.
SaverMode ChooseMode(const ParsedCommandLine& parsed, size_t argumentCount);

// A window handle written in decimal, as preview and change-password modes
// receive it; 0 for anything that is not a plain number that fits.
unsigned long ParseWindowHandle(const std::string& text);
