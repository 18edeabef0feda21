#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "setup/SetupSequence.h"

namespace {

using namespace setup;

// An in-memory system that answers from a script and records every call.
class ScriptedSystem : public SetupSystem {
public:
    std::map<int, std::string> strings{
        {IDS_CAPTION, "Pelorama 4.0"},
        {IDS_NO_VERSION, "Unable to determine Windows version information."},
        {IDS_INF_NAME, "PELOR.INF"},
        {IDS_QUESTION, "This program will install Pelorama 4.0. Do you wish to continue?"},
        {IDS_COMPLETE, "Installation complete."},
        {IDS_NOT_INSTALLED, "Installation did not complete. The screen saver was not installed."},
    };
    bool versionKnown = true;
    unsigned long platform = kPlatformNT;
    std::string folder = "C:\\Setup";
    std::string systemFolder = "C:\\WINNT\\system32";
    std::string windowsFolder = "C:\\WINNT";
    bool wow64 = false;
    std::vector<int> answers;  // one per message box, in order; kNo when they run out
    int agreement = kYes;
    bool installerStarts = true;
    bool selectionStarts = true;
    bool saverInPlace = true;  // the saver where the INF puts it, after the installer

    struct Box {
        std::string text, caption;
        unsigned style;
    };
    std::vector<Box> boxes;
    std::vector<std::pair<std::string, bool>> started;
    std::vector<std::string> programs;  // the full path of each program started
    std::vector<std::pair<int, std::size_t>> loads;
    std::vector<std::pair<std::string, std::string>> compared;
    int agreementShown = 0;

