#include "saver/dialogs/FolderDialog.h"

#include <shlobj.h>

#include "framework/LateBound.h"

namespace {

// Selects the start folder once the browser is up. A browser may answer the
// selection with 0 although the folder is there (Wine's does now and then: it
// matches the path against entries it reads while it expands the tree), and
// asking again finds it.
int CALLBACK OnBrowseEvent(HWND browser, UINT message, LPARAM, LPARAM start) {
    if (message != BFFM_INITIALIZED || start == 0) return 0;
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, start) != 0) break;
    }
    return 0;
}

// Gives an item list back to the shell's allocator, which made it.
class ShellItemList {
public:
    explicit ShellItemList(LPITEMIDLIST list) : list_(list) {}
    ~ShellItemList() {
        static auto* getMalloc = LateBound<decltype(SHGetMalloc)>("shell32.dll", "SHGetMalloc");
        IMalloc* allocator = nullptr;
        if (list_ != nullptr && getMalloc != nullptr && SUCCEEDED(getMalloc(&allocator)) && allocator != nullptr) {
            allocator->Free(list_);
            allocator->Release();
        }
    }
    ShellItemList(const ShellItemList&) = delete;
    ShellItemList& operator=(const ShellItemList&) = delete;
    LPITEMIDLIST get() const { return list_; }

private:
    LPITEMIDLIST list_;
};

}  // namespace

bool ChooseFolder(HWND owner, const std::string& start, std::string& path) {
    static auto* browse = LateBound<decltype(SHBrowseForFolderA)>("shell32.dll", "SHBrowseForFolderA");
    static auto* pathOf = LateBound<decltype(SHGetPathFromIDListA)>("shell32.dll", "SHGetPathFromIDListA");
    if (browse == nullptr || pathOf == nullptr) return false;
    char name[MAX_PATH] = "";
    BROWSEINFOA request{};
    request.hwndOwner = owner;
    request.pszDisplayName = name;
    request.ulFlags = BIF_RETURNONLYFSDIRS;
    request.lpfn = OnBrowseEvent;
    request.lParam = start.empty() ? 0 : reinterpret_cast<LPARAM>(start.c_str());
    const ShellItemList chosen(browse(&request));
    if (chosen.get() == nullptr) return false;
    char folder[MAX_PATH] = "";
    if (!pathOf(chosen.get(), folder) || folder[0] == '\0') return false;
    path = folder;
    return true;
}

std::string BrowseStartFor(const std::string& file) {
    const DWORD attributes = GetFileAttributesA(file.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return file;
    const size_t slash = file.rfind('\\');
    return slash == std::string::npos ? "" : file.substr(0, slash);
}
