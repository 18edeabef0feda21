#include "saver/dialogs/FileDialogs.h"

#include <commdlg.h>
#include <shellapi.h>

#include "framework/LateBound.h"

#include <type_traits>

// The calling convention travels with the looked-up function's type (on the
// 32-bit build, stdcall).
static_assert(std::is_same<decltype(LateBound<decltype(GetOpenFileNameA)>("", "")),
                           BOOL(WINAPI*)(LPOPENFILENAMEA)>::value,
              "a looked-up function keeps its calling convention");

namespace {

// "a|b||" becomes "a\0b\0\0".
std::string SystemFilter(const char* filter) {
    std::string text = filter != nullptr ? filter : "";
    for (char& c : text) {
        if (c == '|') c = '\0';
    }
    text.push_back('\0');
    return text;
}

OPENFILENAMEA Request(HWND owner, const std::string& filter, std::vector<char>& buffer, DWORD flags) {
    OPENFILENAMEA request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = owner;
    request.lpstrFilter = filter.c_str();
    request.nFilterIndex = 1;
    request.lpstrFile = buffer.data();
    request.nMaxFile = static_cast<DWORD>(buffer.size());
    // The explorer-style dialog reports several names separated by zeros.
    request.Flags = flags | OFN_EXPLORER;
    return request;
}

}  // namespace

bool ChooseFilesToOpen(HWND owner, const char* filter, DWORD flags, size_t bufferChars,
                       std::vector<std::string>& paths) {
    paths.clear();
    const std::string systemFilter = SystemFilter(filter);
    std::vector<char> buffer(bufferChars + 1, '\0');
    OPENFILENAMEA request = Request(owner, systemFilter, buffer, flags);
    static auto* openDialog = LateBound<decltype(GetOpenFileNameA)>("comdlg32.dll", "GetOpenFileNameA");
    if (openDialog == nullptr || !openDialog(&request)) return false;
    const char* first = buffer.data();
    const std::string head = first;
    const char* next = first + head.size() + 1;
    if ((flags & OFN_ALLOWMULTISELECT) == 0 || *next == '\0') {
        // One name: the buffer holds its full path.
        paths.push_back(head);
        return true;
    }
    // Several: the folder, then each name in it.
    const std::string folder = head.empty() || head.back() == '\\' ? head : head + "\\";
    while (*next != '\0' && next < buffer.data() + buffer.size()) {
        const std::string name = next;
        paths.push_back(folder + name);
        next += name.size() + 1;
    }
    return true;
}

bool ChooseFileToSave(HWND owner, const char* filter, const char* defaultExtension, DWORD flags,
                      std::string& path) {
    const std::string systemFilter = SystemFilter(filter);
    std::vector<char> buffer(MAX_PATH + 1, '\0');
    OPENFILENAMEA request = Request(owner, systemFilter, buffer, flags);
    request.lpstrDefExt = defaultExtension;
    static auto* saveDialog = LateBound<decltype(GetSaveFileNameA)>("comdlg32.dll", "GetSaveFileNameA");
    if (saveDialog == nullptr || !saveDialog(&request)) return false;
    path = buffer.data();
    return true;
}

std::vector<std::string> DroppedNames(HDROP drop) {
    std::vector<std::string> names;
    static auto* queryFile = LateBound<decltype(DragQueryFileA)>("shell32.dll", "DragQueryFileA");
    if (queryFile == nullptr) return names;
    const UINT count = queryFile(drop, 0xFFFFFFFF, nullptr, 0);
    std::vector<char> buffer;
    for (UINT i = 0; i < count; ++i) {
        // The length first, so that no name is cut into another one.
        const UINT length = queryFile(drop, i, nullptr, 0);
        buffer.assign(length + 1, '\0');
        const UINT copied = queryFile(drop, i, buffer.data(), length + 1);
        names.emplace_back(buffer.data(), copied < length ? copied : length);
    }
    return names;
}

void AcceptDroppedFiles(HWND window) {
    // All DragAcceptFiles does is set this style, and the shell library it
    // lives in costs the settings window's start tens of milliseconds to
    // load before a single file has been dropped.
    const LONG style = GetWindowLongA(window, GWL_EXSTYLE);
    if ((style & WS_EX_ACCEPTFILES) == 0) SetWindowLongA(window, GWL_EXSTYLE, style | WS_EX_ACCEPTFILES);
}

void FinishDrop(HDROP drop) {
    static auto* finish = LateBound<decltype(DragFinish)>("shell32.dll", "DragFinish");
    if (finish != nullptr) finish(drop);
}
