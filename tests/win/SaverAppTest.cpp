#include <gtest/gtest.h>

#include <string>

#include "framework/Handles.h"
#include "framework/RegistryKey.h"
#include "saver/resources/resource.h"
#include "saver/shell/DpiAwareness.h"
#include "saver/shell/SaverApp.h"
#include "tests/win/support/DialogWatcher.h"
#include "tests/win/support/TestRegistry.h"

namespace {

bool ScreenSaverRunningFlag() {
    BOOL running = FALSE;
    SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &running, 0);
    return running != FALSE;
}

void SetScreenSaverRunningFlag(bool on) {
    UINT previous = 0;
    SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, on, &previous, 0);
}

// Runs start-up and shut-down with the given words, as the program does.
struct Started {
    explicit Started(std::vector<std::string> words) {
        app.SetArguments(std::move(words));
        keepsLoop = app.StartUp();
    }
    SaverApp app;
    bool keepsLoop = false;
};

TEST(SaverApp, NameComesFromTheProgramFile) {
    SaverApp app;
    EXPECT_EQ(app.AppName(), "pelor_win_tests");
}

// Windows 95's display settings start the saver by its short name and
// Explorer by its long one: both give the long name, so both use one key.
// Wine's own start gives the long name, so the short one is asked for here.
TEST(SaverApp, TheShortNameOfTheProgramGivesItsLongName) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "pelor long name";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string file = folder + "\\Pelorama Movies.scr";
    HANDLE made = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(made, INVALID_HANDLE_VALUE);
    CloseHandle(made);
    char shortPath[MAX_PATH] = {};
    const DWORD length = GetShortPathNameA(file.c_str(), shortPath, MAX_PATH);
    ASSERT_GT(length, 0u);
    const std::string shortName = std::string(shortPath).substr(std::string(shortPath).find_last_of('\\') + 1);
    ASSERT_NE(shortName, "Pelorama Movies.scr") << "the system gave no short name to start by";
    ASSERT_LE(shortName.size(), 12u) << shortName;
    EXPECT_EQ(LongBaseName(shortPath), "Pelorama Movies");
    EXPECT_EQ(LongBaseName(file), "Pelorama Movies");
    // A file that is not there keeps the name it was asked by.
    EXPECT_EQ(LongBaseName(folder + "\\PELORA~9.SCR"), "PELORA~9");
    DeleteFileA(file.c_str());
    RemoveDirectoryA(folder.c_str());
}

TEST(SaverApp, RegistryRootIsTheCompanyKeyFromTheStringTable) {
    ScratchKey root(HKEY_CURRENT_USER, "Software\\Tolvane Arts\\pelor_win_tests");
    Started started({"/x"});
    EXPECT_EQ(started.app.LoadString(IDS_REGISTRY_KEY), "Tolvane Arts");
    started.app.WriteProfileInt("Config", "Probe", 42);
    RegistryKey key = RegistryKey::Open(HKEY_CURRENT_USER, root.path() + "\\Config");
    EXPECT_EQ(key.GetDword("Probe", 0), 42u);
}

TEST(SaverApp, UnknownWordsEndQuietlyWithoutTouchingTheFlag) {
    SetScreenSaverRunningFlag(false);
    DialogWatcher watcher;
    for (auto words : std::vector<std::vector<std::string>>{{"/x"}, {"hello"}, {"/"}, {"/x", "/y"}}) {
        Started started(words);
        EXPECT_FALSE(started.keepsLoop) << words[0];
        EXPECT_EQ(started.app.ShutDown(), 0);
        EXPECT_FALSE(started.app.spiSet);
    }
    EXPECT_FALSE(ScreenSaverRunningFlag());
    EXPECT_TRUE(watcher.seen().empty());
}

