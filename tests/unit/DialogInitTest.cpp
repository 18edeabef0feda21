#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "saver/dialogs/DialogInit.h"

namespace {

void Put(std::vector<uint8_t>& out, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void Entry(std::vector<uint8_t>& out, uint16_t control, uint16_t code, const std::string& text,
           uint32_t length) {
    Put(out, control, 2);
    Put(out, code, 2);
    Put(out, length, 4);
    out.insert(out.end(), text.begin(), text.end());
}

TEST(DialogInit, ReadsEntriesInOrderUntilControlZero) {
    std::vector<uint8_t> data;
    Entry(data, 1003, 0x0403, std::string("Original size", 14), 14);  // odd length: unaligned next
    Entry(data, 1008, 0x0401, std::string("list\0", 5), 5);
    Entry(data, 1003, 0x1234, std::string("other\0", 6), 6);  // not an add-string: skipped
    Entry(data, 1039, 0x0403, std::string("Auto Detect\0", 12), 12);
    Put(data, 0, 2);
    Entry(data, 1039, 0x0403, std::string("after the end\0", 14), 14);
    const auto entries = ParseDialogInit(data.data(), data.size());
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].control, 1003);
    EXPECT_EQ(entries[0].message, kComboAddString);
    EXPECT_EQ(entries[0].text, "Original size");
    EXPECT_EQ(entries[1].message, kListAddString);
    EXPECT_EQ(entries[1].text, "list");
    EXPECT_EQ(entries[2].control, 1039);
    EXPECT_EQ(entries[2].text, "Auto Detect");
}

TEST(DialogInit, DamagedDataStopsWithoutReadingPastTheEnd) {
    std::vector<uint8_t> data;
    Entry(data, 1003, 0x0403, std::string("kept\0", 5), 5);
    Entry(data, 1003, 0x0403, std::string("cut", 3), 4000000000u);  // promises far more
    EXPECT_EQ(ParseDialogInit(data.data(), data.size()).size(), 1u);
    // A text without its zero keeps the bytes it has; a head cut short ends it.
    std::vector<uint8_t> unended;
    Entry(unended, 1003, 0x0403, "abc", 3);
    Put(unended, 1003, 2);
    Put(unended, 0x0403, 2);
    const auto entries = ParseDialogInit(unended.data(), unended.size());
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].text, "abc");
    EXPECT_TRUE(ParseDialogInit(nullptr, 0).empty());
    EXPECT_TRUE(ParseDialogInit(data.data(), 1).empty());
}

}  // namespace
