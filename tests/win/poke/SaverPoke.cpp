// pelor_poke: the end-to-end tests' hand inside Wine. It finds the running
// saver's window (titled "SaverWnd") and posts it messages, sends input
// through the system's input queue, counts the password dialogs that are
// open, and sets the stand-in component's password through its own change
// dialog. Usage:
//   pelor_poke post MESSAGE WPARAM LPARAM     numbers in decimal or 0x hex
//   pelor_poke key VK                         one key press through the input queue
//   pelor_poke dialogs                        prints the open password dialogs
//   pelor_poke answer TEXT                    puts TEXT in the open password dialog and presses OK
//   pelor_poke set-password NEW [OLD]         through PASSWORD.CPL's dialog
//   pelor_poke storm COUNT SEED               random input; prints a summary
//   pelor_poke monitors                       prints "L T R B primary|other" per monitor
//   pelor_poke covers                         prints the saver's other top-level windows
//                                             as "L T R B topmost|normal"
//   pelor_poke white L T R B SECONDS          shows a white window there for SECONDS
// Exit code 0 on success, 2 when there is no saver window (or no component).
#include "framework/Win32.h"

#include <cstdio>
#include <cstdlib>
#include <random>
#include <set>
#include <string>

#include "tests/win/support/TestThread.h"

namespace {

const char kPasswordCaption[] = "Screen Saver Password";

HWND FindSaver() { return FindWindowA(nullptr, "SaverWnd"); }

unsigned long Number(const char* text) { return std::strtoul(text, nullptr, 0); }

struct DialogCount {
    size_t open = 0;
    std::set<HWND>* seen = nullptr;
};

BOOL CALLBACK CollectPasswordDialog(HWND wnd, LPARAM param) {
    char cls[32] = {};
    char caption[64] = {};
    GetClassNameA(wnd, cls, sizeof cls);
    GetWindowTextA(wnd, caption, sizeof caption);
    if (std::string(cls) == "#32770" && IsWindowVisible(wnd) && std::string(caption) == kPasswordCaption) {
        auto* count = reinterpret_cast<DialogCount*>(param);
        ++count->open;
        if (count->seen != nullptr) count->seen->insert(wnd);
    }
    return TRUE;
}

// The password dialogs open now; each is also added to `seen`.
size_t PasswordDialogs(std::set<HWND>* seen = nullptr) {
    DialogCount count;
    count.seen = seen;
    EnumWindows(&CollectPasswordDialog, reinterpret_cast<LPARAM>(&count));
    return count.open;
}

void Key(WORD vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, 0));
    const bool extended = (vk >= VK_PRIOR && vk <= VK_DOWN) || vk == VK_INSERT || vk == VK_DELETE;
    input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (extended ? KEYEVENTF_EXTENDEDKEY : 0);
    SendInput(1, &input, sizeof input);
}

void Mouse(DWORD flags, int x, int y) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    SendInput(1, &input, sizeof input);
}