// A system of the test's making for the DPI calls: which of them it has,
// what each answers, and every call asked for, in order.
struct DpiSystem {
    bool context = false, shcore = false, legacy = false;
    DWORD contextError = 0;  // nonzero: SetProcessDpiAwarenessContext refuses V2 with it
    DWORD firstError = 0;    // nonzero: ... and the first version with this
    HRESULT shcoreResult = S_OK;
    std::string asked;
};
DpiSystem* dpiSystem = nullptr;

BOOL WINAPI FakeSetContext(HANDLE context) {
    dpiSystem->asked += "context(" + std::to_string(reinterpret_cast<INT_PTR>(context)) + ") ";
    const DWORD error = reinterpret_cast<INT_PTR>(context) == -4 ? dpiSystem->contextError : dpiSystem->firstError;
    SetLastError(error);
    return error == 0;
}
HRESULT WINAPI FakeSetAwareness(int value) {
    dpiSystem->asked += "shcore(" + std::to_string(value) + ") ";
    return dpiSystem->shcoreResult;
}
BOOL WINAPI FakeSetAware() {
    dpiSystem->asked += "legacy ";
    return TRUE;
}
void (*FakeLookup(const char* library, const char* name))() {
    dpiSystem->asked += std::string("look:") + library + " ";
    const std::string n = name;
    if (n == "SetProcessDpiAwarenessContext" && dpiSystem->context) return reinterpret_cast<void (*)()>(&FakeSetContext);
    if (n == "SetProcessDpiAwareness" && dpiSystem->shcore) return reinterpret_cast<void (*)()>(&FakeSetAwareness);
    if (n == "SetProcessDPIAware" && dpiSystem->legacy) return reinterpret_cast<void (*)()>(&FakeSetAware);
    return nullptr;
}

// Per-monitor by the newest call there is; shcore is looked up (and so
// loaded) only when user32 cannot do it; a setting already made (the
// manifest's) stands; Vista to 8 become system aware; the oldest systems
// are left as they are.
TEST(SaverAppDpi, TheNewestCallThereIsMakesTheSaverPerMonitorAware) {
    struct Case {
        const char* system;
        DpiSystem given;
        DpiAwarenessSet result;
        const char* asked;
    };
    const Case cases[] = {
        {"Windows 10 1703, manifest not read", {true, true, true, 0, 0, S_OK, ""}, DpiAwarenessSet::PerMonitorV2,
         "look:user32.dll context(-4) "},
        {"Windows 10, manifest in force", {true, true, true, ERROR_ACCESS_DENIED, 0, S_OK, ""},
         DpiAwarenessSet::Already, "look:user32.dll context(-4) "},
        {"a context call that knows no V2", {true, true, true, ERROR_INVALID_PARAMETER, 0, S_OK, ""},
         DpiAwarenessSet::PerMonitor, "look:user32.dll context(-4) context(-3) "},
        {"Wine 8: no V2, awareness set", {true, true, true, ERROR_INVALID_PARAMETER, ERROR_ACCESS_DENIED, S_OK, ""},
         DpiAwarenessSet::Already, "look:user32.dll context(-4) context(-3) "},
        {"a context call that refuses both", {true, true, true, ERROR_INVALID_PARAMETER, ERROR_INVALID_PARAMETER, S_OK, ""},
         DpiAwarenessSet::PerMonitor, "look:user32.dll context(-4) context(-3) look:shcore.dll shcore(2) "},
        {"Windows 8.1", {false, true, true, 0, 0, S_OK, ""}, DpiAwarenessSet::PerMonitor,
         "look:user32.dll look:shcore.dll shcore(2) "},
        {"Windows 8.1, manifest in force", {false, true, true, 0, 0, static_cast<HRESULT>(0x80070005L), ""},
         DpiAwarenessSet::Already, "look:user32.dll look:shcore.dll shcore(2) "},
        {"Windows Vista to 8", {false, false, true, 0, 0, S_OK, ""}, DpiAwarenessSet::SystemWide,
         "look:user32.dll look:shcore.dll look:user32.dll legacy "},
        {"Windows 95 to XP", {false, false, false, 0, 0, S_OK, ""}, DpiAwarenessSet::Unavailable,
         "look:user32.dll look:shcore.dll look:user32.dll "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.system);
        DpiSystem system = c.given;
        dpiSystem = &system;
        EXPECT_EQ(BecomeDpiAware(&FakeLookup), c.result);
        EXPECT_EQ(system.asked, c.asked);
    }
    dpiSystem = nullptr;
}

