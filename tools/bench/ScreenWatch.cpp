// pelor_screen_watch: times what a program shows on the screen, by reading
// screen pixels in a tight loop while it starts and plays. Used by
// scripts/bench.sh for the start-up and gap benchmarks.
//   pelor_screen_watch startup ROUNDS PROGRAM [ARGS...] [-- PROGRAM [ARGS...]]
//     Covers every monitor white, starts the program and times the moment
//     the pixel 5 pixels in from the top left corner of every monitor reads
//     black; then closes the program (WM_CLOSE). With a second program after
//     "--" the two take turns, first-second then second-first, after a
//     warm-up round of each that is not counted (the first starts of a
//     program read its files from the disk); the last lines then give, for
//     each and for the per-round ratio second / first, "NAME median
//     low-quartile high-quartile least most" (NAME first, second, ratio).
//   pelor_screen_watch sync ITEMS PROGRAM [ARGS...]
//     Reads the centres of the first two monitors one after the other in a
//     tight loop and times, on each, the first frame of each of the first
//     ITEMS items (a change to red or to green, the fixture clips of hue 0
//     and 1 following one another); prints both times of each item and
//     their difference, then "sync median-difference largest-difference
//     reads-per-ms". Exits 3, saying so, when there is one monitor or when
//     the second shows no movie while the first shows its items.
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
//   pelor_screen_watch lit MS
//     Reads the centre of every monitor for MS milliseconds, starting
//     nothing, and prints "lit" and, for each monitor, the primary's first,
//     the percentage of reads that were not black.
// The other modes print one line per round and a last line "median <ms>".
// Exits 1 when a round saw nothing within 20 s.
#include "framework/Win32.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tools/bench/Spread.h"
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

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(monitor, &info)) return TRUE;
    auto& rects = *reinterpret_cast<std::vector<RECT>*>(data);
    if (info.dwFlags & MONITORINFOF_PRIMARY) {
        rects.insert(rects.begin(), info.rcMonitor);
    } else {
        rects.push_back(info.rcMonitor);
    }
    return TRUE;
}

// The monitors' rectangles, the primary's first.
std::vector<RECT> Monitors() {
    std::vector<RECT> rects;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&rects));
    if (rects.empty()) rects.push_back(RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
    return rects;
}

HWND WhiteCover() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = "PelorWhiteCover";
    RegisterClassA(&wc);
    RECT all{0, 0, 0, 0};
    for (const RECT& monitor : Monitors()) UnionRect(&all, &all, &monitor);
    HWND cover = CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "WhiteCover", WS_POPUP | WS_VISIBLE, all.left,
                                 all.top, all.right - all.left, all.bottom - all.top, nullptr, nullptr,
                                 wc.hInstance, nullptr);
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

// One start of `command` over the white cover: the time from the start to
// every point reading black, or -1.
double StartToBlack(const ScreenPixels& screen, const std::vector<POINT>& points, const std::string& command,
                    HWND cover) {
    for (const POINT& p : points) {
        if (WaitFor(screen, p.x, p.y, IsWhite) < 0) return -1;
    }
    const double start = NowMs();
    ChildProcess program(command);
    double black = -1;
    for (const POINT& p : points) {
        black = WaitFor(screen, p.x, p.y, IsBlack);
        if (black < 0) break;
    }
    CloseProgram(program, points.front().x, points.front().y, cover);
    return black < 0 ? -1 : black - start;
}

void PrintSpread(const char* name, const std::vector<double>& values) {
    const Spread s(values);
    std::printf("%s %.3f %.3f %.3f %.3f %.3f\n", name, s.median, s.lowQuartile, s.highQuartile, s.least, s.most);
}

// The start-up of two programs in turn; 0, or 1 when a start showed nothing.
int StartupInTurn(int rounds, const std::string& first, const std::string& second) {
    ScreenPixels screen;
    std::vector<POINT> corners;
    for (const RECT& monitor : Monitors()) corners.push_back(POINT{monitor.left + 5, monitor.top + 5});
    HWND cover = WhiteCover();
    std::vector<double> firsts, seconds, ratios;
    int result = 0;
    for (int round = 0; round <= rounds && result == 0; ++round) {
        // Taking them in both orders keeps a drift of the machine's load
        // from favouring either.
        const bool secondFirst = round % 2 == 0;
        double a = -1, b = -1;
        if (secondFirst) b = StartToBlack(screen, corners, second, cover);
        a = StartToBlack(screen, corners, first, cover);
        if (!secondFirst) b = StartToBlack(screen, corners, second, cover);
        if (a < 0 || b < 0) {
            std::printf("round %d: nothing seen\n", round);
            result = 1;
        } else if (round == 0) {
            std::printf("warm-up: %.1f ms, %.1f ms\n", a, b);
        } else {
            std::printf("round %d: %.1f ms, %.1f ms, ratio %.3f\n", round, a, b, b / a);
            firsts.push_back(a);
            seconds.push_back(b);
            ratios.push_back(b / a);
        }
        std::fflush(stdout);
    }
    DestroyWindow(cover);
    PrintSpread("first", firsts);
    PrintSpread("second", seconds);
    PrintSpread("ratio", ratios);
    return result;
}

