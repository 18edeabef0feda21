// The setup's agreement dialog, its program starter and its system layer,
// in-process under Wine, with the setup's own resources linked in.
#include <gtest/gtest.h>

#include <direct.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <string>

#include "setup/AgreementDialog.h"
#include "setup/ProgramRunner.h"
#include "setup/SetupSequence.h"
#include "setup/Win32SetupSystem.h"
#include "tests/win/support/TestThread.h"
// Last: its ids are macros that would clash with the names above.
#include "setup/resource.h"

namespace {

// Makes a scratch folder the current one for the test's length.
class ScratchFolder {
public:
    ScratchFolder() {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        path_ = std::string(temp) + "pelor-setup-" + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(GetTickCount());
        CreateDirectoryA(path_.c_str(), nullptr);
        GetCurrentDirectoryA(MAX_PATH, previous_);
        SetCurrentDirectoryA(path_.c_str());
    }
    ~ScratchFolder() {
        SetCurrentDirectoryA(previous_);
        DeleteFileA((path_ + "\\LICENSE.TXT").c_str());
        RemoveDirectoryA(path_.c_str());
    }
    void Write(const std::string& bytes) const {
        std::ofstream(path_ + "\\LICENSE.TXT", std::ios::binary) << bytes;
    }

private:
    std::string path_;
    char previous_[MAX_PATH] = {};
};

struct SeenDialog {
    std::string caption;
    LONG style = 0;
    int ids[4] = {};
    LRESULT defaultId = 0;
    LONG editStyle = 0;
    std::string text;
    bool centred = false;
    bool openAfterEscape = false;
    bool openAfterClose = false;
    bool openAfterNonClick = false;
    bool openAfterOtherId = false;
};

std::string TextOf(HWND wnd) {
    const int length = GetWindowTextLengthA(wnd);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    GetWindowTextA(wnd, &text[0], length + 1);
    text.resize(static_cast<size_t>(length));
    return text;
}

HWND WaitForAgreement() {
    for (int i = 0; i < 500; ++i) {
        HWND dialog = FindWindowA("#32770", "License Agreement");
        if (dialog != nullptr && IsWindowVisible(dialog)) return dialog;
        Sleep(10);
    }
    return nullptr;
}

// Looks at the open dialog from another thread, tries what must not close it,
// then presses `button` with a real click notification.
void InspectAndPress(SeenDialog* seen, int button) {
    HWND dialog = WaitForAgreement();
    if (dialog == nullptr) return;
    seen->caption = TextOf(dialog);
    seen->style = GetWindowLongA(dialog, GWL_STYLE);
    HWND child = GetWindow(dialog, GW_CHILD);
    for (int i = 0; i < 4 && child != nullptr; ++i, child = GetWindow(child, GW_HWNDNEXT)) {
        seen->ids[i] = GetDlgCtrlID(child);
    }
    seen->defaultId = LOWORD(SendMessageA(dialog, DM_GETDEFID, 0, 0));
    HWND edit = GetDlgItem(dialog, IDC_AGREEMENT_TEXT);
    seen->editStyle = GetWindowLongA(edit, GWL_STYLE);
    seen->text = TextOf(edit);
    RECT box{}, screen{};
    GetWindowRect(dialog, &box);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &screen, 0);
    const int dx = (box.left + box.right) / 2 - (screen.left + screen.right) / 2;
    const int dy = (box.top + box.bottom) / 2 - (screen.top + screen.bottom) / 2;
    seen->centred = dx >= -2 && dx <= 2 && dy >= -2 && dy <= 2;

    // Escape reaches a dialog as IDCANCEL; the close request as WM_CLOSE.
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    seen->openAfterEscape = IsWindow(dialog) && IsWindowVisible(dialog);
    SendMessageA(dialog, WM_CLOSE, 0, 0);
    Sleep(100);
    seen->openAfterClose = IsWindow(dialog) && IsWindowVisible(dialog);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDYES, BN_SETFOCUS), 0);
    seen->openAfterNonClick = IsWindow(dialog) && IsWindowVisible(dialog);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    seen->openAfterOtherId = IsWindow(dialog) && IsWindowVisible(dialog);

    SendMessageA(GetDlgItem(dialog, button), BM_CLICK, 0, 0);
}

INT_PTR RunAgreement(SeenDialog* seen, int button) {
    TestThread inspector([seen, button] { InspectAndPress(seen, button); });
    const INT_PTR result = AgreementDialog::Run(GetModuleHandleA(nullptr));
    inspector.Join();
    return result;
}