    std::string LoadText(int id, std::size_t bufferSize) override {
        loads.emplace_back(id, bufferSize);
        return strings[id].substr(0, bufferSize - 1);
    }
    bool Platform(unsigned long* id) override {
        if (versionKnown) *id = platform;
        return versionKnown;
    }
    bool CurrentFolder(char* out, std::size_t size) override {
        if (folder.size() + 1 > size) return false;
        std::memcpy(out, folder.c_str(), folder.size() + 1);
        return true;
    }
    int Message(const std::string& text, const std::string& caption, unsigned style) override {
        boxes.push_back({text, caption, style});
        const std::size_t n = boxes.size() - 1;
        return n < answers.size() ? answers[n] : kNo;
    }
    int Agreement() override {
        ++agreementShown;
        return agreement;
    }
    std::string SystemFolder() override { return systemFolder; }
    std::string WindowsFolder() override { return windowsFolder; }
    bool Wow64() override { return wow64; }
    bool RunProgram(const std::string& program, const char* line, bool wait) override {
        programs.push_back(program);
        started.emplace_back(line, wait);
        return started.size() == 1 ? installerStarts : selectionStarts;
    }
    bool SameFile(const std::string& a, const std::string& b) override {
        compared.emplace_back(a, b);
        return saverInPlace && !started.empty();
    }
};

constexpr int kOk = 1;
const char kQuestion[] = "This program will install Pelorama 4.0. Do you wish to continue?";

TEST(SetupSequence, YesAllTheWayOnNtInstallsThenSelectsTheSaver) {
    ScriptedSystem system;
    system.answers = {kYes, kOk, kYes};
    EXPECT_EQ(RunSetup(system), 0);
    ASSERT_EQ(system.boxes.size(), 3u);
    EXPECT_EQ(system.boxes[0].text, kQuestion);
    EXPECT_EQ(system.boxes[0].style, 36u);
    EXPECT_EQ(system.boxes[1].text, "Installation complete.");
    EXPECT_EQ(system.boxes[1].style, 64u);
    EXPECT_EQ(system.boxes[2].text, "Setup can make Pelorama your default screen saver. Continue?");
    EXPECT_EQ(system.boxes[2].style, 36u);
    for (const auto& box : system.boxes) EXPECT_EQ(box.caption, "Pelorama 4.0");
    EXPECT_EQ(system.agreementShown, 1);
    ASSERT_EQ(system.started.size(), 2u);
    EXPECT_EQ(system.started[0].first,
              "RUNDLL32.EXE syssetup.dll,SetupInfObjectInstallAction DefaultInstall.NT 132 C:\\Setup\\PELOR.INF");
    EXPECT_TRUE(system.started[0].second);
    EXPECT_EQ(system.started[1].first, "rundll32.exe desk.cpl,InstallScreenSaver PELOR.SCR");
    EXPECT_FALSE(system.started[1].second);
    const std::vector<std::string> programs{"C:\\WINNT\\system32\\RUNDLL32.EXE",
                                            "C:\\WINNT\\system32\\rundll32.exe"};
    EXPECT_EQ(system.programs, programs);
}

// Never through the search path, which starts in the setup's own folder: a
// RUNDLL32.EXE put beside SETUP.EXE would run, with its rights.
TEST(SetupSequence, ProgramsAreTheSystemsOwnByTheirFullPlace) {
    struct Case {
        const char* name;
        unsigned long platform;
        std::string systemFolder, windowsFolder;
        std::vector<std::string> programs;
    };
    const Case cases[] = {
        {"NT", kPlatformNT, "C:\\WINNT\\system32", "C:\\WINNT",
         {"C:\\WINNT\\system32\\RUNDLL32.EXE", "C:\\WINNT\\system32\\rundll32.exe"}},
        {"95: RUNDLL.EXE and RUNDLL32.EXE live in the Windows folder", kPlatformWindows, "C:\\WINDOWS\\SYSTEM",
         "C:\\WINDOWS", {"C:\\WINDOWS\\RUNDLL.EXE", "C:\\WINDOWS\\rundll32.exe"}},
        {"a folder that is a drive root", kPlatformNT, "S:\\", "S:\\", {"S:\\RUNDLL32.EXE", "S:\\rundll32.exe"}},
        {"a folder with spaces", kPlatformNT, "C:\\My Windows\\system32", "C:\\My Windows",
         {"C:\\My Windows\\system32\\RUNDLL32.EXE", "C:\\My Windows\\system32\\rundll32.exe"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedSystem system;
        system.platform = c.platform;
        system.systemFolder = c.systemFolder;
        system.windowsFolder = c.windowsFolder;
        system.answers = {kYes, kOk, kYes};
        RunSetup(system);
        EXPECT_EQ(system.programs, c.programs);
    }
}

// On 64-bit Windows the 32-bit setup's engine is the 32-bit one (the system
// folder it names is SysWOW64 to it); its section registers an uninstall
// command naming that engine, whichever program starts it.
TEST(SetupSequence, ThirtyTwoBitSetupOnSixtyFourBitWindowsTakesTheWow64Section) {
    ScriptedSystem system;
    system.wow64 = true;
    system.answers = {kYes, kOk, kYes};
    RunSetup(system);
    ASSERT_EQ(system.started.size(), 2u);
    EXPECT_EQ(system.started[0].first,
              "RUNDLL32.EXE syssetup.dll,SetupInfObjectInstallAction DefaultInstall.WoW64 132 C:\\Setup\\PELOR.INF");
    EXPECT_EQ(system.programs[0], "C:\\WINNT\\system32\\RUNDLL32.EXE");
    EXPECT_EQ(system.started[1].first, "rundll32.exe desk.cpl,InstallScreenSaver PELOR.SCR");

    ScriptedSystem ninetyFive;  // no WoW64 there; the answer would not matter
    ninetyFive.platform = kPlatformWindows;
    ninetyFive.wow64 = true;
    ninetyFive.answers = {kYes, kOk, kNo};
    RunSetup(ninetyFive);
    ASSERT_EQ(ninetyFive.started.size(), 1u);
    EXPECT_EQ(ninetyFive.started[0].first.rfind(kInstall95, 0), 0u);
}

TEST(SetupSequence, StringsAreReadIntoTheirBuffers) {
    ScriptedSystem system;
    system.strings[IDS_CAPTION] = std::string(40, 'c');
    system.answers = {kNo};
    RunSetup(system);
    const std::vector<std::pair<int, std::size_t>> expected{
        {1, 30}, {3, 64}, {4, 256}, {5, 256}};
    EXPECT_EQ(system.loads, expected);
    ASSERT_EQ(system.boxes.size(), 1u);
    EXPECT_EQ(system.boxes[0].caption, std::string(29, 'c'));
}

TEST(SetupSequence, WindowsNinetyFiveTakesItsOwnCommands) {
    ScriptedSystem system;
    system.platform = kPlatformWindows;
    system.answers = {kYes, kOk, kYes};
    RunSetup(system);
    ASSERT_EQ(system.started.size(), 2u);
    EXPECT_EQ(system.started[0].first,
              "RUNDLL.EXE setupx.dll,InstallHinfSection DefaultInstall 132 C:\\Setup\\PELOR.INF");
    EXPECT_EQ(system.started[1].first, "rundll32.exe desk.cpl,InstallScreenSaver PELORA~1.SCR");
}

TEST(SetupSequence, DriveRootGivesTwoBackslashesBeforeTheInf) {
    ScriptedSystem system;
    system.folder = "D:\\";
    system.answers = {kYes, kOk, kNo};
    RunSetup(system);
    ASSERT_EQ(system.started.size(), 1u);
    EXPECT_EQ(system.started[0].first,
              "RUNDLL32.EXE syssetup.dll,SetupInfObjectInstallAction DefaultInstall.NT 132 D:\\\\PELOR.INF");
}

TEST(SetupSequence, DecliningEndsSilentlyWithNothingStarted) {
    struct Case {
        const char* name;
        std::vector<int> answers;
        int agreement;
        std::size_t boxes;
        std::size_t started;
        int agreementShown;
    };
    const Case cases[] = {
        {"no to the question", {kNo}, kYes, 1, 0, 0},
        {"question closed otherwise", {2}, kYes, 1, 0, 0},
        {"no to the agreement", {kYes}, kNo, 1, 0, 1},
        {"agreement could not be shown", {kYes}, -1, 1, 0, 1},
        {"no to the offer", {kYes, kOk, kNo}, kYes, 3, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedSystem system;
        system.answers = c.answers;
        system.agreement = c.agreement;
        EXPECT_EQ(RunSetup(system), 0);
        EXPECT_EQ(system.boxes.size(), c.boxes);
        EXPECT_EQ(system.started.size(), c.started);
        EXPECT_EQ(system.agreementShown, c.agreementShown);
    }
}

TEST(SetupSequence, FailuresSayWhyWithTheExclamationIcon) {
    struct Case {
        const char* name;
        bool versionKnown;
        unsigned long platform;
        bool installerStarts, selectionStarts;
        std::string folder;
        const char* last;
        std::size_t started;
        std::string systemFolder = "C:\\WINNT\\system32";
    };
    const std::string deep = "C:\\" + std::string(250, 'd');
    const Case cases[] = {
        {"no version", false, kPlatformNT, true, true, "C:\\Setup", "Unable to determine Windows version information.", 0},
        {"Win32s", true, 0, true, true, "C:\\Setup", "This program may only be run on Windows 95 or Windows NT.", 0},
        {"unknown platform", true, 3, true, true, "C:\\Setup", "This program may only be run on Windows 95 or Windows NT.", 0},
        {"installer missing", true, kPlatformNT, false, true, "C:\\Setup", "Unable to install.", 1},
        {"folder over 255", true, kPlatformNT, true, true, deep, "Unable to install.", 0},
        {"display settings missing", true, kPlatformNT, true, false, "C:\\Setup", "Unable to open Display properties.", 2},
        {"no system folder to find the installer in", true, kPlatformNT, true, true, "C:\\Setup", "Unable to install.", 0,
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedSystem system;
        system.versionKnown = c.versionKnown;
        system.platform = c.platform;
        system.installerStarts = c.installerStarts;
        system.selectionStarts = c.selectionStarts;
        system.folder = c.folder;
        system.systemFolder = c.systemFolder;
        system.answers = {kYes, kOk, kYes, kOk};
        EXPECT_EQ(RunSetup(system), 0);
        ASSERT_FALSE(system.boxes.empty());
        EXPECT_EQ(system.boxes.back().text, c.last);
        EXPECT_EQ(system.boxes.back().style, 48u);
        EXPECT_EQ(system.boxes.back().caption, "Pelorama 4.0");
        EXPECT_EQ(system.started.size(), c.started);
    }
}

TEST(SetupSequence, LineThatWouldNotFitIsRefusedNotCut) {
    // The NT command is 75 characters; with the blank, the backslash and
    // PELOR.INF a folder of 169 characters makes the line exactly 255.
    const std::string command = kInstallNT;
    ASSERT_EQ(command.size(), 75u);
    const std::string fits = "C:\\" + std::string(166, 'f');
    ASSERT_EQ(fits.size(), 169u);
    char line[kLineBuffer];
    ASSERT_TRUE(BuildInstallerLine(kInstallNT, fits.c_str(), "PELOR.INF", line, sizeof line));
    EXPECT_EQ(std::strlen(line), 255u);
    EXPECT_EQ(std::string(line), command + " " + fits + "\\PELOR.INF");

    const std::string over = fits + "g";
    EXPECT_FALSE(BuildInstallerLine(kInstallNT, over.c_str(), "PELOR.INF", line, sizeof line));
    EXPECT_STREQ(line, "");

    ScriptedSystem system;
    system.folder = over;
    system.answers = {kYes, kOk};
    RunSetup(system);
    EXPECT_TRUE(system.started.empty());
    ASSERT_EQ(system.boxes.size(), 2u);
    EXPECT_EQ(system.boxes[1].text, "Unable to install.");
}

// The installer's exit code says nothing: the saver, where the INF puts
// it and the same as the one beside the setup, is what says it installed.
// Without it (no rights on NT, the engine's own dialog cancelled) the user
// is told and offered nothing more.
TEST(SetupSequence, CompleteOnlyWhenTheSaverIsInPlace) {
    struct Case {
        const char* name;
        unsigned long platform;
        std::string systemFolder;
        std::string installed;
    };
    const Case cases[] = {
        {"NT", kPlatformNT, "C:\\WINNT\\system32", "C:\\WINNT\\system32\\PELOR.SCR"},
        {"95, by its long name", kPlatformWindows, "C:\\WINDOWS\\SYSTEM", "C:\\WINDOWS\\SYSTEM\\Pelorama Movies.scr"},
    };
    for (const Case& c : cases) {
        for (const bool inPlace : {true, false}) {
            SCOPED_TRACE(std::string(c.name) + (inPlace ? ", in place" : ", not in place"));
            ScriptedSystem system;
            system.platform = c.platform;
            system.systemFolder = c.systemFolder;
            system.saverInPlace = inPlace;
            system.answers = {kYes, kOk, kNo};
            RunSetup(system);
            ASSERT_EQ(system.compared.size(), 1u);
            EXPECT_EQ(system.compared[0].first, c.installed);
            EXPECT_EQ(system.compared[0].second, "C:\\Setup\\PELOR.SCR");
            ASSERT_EQ(system.started.size(), 1u);
            if (inPlace) {
                ASSERT_EQ(system.boxes.size(), 3u);
                EXPECT_EQ(system.boxes[1].text, "Installation complete.");
            } else {
                ASSERT_EQ(system.boxes.size(), 2u);
                EXPECT_EQ(system.boxes[1].text, "Installation did not complete. The screen saver was not installed.");
                EXPECT_EQ(system.boxes[1].style, 48u);
            }
        }
    }
}

TEST(SetupSequence, PlatformChoice) {
    EXPECT_STREQ(InstallerCommand(2), "RUNDLL32.EXE syssetup.dll,SetupInfObjectInstallAction DefaultInstall.NT 132");
    EXPECT_STREQ(InstallerCommand(2, true),
                 "RUNDLL32.EXE syssetup.dll,SetupInfObjectInstallAction DefaultInstall.WoW64 132");
    EXPECT_STREQ(InstallerCommand(1, true), "RUNDLL.EXE setupx.dll,InstallHinfSection DefaultInstall 132");
    EXPECT_STREQ(InstallerCommand(1), "RUNDLL.EXE setupx.dll,InstallHinfSection DefaultInstall 132");
    EXPECT_EQ(InstallerCommand(0), nullptr);
    EXPECT_EQ(SelectionCommand(0), nullptr);
    EXPECT_EQ(SelectionCommand(3), nullptr);
}

}  // namespace
