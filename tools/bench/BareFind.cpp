// pelor_bare_find FOLDER ROUNDS: the least that listing a folder takes, a
// bare FindFirstFileA/FindNextFileA loop over its names, timed ROUNDS times.
// Prints one line per round ("round N: <ms> ms, <names> names") and a last
// line "median <ms>". The yardstick of the folder-entry benchmark.
#include "framework/Win32.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: pelor_bare_find FOLDER ROUNDS\n");
        return 2;
    }
    const std::string pattern = std::string(argv[1]) + "\\*";
    const int rounds = std::max(1, std::atoi(argv[2]));
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> times;
    for (int round = 0; round < rounds; ++round) {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        WIN32_FIND_DATAA found;
        long names = 0;
        const HANDLE search = FindFirstFileA(pattern.c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return 1;
        do {
            ++names;
        } while (FindNextFileA(search, &found));
        FindClose(search);
        QueryPerformanceCounter(&end);
        const double ms = static_cast<double>(end.QuadPart - start.QuadPart) * 1000.0 /
                          static_cast<double>(frequency.QuadPart);
        std::printf("round %d: %.1f ms, %ld names\n", round + 1, ms, names);
        times.push_back(ms);
    }
    std::sort(times.begin(), times.end());
    std::printf("median %.1f\n", times[times.size() / 2]);
    return 0;
}