// The first frames of each item on two monitors; 0, 1 when the first
// monitor showed nothing, 3 when there is nothing to compare.
int WatchSync(int items, const std::string& command) {
    const std::vector<RECT> monitors = Monitors();
    if (monitors.size() < 2) {
        std::printf("one monitor: nothing to compare\n");
        return 3;
    }
    struct Side {
        POINT centre;
        int hue = -1;  // the last coloured frame's: 0 red, 1 green
        std::vector<int> hues;
        std::vector<double> firsts;
    } sides[2];
    for (int k = 0; k < 2; ++k) {
        const RECT& m = monitors[static_cast<size_t>(k)];
        sides[k].centre = POINT{(m.left + m.right) / 2, (m.top + m.bottom) / 2};
    }
    const auto need = static_cast<size_t>(items);
    ScreenPixels screen;
    const double start = NowMs();
    ChildProcess program(command);
    const double limit = start + static_cast<double>(kTimeoutMs) * items;
    long reads = 0;
    double now = start;
    while (now < limit && (sides[0].firsts.size() < need || sides[1].firsts.size() < need)) {
        Pump();
        for (Side& side : sides) {
            const COLORREF c = screen.At(side.centre.x, side.centre.y);
            now = NowMs();
            const int hue = IsRed(c) ? 0 : IsGreen(c) ? 1 : -1;
            if (hue < 0 || hue == side.hue) continue;
            side.hue = hue;
            if (side.firsts.size() < need) {
                side.hues.push_back(hue);
                side.firsts.push_back(now - start);
            }
        }
        ++reads;
        // The second monitor still black 3 s after the first showed its
        // items is not going to play.
        if (sides[0].firsts.size() == need && sides[1].firsts.empty() && now > start + sides[0].firsts.back() + 3000) {
            break;
        }
    }
    CloseProgram(program, sides[0].centre.x, sides[0].centre.y, nullptr);
    if (sides[0].firsts.empty()) {
        std::printf("the first monitor showed no movie\n");
        return 1;
    }
    if (sides[1].firsts.empty()) {
        std::printf("the second monitor showed no movie while the first showed %zu items\n", sides[0].firsts.size());
        return 3;
    }
    std::vector<double> differences;
    double largest = 0;
    const size_t both = std::min(sides[0].firsts.size(), sides[1].firsts.size());
    for (size_t i = 0; i < both; ++i) {
        const double d = sides[1].firsts[i] - sides[0].firsts[i];
        std::printf("item %zu: first monitor %s at %.1f ms, second %s at %.1f ms, difference %+.1f ms\n", i + 1,
                    sides[0].hues[i] == 0 ? "red" : "green", sides[0].firsts[i],
                    sides[1].hues[i] == 0 ? "red" : "green", sides[1].firsts[i], d);
        differences.push_back(d);
        largest = std::max(largest, d < 0 ? -d : d);
    }
    std::printf("sync %.1f %.1f %.3f\n", Spread(differences).median, largest, static_cast<double>(reads) / (now - start));
    return both == need ? 0 : 1;
}

// The share of reads not black at each monitor's centre over `ms`.
int WatchLit(double ms) {
    ScreenPixels screen;
    std::vector<POINT> centres;
    for (const RECT& m : Monitors()) centres.push_back(POINT{(m.left + m.right) / 2, (m.top + m.bottom) / 2});
    std::vector<long> lit(centres.size(), 0);
    long reads = 0;
    const double limit = NowMs() + ms;
    while (NowMs() < limit) {
        Pump();
        for (size_t k = 0; k < centres.size(); ++k) {
            if (!IsBlack(screen.At(centres[k].x, centres[k].y))) ++lit[k];
        }
        ++reads;
    }
    std::printf("lit");
    for (long count : lit) std::printf(" %.1f", reads > 0 ? 100.0 * static_cast<double>(count) / static_cast<double>(reads) : 0.0);
    std::printf("\n");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const bool dialog = argc >= 5 && std::strcmp(argv[1], "dialog") == 0;
    const bool blackTime = argc >= 5 && std::strcmp(argv[1], "black") == 0;
    const bool movie = argc >= 2 && std::strcmp(argv[1], "movie") == 0;
    if (argc == 3 && std::strcmp(argv[1], "lit") == 0) return WatchLit(std::atof(argv[2]));
    if (argc >= 4 && std::strcmp(argv[1], "sync") == 0) {
        std::string command = Quoted(argv[3]);
        for (int i = 4; i < argc; ++i) command += " " + std::string(argv[i]);
        return WatchSync(std::max(1, std::atoi(argv[2])), command);
    }
    if (argc < 4 || (!dialog && !blackTime && !movie && std::strcmp(argv[1], "startup") != 0 &&
                     std::strcmp(argv[1], "gap") != 0)) {
        std::fprintf(stderr, "usage: pelor_screen_watch startup|gap|movie ROUNDS PROGRAM [ARGS...]\n"
                             "       pelor_screen_watch startup ROUNDS PROGRAM [ARGS...] -- PROGRAM [ARGS...]\n"
                             "       pelor_screen_watch sync ITEMS PROGRAM [ARGS...]\n"
                             "       pelor_screen_watch lit MS\n"
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
    int next = first + 1;
    for (; next < argc && std::strcmp(argv[next], "--") != 0; ++next) command += " " + std::string(argv[next]);
    if (startup && next + 1 < argc) {
        std::string second = Quoted(argv[next + 1]);
        for (int i = next + 2; i < argc; ++i) second += " " + std::string(argv[i]);
        return StartupInTurn(rounds, command, second);
    }
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
            std::vector<POINT> corners;
            for (const RECT& monitor : Monitors()) corners.push_back(POINT{monitor.left + 5, monitor.top + 5});
            took = StartToBlack(screen, corners, command, cover);
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
