#pragma once
#include "framework/Win32.h"

#include <string>

// A password typed into a dialog control, wiped from memory when it goes.
class Secret {
public:
    // The text of control `id` of `dialog`, at most 255 characters.
    Secret(HWND dialog, int id) {
        char buffer[256] = {};
        GetDlgItemTextA(dialog, id, buffer, sizeof buffer);
        text_ = buffer;
        SecureZeroMemory(buffer, sizeof buffer);
    }
    ~Secret() { SecureZeroMemory(&text_[0], text_.size()); }
    Secret(const Secret&) = delete;
    Secret& operator=(const Secret&) = delete;

    const std::string& text() const { return text_; }

private:
    std::string text_;
};

// Empties the password controls `ids` of `dialog`.
template <size_t N>
void ClearSecrets(HWND dialog, const int (&ids)[N]) {
    for (int id : ids) SetDlgItemTextA(dialog, id, "");
}
