// pelor_dialog: the end-to-end tests' eyes on another program's dialog. It
// finds a visible top-level window by its exact caption and reads its
// controls through their own messages. Usage:
//   pelor_dialog list CAPTION ID      list box entries, "* " before selected ones
//   pelor_dialog text CAPTION ID      a control's text (ID 0: the window's own)
//   pelor_dialog texts CAPTION        every child's text, one a line
//   pelor_dialog checked CAPTION ID   0, 1 or 2
//   pelor_dialog combo CAPTION ID     the selected index, -1 for none
//   pelor_dialog slider CAPTION ID    a trackbar's position
//   pelor_dialog rect CAPTION ID      "X Y W H" on the screen (ID 0: the window)
//   pelor_dialog style CAPTION ID     the control's style, in hex
//   pelor_dialog item CAPTION ID N    "X Y W H" on the screen of list box entry N
//   pelor_dialog focus CAPTION        the id of the control with the focus
//   pelor_dialog owner CAPTION        the owner's caption
// Exit code 0 on success, 2 when there is no such window or control.
#include "framework/Win32.h"

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Search {
    const char* caption;
    HWND found;
};

BOOL CALLBACK MatchCaption(HWND wnd, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    char caption[256] = {};
    GetWindowTextA(wnd, caption, sizeof caption);
    if (IsWindowVisible(wnd) && std::string(caption) == search->caption) {
        search->found = wnd;
        return FALSE;
    }
    return TRUE;
}

HWND FindTop(const char* caption) {
    Search search{caption, nullptr};
    EnumWindows(&MatchCaption, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Another process's edit control answers GetWindowText with the text it was
// created with; WM_GETTEXT gives what it holds now, and across processes the
// text arrives intact only in the wide form.
std::string Text(HWND wnd) {
    const LRESULT length = SendMessageW(wnd, WM_GETTEXTLENGTH, 0, 0);
    std::vector<wchar_t> wide(static_cast<size_t>(length < 0 ? 0 : length) + 2, L'\0');
    SendMessageW(wnd, WM_GETTEXT, wide.size(), reinterpret_cast<LPARAM>(wide.data()));
    std::vector<char> text(wide.size() * 2 + 2, '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), -1, text.data(), static_cast<int>(text.size()), nullptr, nullptr);
    return text.data();
}

// Prints backslash-escaped newlines and tabs, so one text is one line.
void PrintLine(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += "\\n";
        else if (c == '\t') out += "\\t";
        else if (c != '\r') out += c;
    }
    std::printf("%s\n", out.c_str());
}

BOOL CALLBACK PrintChild(HWND wnd, LPARAM) {
    PrintLine(Text(wnd));
    return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: pelor_dialog list|text|texts|checked|combo|slider|rect|style|focus|owner CAPTION [ID]\n");
        return 64;
    }
    const std::string command = argv[1];
    HWND top = FindTop(argv[2]);
    if (top == nullptr) return 2;
    if (command == "texts") {
        EnumChildWindows(top, &PrintChild, 0);
        return 0;
    }
    if (command == "focus") {
        DWORD thread = GetWindowThreadProcessId(top, nullptr);
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        if (!GetGUIThreadInfo(thread, &info) || info.hwndFocus == nullptr) return 2;
        std::printf("%d\n", GetDlgCtrlID(info.hwndFocus));
        return 0;
    }
    if (command == "owner") {
        HWND owner = GetWindow(top, GW_OWNER);
        PrintLine(owner != nullptr ? Text(owner) : std::string());
        return 0;
    }
    const int id = argc > 3 ? std::atoi(argv[3]) : 0;
    HWND control = id == 0 ? top : GetDlgItem(top, id);
    if (control == nullptr) return 2;
    if (command == "list") {
        const LRESULT count = SendMessageA(control, LB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            // Across processes the text arrives intact only in the wide form.
            const LRESULT length = SendMessageW(control, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
            std::vector<wchar_t> wide(static_cast<size_t>(length < 0 ? 0 : length) + 2, L'\0');
            SendMessageW(control, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(wide.data()));
            std::vector<char> text(wide.size() * 2 + 2, '\0');
            WideCharToMultiByte(CP_ACP, 0, wide.data(), -1, text.data(), static_cast<int>(text.size()), nullptr, nullptr);
            const bool selected = SendMessageA(control, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0;
            std::printf("%s%s\n", selected ? "* " : "  ", text.data());
        }
        return 0;
    }
    if (command == "text") {
        PrintLine(Text(control));
        return 0;
    }
    if (command == "checked") {
        std::printf("%d\n", static_cast<int>(SendMessageA(control, BM_GETCHECK, 0, 0)));
        return 0;
    }
    if (command == "combo") {
        std::printf("%d\n", static_cast<int>(SendMessageA(control, CB_GETCURSEL, 0, 0)));
        return 0;
    }
    if (command == "slider") {
        std::printf("%d\n", static_cast<int>(SendMessageA(control, TBM_GETPOS, 0, 0)));
        return 0;
    }
    if (command == "rect") {
        RECT rect{};
        GetWindowRect(control, &rect);
        std::printf("%ld %ld %ld %ld\n", static_cast<long>(rect.left), static_cast<long>(rect.top),
                    static_cast<long>(rect.right - rect.left), static_cast<long>(rect.bottom - rect.top));
        return 0;
    }
    if (command == "item") {
        RECT rect{};
        const WPARAM index = argc > 4 ? static_cast<WPARAM>(std::atoi(argv[4])) : 0;
        if (SendMessageA(control, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect)) == LB_ERR) return 2;
        MapWindowPoints(control, nullptr, reinterpret_cast<POINT*>(&rect), 2);
        std::printf("%ld %ld %ld %ld\n", static_cast<long>(rect.left), static_cast<long>(rect.top),
                    static_cast<long>(rect.right - rect.left), static_cast<long>(rect.bottom - rect.top));
        return 0;
    }
    if (command == "style") {
        std::printf("%08lx\n", static_cast<unsigned long>(GetWindowLongA(control, GWL_STYLE)));
        return 0;
    }
    return 64;
}
