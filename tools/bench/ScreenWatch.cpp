// pelor_screen_watch: times what a program shows on the screen, by reading
// screen pixels in a tight loop while it starts and plays. Used by
// scripts/bench.sh for the start-up and gap benchmarks.
//   pelor_screen_watch startup ROUNDS PROGRAM [ARGS...]
//     Covers the screen white, starts the program and times the moment the
//     pixel at (5, 5) turns black; then closes the program (WM_CLOSE).
//   pelor_screen_watch gap ROUNDS PROGRAM [ARGS...]
//     Starts the program and times, at the screen centre, the first red
//     frame and the first green frame after it (the fixture clips of hue 0
//     and 1); then closes the program.
//   pelor_screen_watch black ROUNDS WATCH_MS PROGRAM [ARGS...]
//     Starts the program and, from the first red frame at the screen centre
//     on, adds up the time that pixel reads black, until the first green
//     frame or WATCH_MS after the red one (for one item that loops); prints
//     it with the longest black stretch and how many times the pixel was
//     read; then closes the program.
//   pelor_screen_watch movie ROUNDS PROGRAM [ARGS...]
//     Starts the program and times the first red frame at the screen centre
//     (the fixture clip of hue 0); then closes the program.
//   pelor_screen_watch dialog ROUNDS COUNT PROGRAM [ARGS...]
//     Starts the program and times the moment a window captioned "Pelorama"
//     is visible with COUNT entries in its list box 1008; then closes it.
// Prints one line per round and a last line "median <ms>". Exits 1 when a
// round saw nothing within 20 s.
#include "framework/Win32.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tools/wintools/ChildProcess.h"

namespace {

constexpr DWORD kTimeoutMs = 20000;

double NowMs() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

// Reads one screen pixel through the desktop's device context.
class ScreenPixels {
public:
    ScreenPixels() : dc_(GetDC(nullptr)) {}
    ~ScreenPixels() { ReleaseDC(nullptr, dc_); }
    ScreenPixels(const ScreenPixels&) = delete;
    ScreenPixels& operator=(const ScreenPixels&) = delete;
    COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }

private:
    HDC dc_;
};

// Polls until `test` accepts the pixel at (x, y); the time it did, or -1.
template <class Test>
double WaitFor(const ScreenPixels& screen, int x, int y, Test test) {
    const double limit = NowMs() + kTimeoutMs;
    while (NowMs() < limit) {
        Pump();
        if (test(screen.At(x, y))) return NowMs();
    }
    return -1;
}

bool IsBlack(COLORREF c) { return GetRValue(c) < 16 && GetGValue(c) < 16 && GetBValue(c) < 16; }
bool IsWhite(COLORREF c) { return GetRValue(c) > 240 && GetGValue(c) > 240 && GetBValue(c) > 240; }
bool IsRed(COLORREF c) { return GetRValue(c) > 100 && GetGValue(c) < 60 && GetBValue(c) < 60; }
bool IsGreen(COLORREF c) { return GetGValue(c) > 100 && GetRValue(c) < 60 && GetBValue(c) < 60; }

// Closes the top-level window at (x, y) unless it is `keep`, and waits for
// the program to end.
void CloseProgram(const ChildProcess& program, int x, int y, HWND keep) {
    HWND at = GetAncestor(WindowFromPoint(POINT{x, y}), GA_ROOT);
    if (at != nullptr && at != keep) PostMessageA(at, WM_CLOSE, 0, 0);
    const double limit = NowMs() + 10000;
    while (!program.Wait(10) && NowMs() < limit) Pump();
    if (!program.Wait(0)) program.Kill();
}

// The shown "Pelorama" window whose list box holds `count` entries, or null.
HWND FilledDialog(LRESULT count) {
    HWND dialog = FindWindowA(nullptr, "Pelorama");
    if (dialog == nullptr || !IsWindowVisible(dialog)) return nullptr;
    HWND list = GetDlgItem(dialog, 1008);
    return list != nullptr && SendMessageA(list, LB_GETCOUNT, 0, 0) == count ? dialog : nullptr;
}

HWND WhiteCover() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = "PelorWhiteCover";
    RegisterClassA(&wc);
    HWND cover = CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "WhiteCover", WS_POPUP | WS_VISIBLE, 0, 0,
                                 GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr,
                                 nullptr, wc.hInstance, nullptr);
    UpdateWindow(cover);
    return cover;
}

// Black at the centre between the first red frame and the first green one
// (or `watchMs` after the red one).
struct BlackWatch {
    double total = -1;
    double longest = 0;
    long reads = 0;
};