TEST(AgreementDialog, TemplateControlsAndTheTextOfTheFile) {
    ScratchFolder folder;
    folder.Write("Agreement line one.\r\nLine two.\r\n");
    SeenDialog seen;
    EXPECT_EQ(RunAgreement(&seen, IDYES), IDYES);
    EXPECT_EQ(seen.caption, "License Agreement");
    EXPECT_EQ(seen.style & WS_SYSMENU, 0);
    EXPECT_NE(seen.style & WS_CAPTION, 0);
    EXPECT_TRUE(seen.centred);
    EXPECT_EQ(seen.ids[0], IDYES);
    EXPECT_EQ(seen.ids[1], IDNO);
    EXPECT_EQ(seen.ids[2], IDC_AGREEMENT_TEXT);
    EXPECT_EQ(seen.ids[3], 0xFFFF);  // the static text, id -1
    EXPECT_EQ(seen.defaultId, IDYES);
    EXPECT_NE(seen.editStyle & ES_READONLY, 0);
    EXPECT_NE(seen.editStyle & ES_MULTILINE, 0);
    EXPECT_NE(seen.editStyle & WS_VSCROLL, 0);
    EXPECT_EQ(seen.text, "Agreement line one.\r\nLine two.\r\n");
}

TEST(AgreementDialog, OnlyItsTwoButtonsCloseIt) {
    ScratchFolder folder;
    folder.Write("text");
    for (int button : {IDNO, IDYES}) {
        SeenDialog seen;
        EXPECT_EQ(RunAgreement(&seen, button), button);
        EXPECT_TRUE(seen.openAfterEscape);
        EXPECT_TRUE(seen.openAfterClose);
        EXPECT_TRUE(seen.openAfterNonClick);
        EXPECT_TRUE(seen.openAfterOtherId);
    }
}

TEST(AgreementDialog, ShowsTheFirst8192BytesOfALongerFile) {
    ScratchFolder folder;
    std::string bytes;
    for (int i = 0; bytes.size() < 10000; ++i) bytes += "Clause " + std::to_string(i) + " of the agreement.\r\n";
    bytes.resize(10000);
    folder.Write(bytes);
    SeenDialog seen;
    EXPECT_EQ(RunAgreement(&seen, IDNO), IDNO);
    EXPECT_EQ(seen.text.size(), 8192u);
    EXPECT_EQ(seen.text, bytes.substr(0, 8192));
}

TEST(AgreementDialog, MissingFileLeavesTheBoxEmptyAndYesStillAnswers) {
    ScratchFolder folder;
    SeenDialog seen;
    EXPECT_EQ(RunAgreement(&seen, IDYES), IDYES);
    EXPECT_EQ(seen.caption, "License Agreement");
    EXPECT_EQ(seen.text, "");
}

TEST(SetupResources, StringsOneToSix) {
    Win32SetupSystem system(GetModuleHandleA(nullptr));
    EXPECT_EQ(system.LoadText(IDS_CAPTION, setup::kCaptionBuffer), "Pelorama 4.0");
    EXPECT_EQ(system.LoadText(IDS_NO_VERSION, setup::kNoVersionBuffer),
              "Unable to determine Windows version information.");
    EXPECT_EQ(system.LoadText(IDS_INF_NAME, setup::kInfNameBuffer), "PELOR.INF");
    EXPECT_EQ(system.LoadText(IDS_QUESTION, setup::kQuestionBuffer),
              "This program will install Pelorama 4.0. In Windows NT, you will need Administrator rights. If you "
              "have a previous version of Pelorama, please uninstall it now. Do you wish to continue?");
    EXPECT_EQ(system.LoadText(IDS_COMPLETE, setup::kCompleteBuffer), "Installation complete.");
    EXPECT_EQ(system.LoadText(IDS_NOT_INSTALLED, setup::kCompleteBuffer),
              "Installation did not complete. The screen saver was not installed.");
    // A buffer of 30 holds 29 characters and the zero.
    EXPECT_EQ(system.LoadText(IDS_QUESTION, 30).size(), 29u);
    EXPECT_NE(FindResourceA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_SETUP), RT_GROUP_ICON), nullptr);
    EXPECT_NE(FindResourceA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1), RT_ICON), nullptr);
    EXPECT_NE(FindResourceA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(2), RT_ICON), nullptr);
}

TEST(SetupSystemWin, PlatformAndCurrentFolder) {
    Win32SetupSystem system(GetModuleHandleA(nullptr));
    unsigned long platform = 0;
    ASSERT_TRUE(system.Platform(&platform));
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    ASSERT_TRUE(GetVersionExA(&version));
    EXPECT_EQ(platform, version.dwPlatformId);
    char folder[setup::kFolderBuffer] = {};
    ASSERT_TRUE(system.CurrentFolder(folder, sizeof folder));
    char expected[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, expected);
    EXPECT_STREQ(folder, expected);
    // A buffer too small for the folder is refused, not cut.
    char small[4] = {'x', 0, 0, 0};
    EXPECT_FALSE(system.CurrentFolder(small, sizeof small));
    EXPECT_STREQ(small, "x");
}

