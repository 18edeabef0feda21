// Times Up with every other entry of 5,000 selected in the configuration
// dialog's real list box against one RefillPlaylistBox of the same 5,000
// entries, and prints the ratio (goal: at most 2).
#include "framework/Win32.h"

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "saver/dialogs/ListBoxView.h"
#include "saver/dialogs/PlaylistEditor.h"
#include "saver/resources/resource.h"
#include "saver/settings/SaverSettings.h"
#include "tests/support/MemoryProfileStore.h"
#include "tests/win/bench/BenchSupport.h"

namespace {

constexpr uint32_t kEntries = 5000;
constexpr int kRounds = 5;

INT_PTR CALLBACK PlainProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

}  // namespace

int main() {
    HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_CONFIG), nullptr, &PlainProc, 0);
    if (dialog == nullptr) {
        std::printf("template 102 could not be made\n");
        return 1;
    }
    ShowWindow(dialog, SW_SHOW);
    MemoryProfileStore store;
    SaverSettings settings(store, nullptr);
    AddClips(settings, kEntries);
    ListBoxView view;
    view.Attach(GetDlgItem(dialog, IDC_PLAYLIST));
    PlaylistEditor editor(settings, view);
    editor.RefillPlaylistBox();
    Pump();

    double refill = 1e9, move = 1e9;
    for (int round = 0; round < kRounds; ++round) {
        auto start = std::chrono::steady_clock::now();
        editor.RefillPlaylistBox();
        UpdateWindow(dialog);
        refill = std::min(refill, Seconds(std::chrono::steady_clock::now() - start));
        Pump();

        for (uint32_t i = 1; i < kEntries; i += 2) view.SelectEntry(i);
        Pump();
        start = std::chrono::steady_clock::now();
        editor.MoveSelection(-1);
        UpdateWindow(dialog);
        move = std::min(move, Seconds(std::chrono::steady_clock::now() - start));
        Pump();
        if (view.SelectedEntries().size() != kEntries / 2 || view.EntryText(0) != (round % 2 == 0 ? "C:\\movies\\clip1.avi" : "C:\\movies\\clip0.avi") ||
            view.EntryText(kEntries - 1) != settings.GetItem(kEntries - 1)->File) {
            std::printf("the move went wrong\n");
            return 1;
        }
    }
    std::printf("refill of %u entries: %.1f ms\n", kEntries, refill * 1000);
    std::printf("up with every other of %u selected: %.1f ms\n", kEntries, move * 1000);
    std::printf("ratio %.2f (goal <= 2)\n", move / refill);
    DestroyWindow(dialog);
    return 0;
}
