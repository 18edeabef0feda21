// pelor_bare_list [COUNT]: the least a program does to show the stored
// playlist in a dialog, the benchmark's yardstick for configure mode. It
// reads the values the settings window reads, raw: the user's "Config" key
// opened once, "NumAVI", the ten global values and the fourteen values of
// every item, each with one RegQueryValueExA. Then a dialog captioned
// "Pelorama", built in memory, fills list box 1008 in WM_INITDIALOG with the
// items' files, redraw off. With COUNT, and nothing stored, it shows
// "C:\m\clipN.avi" for N from 0 instead.
#include "framework/Win32.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::vector<std::string> g_files;

const char* const kGlobals[] = {"Mute", "Scale", "Titles", "Random", "Delay", "DelayMinutes", "Power",
                                "PowerMinutes", "BounceSpeed", "Letterbox"};
// The fourteen values of an item in the order the saver reads them; true for
// a text.
const struct {
    const char* suffix;
    bool text;
} kItemValues[] = {{"File", true},    {"Loops", false},      {"TitleMovie", false}, {"TitleBefore", false},
                   {"LoopInfinite", false}, {"Mute", false}, {"Scale", false},      {"MCI", true},
                   {"Title", true},   {"Align", false},      {"Bounce", false},     {"FontWeight", false},
                   {"FontItalic", false}, {"FontFace", true}};

// Reads every stored value; the files of the items go to g_files.
void ReadStored() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Tolvane Arts\\PELOR\\Config", 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return;
    }
    DWORD number = 0;
    DWORD size = sizeof number;
    DWORD count = 0;
    if (RegQueryValueExA(key, "NumAVI", nullptr, nullptr, reinterpret_cast<BYTE*>(&count), &size) != ERROR_SUCCESS) {
        count = 0;
    }
    for (const char* name : kGlobals) {
        size = sizeof number;
        RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&number), &size);
    }
    char text[MAX_PATH];
    for (DWORD i = 0; i < count; ++i) {
        for (const auto& value : kItemValues) {
            const std::string name = "AVI" + std::to_string(i) + "." + value.suffix;
            // A number into a number, a text into a path's room.
            BYTE* data = value.text ? reinterpret_cast<BYTE*>(text) : reinterpret_cast<BYTE*>(&number);
            size = value.text ? sizeof text : sizeof number;
            if (RegQueryValueExA(key, name.c_str(), nullptr, nullptr, data, &size) != ERROR_SUCCESS) size = 0;
            if (&value == &kItemValues[0]) g_files.emplace_back(text, size > 0 ? size - 1 : 0);
        }
    }
    RegCloseKey(key);
}

INT_PTR CALLBACK Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        HWND list = GetDlgItem(dialog, 1008);
        SendMessageA(list, WM_SETREDRAW, FALSE, 0);
        for (const std::string& file : g_files) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(file.c_str()));
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
    ReadStored();
    const int count = __argc > 1 ? std::atoi(__argv[1]) : 0;
    const bool stored = !g_files.empty();
    for (int i = 0; !stored && i < count; ++i) g_files.push_back("C:\\m\\clip" + std::to_string(i) + ".avi");
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
