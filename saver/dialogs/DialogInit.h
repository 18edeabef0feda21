#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The strings a dialog template gives its combo and list boxes, kept beside
// the template as a resource of type 240: for each string a 16-bit control
// id, a 16-bit add-string code (the old 16-bit message numbers, 0x0403 for
// a combo box, 0x0401 for a list box), a 32-bit length and that many bytes
// (the text and its terminating zero), until a control id of 0.
constexpr uint16_t kDialogInitResourceType = 240;
constexpr uint16_t kStoredComboAddString = 0x0403;
constexpr uint16_t kStoredListAddString = 0x0401;
// The messages they stand for today.
constexpr uint16_t kComboAddString = 0x0143;  // CB_ADDSTRING
constexpr uint16_t kListAddString = 0x0180;   // LB_ADDSTRING

struct DialogInitEntry {
    uint16_t control = 0;
    uint16_t message = 0;  // kComboAddString or kListAddString
    std::string text;
};

// The entries of such a resource, in order. Reading stops at a control id
// of 0, at the end of the data, and before an entry that would run past the
// end; entries with another code are skipped.
std::vector<DialogInitEntry> ParseDialogInit(const uint8_t* data, size_t size);