TEST(SaverApp, RunModeSetsTheRunningFlagAndShutDownClearsIt) {
    SetScreenSaverRunningFlag(false);
    {
        Started started({"/s"});
        EXPECT_TRUE(started.app.spiSet);
        EXPECT_TRUE(ScreenSaverRunningFlag());
        started.app.ShutDown();
        EXPECT_FALSE(ScreenSaverRunningFlag());
    }
    SetScreenSaverRunningFlag(false);
}

TEST(SaverApp, ConfigureRunsTheDialogAndLeavesTheRunningFlagAlone) {
    // Configure mode never touches it, whichever state it is in. Its dialog
    // is cancelled as soon as it shows.
    SetScreenSaverRunningFlag(true);
    {
        DialogWatcher watcher(IDCANCEL);
        Started started({"/c"});
        EXPECT_FALSE(started.keepsLoop);
        EXPECT_EQ(started.app.m_pMainWnd, nullptr) << "the dialog is the main window only while it is up";
        started.app.ShutDown();
        EXPECT_TRUE(ScreenSaverRunningFlag());
    }
    SetScreenSaverRunningFlag(false);
}

TEST(SaverApp, PreviewWithoutAWindowEndsTheProgram) {
    for (const char* handle : {"0", "12345", "notanumber"}) {
        Started started({"/p", handle});
        EXPECT_TRUE(started.keepsLoop);
        EXPECT_EQ(started.app.m_pMainWnd, nullptr) << handle;
        EXPECT_EQ(started.app.Run(), 0) << "no main window: the loop ends at once";
    }
}

// Where the system's MPR.DLL has the change function it is called and no
// message appears.
TEST(SaverAppChangePassword, CallsTheSystemFunction) {
    DialogWatcher watcher;
    Started started({"/a"});
    EXPECT_FALSE(started.keepsLoop);
    started.app.ShutDown();
    EXPECT_TRUE(watcher.seen().empty());
}

// Run with MPR.DLL disabled (WINEDLLOVERRIDES=mpr=d).
TEST(SaverAppChangePasswordNoLibrary, ShowsMessage9050) {
    DialogWatcher watcher;
    Started started({"/a", "0"});
    EXPECT_FALSE(started.keepsLoop);
    const auto seen = watcher.seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].caption, "pelor_win_tests");
    EXPECT_EQ(seen[0].text,
              "Unable to  load MPR.DLL, which is required for changing your password.");
}

// This program's folder, with a trailing backslash.
std::string ProgramFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of("\\/") + 1);
}

// Run with a stand-in MPR.DLL that lacks the function (WINEDLLOVERRIDES=mpr=n),
// loaded from its own folder first, so that the saver's load by name finds it.
TEST(SaverAppChangePasswordNoFunction, ShowsMessage9051ThenTheFixedText) {
    Module lacking(LoadLibraryA((ProgramFolder() + "nompr\\mpr.dll").c_str()));
    ASSERT_TRUE(lacking);
    ASSERT_EQ(GetProcAddress(lacking.get(), "PwdChangePasswordA"), nullptr);
    DialogWatcher watcher;
    Started started({"/a"});
    EXPECT_FALSE(started.keepsLoop);
    const auto seen = watcher.seen();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].text,
              "Unable to find PwdChangePassword function in MPR.DLL, which is required to change "
              "your password.");
    EXPECT_EQ(seen[1].text, "Unable to get PwdChangePassword.");
    EXPECT_EQ(seen[1].caption, "pelor_win_tests");
}

}  // namespace