BlackWatch WatchBlack(const ScreenPixels& screen, int x, int y, double watchMs) {
    BlackWatch seen;
    const double red = WaitFor(screen, x, y, IsRed);
    if (red < 0) return seen;
    seen.total = 0;
    const double limit = red + watchMs;
    double blackSince = -1;
    double now = red;
    while (now < limit) {
        Pump();
        const COLORREF c = screen.At(x, y);
        now = NowMs();
        ++seen.reads;
        if (IsBlack(c)) {
            if (blackSince < 0) blackSince = now;
            continue;
        }
        if (blackSince >= 0) {
            seen.total += now - blackSince;
            seen.longest = std::max(seen.longest, now - blackSince);
            blackSince = -1;
        }
        if (IsGreen(c)) return seen;
    }
    if (blackSince >= 0) {
        seen.total += now - blackSince;
        seen.longest = std::max(seen.longest, now - blackSince);
    }
    return seen;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? -1 : v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const bool dialog = argc >= 5 && std::strcmp(argv[1], "dialog") == 0;
    const bool blackTime = argc >= 5 && std::strcmp(argv[1], "black") == 0;
    const bool movie = std::strcmp(argv[1], "movie") == 0;
    if (argc < 4 || (!dialog && !blackTime && !movie && std::strcmp(argv[1], "startup") != 0 &&
                     std::strcmp(argv[1], "gap") != 0)) {
        std::fprintf(stderr, "usage: pelor_screen_watch startup|gap|movie ROUNDS PROGRAM [ARGS...]\n"
                             "       pelor_screen_watch dialog ROUNDS COUNT PROGRAM [ARGS...]\n"
                             "       pelor_screen_watch black ROUNDS WATCH_MS PROGRAM [ARGS...]\n");
        return 2;
    }
    const bool startup = std::strcmp(argv[1], "startup") == 0;
    const int rounds = std::max(1, std::atoi(argv[2]));
    const LRESULT entries = dialog ? std::atoi(argv[3]) : 0;
    const double watchMs = blackTime ? std::atof(argv[3]) : 0;
    const int first = dialog || blackTime ? 4 : 3;
    std::string command = Quoted(argv[first]);
    for (int i = first + 1; i < argc; ++i) command += " " + std::string(argv[i]);
    const int cx = GetSystemMetrics(SM_CXSCREEN) / 2, cy = GetSystemMetrics(SM_CYSCREEN) / 2;

    ScreenPixels screen;
    HWND cover = startup ? WhiteCover() : nullptr;
    std::vector<double> times;
    for (int round = 0; round < rounds; ++round) {
        double took = -1;
        if (dialog) {
            const double start = NowMs();
            ChildProcess program(command);
            HWND shown = nullptr;
            while (shown == nullptr && NowMs() < start + kTimeoutMs && !program.Wait(0)) {
                Pump();
                shown = FilledDialog(entries);
            }
            if (shown != nullptr) took = NowMs() - start;
            if (shown != nullptr) PostMessageA(shown, WM_COMMAND, IDCANCEL, 0);
            const double limit = NowMs() + 10000;
            while (!program.Wait(10) && NowMs() < limit) Pump();
            if (!program.Wait(0)) program.Kill();
        } else if (startup) {
            if (WaitFor(screen, 5, 5, IsWhite) < 0) break;
            const double start = NowMs();
            ChildProcess program(command);
            const double black = WaitFor(screen, 5, 5, IsBlack);
            if (black >= 0) took = black - start;
            CloseProgram(program, 5, 5, cover);
        } else if (blackTime) {
            ChildProcess program(command);
            const BlackWatch seen = WatchBlack(screen, cx, cy, watchMs);
            CloseProgram(program, cx, cy, nullptr);
            if (seen.total < 0) {
                std::printf("round %d: nothing seen\n", round + 1);
                return 1;
            }
            std::printf("round %d: %.1f ms black, longest %.1f ms, %ld reads\n", round + 1, seen.total, seen.longest,
                        seen.reads);
            std::fflush(stdout);
            times.push_back(seen.total);
            continue;
        } else if (movie) {
            const double start = NowMs();
            ChildProcess program(command);
            const double red = WaitFor(screen, cx, cy, IsRed);
            if (red >= 0) took = red - start;
            CloseProgram(program, cx, cy, nullptr);
        } else {
            ChildProcess program(command);
            const double red = WaitFor(screen, cx, cy, IsRed);
            const double green = red < 0 ? -1 : WaitFor(screen, cx, cy, IsGreen);
            if (green >= 0) took = green - red;
            CloseProgram(program, cx, cy, nullptr);
        }
        if (took < 0) {
            std::printf("round %d: nothing seen\n", round + 1);
            return 1;
        }
        std::printf("round %d: %.1f ms\n", round + 1, took);
        std::fflush(stdout);
        times.push_back(took);
    }
    if (cover != nullptr) DestroyWindow(cover);
    std::printf("median %.1f\n", Median(times));
    return times.size() == static_cast<size_t>(rounds) ? 0 : 1;
}
