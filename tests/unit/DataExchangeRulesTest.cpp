#include <gtest/gtest.h>

#include "core/DataExchangeRules.h"
#include "core/ProgramName.h"

namespace {

struct ParseCase {
    const char* text;
    bool ok;
    uint32_t value;
};

TEST(DataExchangeRules, EditTextReadsAsAnUnsignedNumberOrNotAtAll) {
    const ParseCase cases[] = {
        {"0", true, 0},
        {"60", true, 60},
        {"007", true, 7},
        {"  12\t", true, 12},
        {"4294967295", true, 4294967295u},
        {"4294967296", false, 0},
        {"99999999999999999999", false, 0},
        {"", false, 0},
        {"   ", false, 0},
        {"-1", false, 0},
        {"+1", false, 0},
        {"12x", false, 0},
        {"1 2", false, 0},
        {"0x10", false, 0},
        {"1.5", false, 0},
    };
    for (const ParseCase& c : cases) {
        uint32_t value = 12345;
        EXPECT_EQ(ParseUnsigned(c.text, value), c.ok) << '"' << c.text << '"';
        EXPECT_EQ(value, c.ok ? c.value : 12345u) << '"' << c.text << '"';
    }
}

TEST(DataExchangeRules, TheRangeMessageNamesItsBoundsAsUnsignedNumbers) {
    EXPECT_EQ(RangeMessage(kParseRangeText, 1, 60), "Please enter an integer between 1 and 60.");
    EXPECT_EQ(RangeMessage(kParseRangeText, 0, 4294967295u),
              "Please enter an integer between 0 and 4294967295.");
    EXPECT_EQ(RangeMessage("%2 above %1, %1 again", 3, 9), "9 above 3, 3 again");
    EXPECT_EQ(std::string(kParseUnsignedText), "Please enter a positive integer.");
}

TEST(DataExchangeRules, PlaceholdersWithoutAnArgumentStayAsTheyAre) {
    EXPECT_EQ(FormatArguments("%1 %3 %% %x %", {"a"}), "a %3 %% %x %");
    EXPECT_EQ(FormatArguments("", {"a"}), "");
}

}  // namespace

// The application name, the settings' key: one name whichever way Windows 95
// started the saver (the display settings by the short name, Explorer by
// the long one), since the long name comes from the folder's listing.
TEST(ProgramName, TheLongNameWhenKnownWithoutItsExtension) {
    struct Case {
        const char* path;
        const char* longName;
        const char* expected;
    };
    const Case cases[] = {
        {"C:\\WINDOWS\\SYSTEM\\PELORA~1.SCR", "Pelorama Movies.scr", "Pelorama Movies"},
        {"C:\\WINDOWS\\SYSTEM\\Pelorama Movies.scr", "Pelorama Movies.scr", "Pelorama Movies"},
        {"C:\\WINNT\\system32\\PELOR.SCR", "PELOR.SCR", "PELOR"},
        {"C:\\WINNT\\system32\\PELOR.SCR", "", "PELOR"},  // not found: the path's own name
        {"C:\\My.Folder\\noext", "", "noext"},
        {"D:PELOR.SCR", "", "PELOR"},
        {"C:\\a\\b.c.scr", "Long.Name.scr", "Long.Name"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ProgramBaseName(c.path, c.longName), c.expected) << c.path << " / " << c.longName;
    }
}
