#include <gtest/gtest.h>

#include "saver/shell/CommandLine.h"

namespace {

struct Case {
    std::vector<std::string> words;
    std::string switchText;
    std::string modeArgument;
    SaverMode mode;
};

class CommandLineCases : public ::testing::TestWithParam<Case> {};

TEST_P(CommandLineCases, ParsesAndPicksMode) {
    const Case& c = GetParam();
    const ParsedCommandLine parsed = ParseCommandWords(c.words);
    EXPECT_EQ(parsed.switchText, c.switchText);
    EXPECT_EQ(parsed.modeArgument, c.modeArgument);
    EXPECT_EQ(ChooseMode(parsed, c.words.size()), c.mode);
}

INSTANTIATE_TEST_SUITE_P(
    Words, CommandLineCases,
    ::testing::Values(
        // No arguments configures even though the switch then reads "0".
        Case{{}, "0", "", SaverMode::Configure},
        Case{{"/c"}, "c", "0", SaverMode::Configure},
        Case{{"/C"}, "C", "0", SaverMode::Configure},
        Case{{"-c"}, "c", "0", SaverMode::Configure},
        Case{{"c"}, "c", "0", SaverMode::Configure},
        Case{{"/c:1234"}, "c", "1234", SaverMode::Configure},
        Case{{"/p", "1234"}, "p", "1234", SaverMode::Preview},
        Case{{"/p"}, "p", "0", SaverMode::Preview},
        Case{{"/a", "1234"}, "a", "1234", SaverMode::ChangePassword},
        Case{{"/a"}, "a", "0", SaverMode::ChangePassword},
        Case{{"/s"}, "s", "0", SaverMode::Run},
        Case{{"-S"}, "S", "0", SaverMode::Run},
        Case{{"s"}, "s", "0", SaverMode::Run},
        // Only the letter after the switch character counts.
        Case{{"/scr"}, "s", "0", SaverMode::Run},
        Case{{"scr"}, "scr", "0", SaverMode::Other},
        Case{{"/x"}, "x", "0", SaverMode::Other},
        Case{{"hello"}, "hello", "0", SaverMode::Other},
        // A switch character alone matches no mode.
        Case{{"/"}, "", "0", SaverMode::Other},
        Case{{"-"}, "", "0", SaverMode::Other},
        // Words past the second slot are ignored; the colon part is dropped
        // when no slot is left for it.
        Case{{"/p", "/c:99", "extra"}, "p", "c", SaverMode::Preview},
        Case{{"/s", "77", "/c"}, "s", "77", SaverMode::Run},
        Case{{"/c:"}, "c", "", SaverMode::Configure},
        Case{{"/c1234"}, "c", "0", SaverMode::Configure},
        Case{{""}, "", "0", SaverMode::Other}));

TEST(CommandLine, SwitchComparisonIsWholeStringAndCaseBlind) {
    EXPECT_TRUE(SwitchIs("S", "s"));
    EXPECT_TRUE(SwitchIs("s", "S"));
    EXPECT_FALSE(SwitchIs("sc", "s"));
    EXPECT_FALSE(SwitchIs("", "s"));
    EXPECT_FALSE(SwitchIs("s", "sc"));
}

TEST(CommandLine, WindowHandlesAreDecimalAndBounded) {
    EXPECT_EQ(ParseWindowHandle("1234"), 1234ul);
    EXPECT_EQ(ParseWindowHandle("0"), 0ul);
    EXPECT_EQ(ParseWindowHandle("4294967295"), 4294967295ul);
    EXPECT_EQ(ParseWindowHandle("4294967296"), 0ul);
    EXPECT_EQ(ParseWindowHandle("99999999999999999999999999"), 0ul);
    EXPECT_EQ(ParseWindowHandle("12ab"), 0ul);
    EXPECT_EQ(ParseWindowHandle("-5"), 0ul);
    EXPECT_EQ(ParseWindowHandle(""), 0ul);
}

}  // namespace
