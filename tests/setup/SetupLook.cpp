// pelor_setup_look: the setup end-to-end tests' eyes inside Wine. It reads a
// dialog box of another process from its controls, so the tests check the
// texts, icon and buttons the user sees. Usage:
//   pelor_setup_look box CAPTION [CONTAINING] [SECONDS]
//     waits for a visible, enabled dialog with CAPTION whose static texts
//     hold CONTAINING and prints one line per part:
//       window HWND | text TEXT | icon NAME | button ID LABEL X Y | edit ID LENGTH
//     X Y is the button's centre on the screen, for a real click.
//   pelor_setup_look edit CAPTION ID      the text of edit control ID
//   pelor_setup_look count CAPTION        how many visible dialogs have CAPTION
// Exit code 0, or 2 when there is no such dialog.
#include "framework/Win32.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string TextOf(HWND wnd) {
    // WM_GETTEXT crosses processes; GetWindowText does not for controls.
    const LRESULT length = SendMessageA(wnd, WM_GETTEXTLENGTH, 0, 0);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    SendMessageA(wnd, WM_GETTEXT, static_cast<WPARAM>(length + 1), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<size_t>(length));
    return text;
}

std::string ClassOf(HWND wnd) {
    char name[64] = {};
    GetClassNameA(wnd, name, sizeof name);
    return name;
}

std::vector<HWND> Children(HWND dialog) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    return children;
}

std::string Statics(HWND dialog) {
    std::string all;
    for (HWND child : Children(dialog)) {
        if (lstrcmpiA(ClassOf(child).c_str(), "Static") == 0) all += TextOf(child) + "\n";
    }
    return all;
}

struct Search {
    std::string caption;
    std::string containing;
    std::vector<HWND> found;
};

BOOL CALLBACK Match(HWND wnd, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    if (ClassOf(wnd) == "#32770" && IsWindowVisible(wnd) && IsWindowEnabled(wnd) &&
        TextOf(wnd) == search->caption && Statics(wnd).find(search->containing) != std::string::npos) {
        search->found.push_back(wnd);
    }
    return TRUE;
}

std::vector<HWND> Find(const std::string& caption, const std::string& containing) {
    Search search{caption, containing, {}};
    EnumWindows(&Match, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitFor(const std::string& caption, const std::string& containing, int seconds) {
    for (int i = 0; i < seconds * 20; ++i) {
        const std::vector<HWND> found = Find(caption, containing);
        if (!found.empty()) return found.front();
        Sleep(50);
    }
    return nullptr;
}

// The 32 x 32 pixels of `draw` on a background of `background`.
template <class Draw>
std::vector<COLORREF> Pixels(COLORREF background, Draw draw) {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 32, 32);
    HGDIOBJ old = SelectObject(memory, bitmap);
    HBRUSH brush = CreateSolidBrush(background);
    RECT all{0, 0, 32, 32};
    FillRect(memory, &all, brush);
    DeleteObject(brush);
    draw(memory, screen);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) pixels.push_back(GetPixel(memory, x, y));
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// Which system icon the box shows. Another process's icon handle cannot be
// read here, so the pixels on the screen are compared with each system
// icon drawn by this process, where that icon is opaque.
const char* IconName(HWND iconControl) {
    RECT box{};
    GetWindowRect(iconControl, &box);
    const std::vector<COLORREF> shown = Pixels(RGB(0, 0, 0), [&](HDC memory, HDC screen) {
        BitBlt(memory, 0, 0, 32, 32, screen, box.left, box.top, SRCCOPY);
    });
    struct Known {
        LPCSTR id;
        const char* name;
    };
    const Known known[] = {{IDI_QUESTION, "question"},
                           {IDI_EXCLAMATION, "exclamation"},
                           {IDI_INFORMATION, "information"},
                           {IDI_HAND, "hand"}};
    for (const Known& k : known) {
        HICON icon = LoadIconA(nullptr, k.id);
        auto draw = [icon](HDC memory, HDC) { DrawIcon(memory, 0, 0, icon); };
        const std::vector<COLORREF> onBlack = Pixels(RGB(0, 0, 0), draw);
        const std::vector<COLORREF> onWhite = Pixels(RGB(255, 255, 255), draw);
        size_t opaque = 0, same = 0;
        for (size_t i = 0; i < shown.size(); ++i) {
            if (onBlack[i] != onWhite[i]) continue;
            ++opaque;
            if (onBlack[i] == shown[i]) ++same;
        }
        if (opaque > 100 && same * 100 >= opaque * 95) return k.name;
    }
    return "other";
}

void Describe(HWND dialog) {
    // Let the box finish laying itself out before reading positions.
    Sleep(200);
    std::printf("window %llu\n", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(dialog)));
    for (HWND child : Children(dialog)) {
        const std::string cls = ClassOf(child);
        const LONG style = GetWindowLongA(child, GWL_STYLE);
        const int id = GetDlgCtrlID(child);
        if (lstrcmpiA(cls.c_str(), "Static") == 0) {
            if ((style & SS_TYPEMASK) == SS_ICON) {
                std::printf("icon %s\n", IconName(child));
            } else {
                std::string text = TextOf(child);
                for (char& c : text) if (c == '\n' || c == '\r') c = ' ';
                std::printf("text %s\n", text.c_str());
            }
        } else if (lstrcmpiA(cls.c_str(), "Button") == 0 && IsWindowVisible(child)) {
            RECT box{};
            GetWindowRect(child, &box);
            std::printf("button %d %s %ld %ld\n", id, TextOf(child).c_str(), (box.left + box.right) / 2,
                        (box.top + box.bottom) / 2);
        } else if (lstrcmpiA(cls.c_str(), "Edit") == 0) {
            std::printf("edit %d %u\n", id, static_cast<unsigned>(TextOf(child).size()));
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "box" && argc >= 3) {
        const int seconds = argc >= 5 ? std::atoi(argv[4]) : 20;
        HWND dialog = WaitFor(argv[2], argc >= 4 ? argv[3] : "", seconds);
        if (dialog == nullptr) return 2;
        Describe(dialog);
        return 0;
    }
    if (command == "edit" && argc == 4) {
        HWND dialog = WaitFor(argv[2], "", 20);
        if (dialog == nullptr) return 2;
        const std::string text = TextOf(GetDlgItem(dialog, std::atoi(argv[3])));
        _setmode(_fileno(stdout), _O_BINARY);  // the text exactly, CR LF and all
        std::fwrite(text.data(), 1, text.size(), stdout);
        return 0;
    }
    if (command == "count" && argc == 3) {
        std::printf("%u\n", static_cast<unsigned>(Find(argv[2], "").size()));
        return 0;
    }
    std::fprintf(stderr, "usage: pelor_setup_look box CAPTION [CONTAINING] [SECONDS] | edit CAPTION ID | count CAPTION\n");
    return 64;
}