// The check after the installer: the installed saver against the one
// beside the setup, byte for byte (a file larger than one read's chunk too).
TEST(SetupSystemWin, SameFileComparesEveryByte) {
    Win32SetupSystem system(GetModuleHandleA(nullptr));
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string a = std::string(temp) + "pelor-same-a.bin", b = std::string(temp) + "pelor-same-b.bin";
    auto write = [](const std::string& path, const std::string& bytes) {
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD put = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr);
        CloseHandle(file);
    };
    std::string bytes(40000, 's');
    write(a, bytes);
    write(b, bytes);
    EXPECT_TRUE(system.SameFile(a, b));
    bytes[39999] = 't';
    write(b, bytes);
    EXPECT_FALSE(system.SameFile(a, b));
    write(b, bytes.substr(0, 20000));
    EXPECT_FALSE(system.SameFile(a, b));
    DeleteFileA(b.c_str());
    EXPECT_FALSE(system.SameFile(a, b));
    DeleteFileA(a.c_str());
}

double ProcessCpuSeconds() {
    FILETIME created, ended, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
    auto seconds = [](const FILETIME& t) {
        return ((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

std::string Cmd() {
    char folder[MAX_PATH] = {};
    GetSystemDirectoryA(folder, MAX_PATH);
    return std::string(folder) + "\\cmd.exe";
}

TEST(SetupSystemWin, SystemFoldersAndWow64) {
    Win32SetupSystem system(GetModuleHandleA(nullptr));
    char folder[MAX_PATH] = {};
    GetSystemDirectoryA(folder, MAX_PATH);
    EXPECT_EQ(system.SystemFolder(), folder);
    GetWindowsDirectoryA(folder, MAX_PATH);
    EXPECT_EQ(system.WindowsFolder(), folder);
    BOOL wow64 = FALSE;
    IsWow64Process(GetCurrentProcess(), &wow64);
    EXPECT_EQ(system.Wow64(), wow64 != FALSE);
}

TEST(RunProgram, WaitsForTheProgramWithoutSpinning) {
    // cmd's ping waits about a second between its two echoes.
    const auto start = std::chrono::steady_clock::now();
    const double cpuBefore = ProcessCpuSeconds();
    EXPECT_TRUE(RunProgram(Cmd().c_str(), "cmd.exe /c ping -n 3 127.0.0.1 >nul", true));
    const double cpu = ProcessCpuSeconds() - cpuBefore;
    const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    EXPECT_GE(waited.count(), 900);
    // Asking for the exit code in a loop would have used the whole wait.
    EXPECT_LT(cpu, 0.25 * waited.count() / 1000.0);
}

TEST(RunProgram, ExitCodeIsNotLookedAtAndNoWaitReturnsAtOnce) {
    EXPECT_TRUE(RunProgram(Cmd().c_str(), "cmd.exe /c exit 7", true));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(RunProgram(Cmd().c_str(), "cmd.exe /c ping -n 4 127.0.0.1 >nul", false));
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    EXPECT_LT(took.count(), 1500);
}

TEST(RunProgram, AProgramThatIsNotThereIsReported) {
    EXPECT_FALSE(RunProgram("C:\\pelor-no-such-program-anywhere.exe", "pelor-no-such-program-anywhere.exe argument",
                            true));
    EXPECT_FALSE(RunProgram("", "", false));
    // A bare name is never looked for along the search path.
    EXPECT_FALSE(RunProgram("cmd.exe", "cmd.exe /c exit 0", true));
}

// The program runs in its own folder, not the setup's: a system program
// started there loads its DLLs from the system's folders.
TEST(RunProgram, StartsInTheProgramsOwnFolder) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string out = std::string(temp) + "pelor-runprogram-cd.txt";
    DeleteFileA(out.c_str());
    const std::string line = "cmd.exe /c cd > \"" + out + "\"";
    ASSERT_TRUE(RunProgram(Cmd().c_str(), line.c_str(), true));
    std::ifstream file(out);
    std::string folder;
    std::getline(file, folder);
    if (!folder.empty() && folder.back() == '\r') folder.pop_back();
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    EXPECT_EQ(_stricmp(folder.c_str(), system), 0) << folder;
    file.close();
    DeleteFileA(out.c_str());
}

}  // namespace