int Storm(unsigned long count, unsigned long seed) {
    HWND saver = FindSaver();
    if (saver == nullptr) return 2;
    std::mt19937 random(seed);
    const WORD controls[] = {0x25, 0x26, 0x27, 0x28, 0x4D, 0x4E, 0x6D, 0x6E};
    const WORD others[] = {'A', 'Q', 'Z', '1', '7', VK_SPACE, VK_RETURN, VK_ESCAPE, VK_TAB, VK_SHIFT,
                           VK_CONTROL, VK_F1, VK_F4, VK_F10, VK_BACK, VK_HOME, VK_END, VK_OEM_PERIOD};
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    unsigned long sent = 0, keys = 0, altKeys = 0, mouse = 0, posted = 0;
    size_t most = 0;
    std::set<HWND> seen;
    for (; sent < count; ++sent) {
        if (!IsWindow(saver)) break;
        const unsigned kind = random() % 100;
        if (kind < 30) {
            const WORD vk = kind < 12 ? controls[random() % 8] : others[random() % (sizeof others / sizeof others[0])];
            Key(vk, false);
            Key(vk, true);
            ++keys;
        } else if (kind < 40) {
            const WORD vk = random() % 2 ? controls[random() % 8] : others[random() % (sizeof others / sizeof others[0])];
            Key(VK_MENU, false);
            Key(vk, false);
            Key(vk, true);
            Key(VK_MENU, true);
            ++altKeys;
        } else if (kind < 60) {
            Mouse(0, static_cast<int>(random() % width), static_cast<int>(random() % height));
            ++mouse;
        } else if (kind < 72) {
            static const DWORD buttons[][2] = {{MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP},
                                               {MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP},
                                               {MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP}};
            const auto& button = buttons[random() % 3];
            const int x = static_cast<int>(random() % width), y = static_cast<int>(random() % height);
            Mouse(button[0], x, y);
            Mouse(button[1], x, y);
            ++mouse;
        } else {
            switch (random() % 7) {
            case 0: PostMessageA(saver, WM_CLOSE, 0, 0); break;
            case 1: PostMessageA(saver, WM_SYSCOMMAND, SC_CLOSE, 0); break;
            case 2: PostMessageA(saver, WM_SYSCOMMAND, SC_SCREENSAVE, 0); break;
            case 3: PostMessageA(saver, WM_ACTIVATE, WA_INACTIVE, 0); break;
            case 4: PostMessageA(saver, WM_ACTIVATEAPP, FALSE, 0); break;
            case 5: PostMessageA(saver, WM_POWERBROADCAST, 6 + random() % 2, 0); break;
            default: PostMessageA(saver, WM_POWERBROADCAST, random() % 8, 0); break;
            }
            ++posted;
        }
        // Keep pace with the saver, so its queue never overflows.
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(saver, WM_NULL, 0, 0, SMTO_NORMAL, 2000, &ignored);
        const size_t open = PasswordDialogs(&seen);
        if (open > most) most = open;
    }
    // Leave no modifier down for whoever types next.
    for (WORD vk : {WORD(VK_MENU), WORD(VK_SHIFT), WORD(VK_CONTROL)}) Key(vk, true);
    Sleep(500);
    std::printf("events %lu keys %lu alt-keys %lu mouse %lu posted %lu most-dialogs %u dialogs-seen %u saver-alive %d\n",
                sent, keys, altKeys, mouse, posted, static_cast<unsigned>(most), static_cast<unsigned>(seen.size()),
                IsWindow(saver) ? 1 : 0);
    return 0;
}

struct ChangeAnswer {
    std::string password;
    std::string old;
    bool done = false;
};

BOOL CALLBACK FindOwnDialog(HWND wnd, LPARAM param) {
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    char cls[32] = {};
    GetClassNameA(wnd, cls, sizeof cls);
    if (pid == GetCurrentProcessId() && std::string(cls) == "#32770" && IsWindowVisible(wnd) && IsWindowEnabled(wnd)) {
        *reinterpret_cast<HWND*>(param) = wnd;
        return FALSE;
    }
    return TRUE;
}

// Fills the change dialog (controls 1001 old, 1002 new, 1003 confirm), then
// acknowledges the box that reports the change.
void AnswerChange(ChangeAnswer* answer) {
    for (int round = 0; round < 2; ++round) {
        HWND dialog = nullptr;
        for (int i = 0; i < 500 && dialog == nullptr; ++i) {
            EnumWindows(&FindOwnDialog, reinterpret_cast<LPARAM>(&dialog));
            if (dialog == nullptr) Sleep(20);
        }
        if (dialog == nullptr) return;
        if (round == 0) {
            SetDlgItemTextA(dialog, 1001, answer->old.c_str());
            SetDlgItemTextA(dialog, 1002, answer->password.c_str());
            SetDlgItemTextA(dialog, 1003, answer->password.c_str());
        }
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        Sleep(300);
    }
    answer->done = true;
}

int SetPassword(const char* password, const char* old) {
    HMODULE cpl = LoadLibraryA("PASSWORD.CPL");
    if (cpl == nullptr) return 2;
    using ChangeFn = DWORD(WINAPI*)(LPCSTR, HWND, DWORD, DWORD);
    auto change = reinterpret_cast<ChangeFn>(reinterpret_cast<void*>(GetProcAddress(cpl, "PwdChangePasswordA")));
    if (change == nullptr) return 2;
    ChangeAnswer answer{password, old != nullptr ? old : "", false};
    TestThread helper([&answer] { AnswerChange(&answer); });
    const DWORD result = change("SCRSAVE", nullptr, 0, 0);
    helper.Join();
    FreeLibrary(cpl);
    return result == 0 ? 0 : 1;
}

