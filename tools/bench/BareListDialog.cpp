// pelor_bare_list COUNT: the least a program does to show a dialog with a
// list box of COUNT strings, the benchmark's yardstick for configure mode:
// a dialog captioned "Pelorama" built in memory, with list box 1008 filled
// in WM_INITDIALOG with "C:\m\clipN.avi" for N from 0, redraw off.
#include "framework/Win32.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace {

int g_count = 0;

INT_PTR CALLBACK Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        HWND list = GetDlgItem(dialog, 1008);
        SendMessageA(list, WM_SETREDRAW, FALSE, 0);
        for (int i = 0; i < g_count; ++i) {
            const std::string text = "C:\\m\\clip" + std::to_string(i) + ".avi";
            SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        }
        SendMessageA(list, WM_SETREDRAW, TRUE, 0);
        return TRUE;
    }
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

// Appends a word-aligned UTF-16 text to a template.
void Text(std::vector<WORD>& t, const wchar_t* text) {
    do t.push_back(static_cast<WORD>(*text)); while (*text++ != 0);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    g_count = __argc > 1 ? std::atoi(__argv[1]) : 1000;
    std::vector<WORD> t;
    auto dword = [&](DWORD v) {
        t.push_back(LOWORD(v));
        t.push_back(HIWORD(v));
    };
    dword(DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE);
    dword(0);
    t.push_back(1);  // one control
    t.push_back(0); t.push_back(0); t.push_back(270); t.push_back(218);
    t.push_back(0);  // no menu
    t.push_back(0);  // the dialog class
    Text(t, L"Pelorama");
    t.push_back(8);
    Text(t, L"MS Sans Serif");
    if (t.size() % 2) t.push_back(0);  // DWORD alignment of the item
    dword(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_EXTENDEDSEL | LBS_NOINTEGRALHEIGHT);
    dword(0);
    t.push_back(5); t.push_back(16); t.push_back(202); t.push_back(90);
    t.push_back(1008);
    t.push_back(0xFFFF); t.push_back(0x0083);  // the list box class
    t.push_back(0);  // no text
    t.push_back(0);  // no creation data
    DialogBoxIndirectParamA(instance, reinterpret_cast<LPCDLGTEMPLATEA>(t.data()), nullptr, &Proc, 0);
    return 0;
}
