#include "saver/dialogs/DialogInit.h"

namespace {

uint32_t Read(const uint8_t* p, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | p[i];
    return v;
}

}  // namespace

std::vector<DialogInitEntry> ParseDialogInit(const uint8_t* data, size_t size) {
    std::vector<DialogInitEntry> entries;
    size_t at = 0;
    constexpr size_t kHead = 8;
    while (data != nullptr && size - at >= 2) {
        const auto control = static_cast<uint16_t>(Read(data + at, 2));
        if (control == 0 || size - at < kHead) break;
        const auto message = static_cast<uint16_t>(Read(data + at + 2, 2));
        const uint32_t length = Read(data + at + 4, 4);
        at += kHead;
        if (length > size - at) break;
        const char* text = reinterpret_cast<const char*>(data + at);
        size_t textLength = 0;
        while (textLength < length && text[textLength] != '\0') ++textLength;
        at += length;
        uint16_t add = 0;
        if (message == kStoredComboAddString) add = kComboAddString;
        if (message == kStoredListAddString) add = kListAddString;
        if (add == 0) continue;
        entries.push_back({control, add, std::string(text, textLength)});
    }
    return entries;
}