BOOL CALLBACK PrintMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM) {
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    if (GetMonitorInfoA(monitor, &mi)) {
        std::printf("%ld %ld %ld %ld %s\n", mi.rcMonitor.left, mi.rcMonitor.top, mi.rcMonitor.right,
                    mi.rcMonitor.bottom, (mi.dwFlags & MONITORINFOF_PRIMARY) ? "primary" : "other");
    }
    return TRUE;
}

struct SaverWindows {
    HWND saver;
    DWORD thread;
};

BOOL CALLBACK PrintCover(HWND wnd, LPARAM param) {
    const auto* saver = reinterpret_cast<const SaverWindows*>(param);
    if (wnd == saver->saver || GetWindowThreadProcessId(wnd, nullptr) != saver->thread || !IsWindowVisible(wnd)) {
        return TRUE;
    }
    char cls[32] = {};
    GetClassNameA(wnd, cls, sizeof cls);
    if (std::string(cls) == "#32770") return TRUE;  // a password dialog
    RECT r{};
    GetWindowRect(wnd, &r);
    const bool topmost = (GetWindowLongA(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    std::printf("%ld %ld %ld %ld %s\n", r.left, r.top, r.right, r.bottom, topmost ? "topmost" : "normal");
    return TRUE;
}

LRESULT CALLBACK WhiteProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER) PostQuitMessage(0);
    return DefWindowProcA(wnd, message, wParam, lParam);
}

// A plain white window, the desktop stand-in that a cover must hide.
int White(long left, long top, long right, long bottom, unsigned long seconds) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &WhiteProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = "PelorPokeWhite";
    if (RegisterClassA(&wc) == 0) return 1;
    HWND wnd = CreateWindowExA(0, wc.lpszClassName, "PokeWhite", WS_POPUP | WS_VISIBLE, static_cast<int>(left),
                               static_cast<int>(top), static_cast<int>(right - left), static_cast<int>(bottom - top),
                               nullptr, nullptr, wc.hInstance, nullptr);
    if (wnd == nullptr) return 1;
    UpdateWindow(wnd);
    SetTimer(wnd, 1, static_cast<UINT>(seconds * 1000), nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    DestroyWindow(wnd);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "post" && argc == 5) {
        HWND saver = FindSaver();
        if (saver == nullptr) return 2;
        return PostMessageA(saver, static_cast<UINT>(Number(argv[2])), static_cast<WPARAM>(Number(argv[3])),
                            static_cast<LPARAM>(Number(argv[4]))) ? 0 : 1;
    }
    if (command == "key" && argc == 3) {
        const WORD vk = static_cast<WORD>(Number(argv[2]));
        Key(vk, false);
        Key(vk, true);
        return 0;
    }
    if (command == "answer" && argc == 3) {
        HWND dialog = FindWindowA("#32770", kPasswordCaption);
        if (dialog == nullptr) return 2;
        SetDlgItemTextA(dialog, 1000, argv[2]);
        SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
        return 0;
    }
    if (command == "dialogs") {
        std::printf("%u\n", static_cast<unsigned>(PasswordDialogs()));
        return 0;
    }
    if (command == "set-password" && (argc == 3 || argc == 4)) return SetPassword(argv[2], argc == 4 ? argv[3] : nullptr);
    if (command == "storm" && argc == 4) return Storm(Number(argv[2]), Number(argv[3]));
    if (command == "monitors") {
        EnumDisplayMonitors(nullptr, nullptr, &PrintMonitor, 0);
        return 0;
    }
    if (command == "covers") {
        SaverWindows saver{FindSaver(), 0};
        if (saver.saver == nullptr) return 2;
        saver.thread = GetWindowThreadProcessId(saver.saver, nullptr);
        EnumWindows(&PrintCover, reinterpret_cast<LPARAM>(&saver));
        return 0;
    }
    if (command == "white" && argc == 7) {
        return White(std::strtol(argv[2], nullptr, 0), std::strtol(argv[3], nullptr, 0), std::strtol(argv[4], nullptr, 0),
                     std::strtol(argv[5], nullptr, 0), Number(argv[6]));
    }
    std::fprintf(stderr, "usage: pelor_poke post MSG WPARAM LPARAM | key VK | dialogs | answer TEXT | set-password NEW [OLD] | storm COUNT SEED | monitors | covers | white L T R B SECONDS\n");
    return 64;
}
