#include "saver/dialogs/ListBoxView.h"

namespace {
// The room LB_INITSTORAGE reserves per entry: about one path.
constexpr WPARAM kBytesPerEntry = 64;
}  // namespace

uint32_t ListBoxView::EntryCount() const {
    const LRESULT count = Send(LB_GETCOUNT);
    return count < 0 ? 0 : static_cast<uint32_t>(count);
}

std::string ListBoxView::EntryText(uint32_t i) const {
    const LRESULT length = Send(LB_GETTEXTLEN, i);
    if (length < 0) return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const LRESULT copied = Send(LB_GETTEXT, i, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(copied < 0 ? 0 : static_cast<size_t>(copied));
    return text;
}

std::vector<uint32_t> ListBoxView::SelectedEntries() const {
    const LRESULT count = Send(LB_GETSELCOUNT);
    if (count <= 0) return {};
    std::vector<int> indexes(static_cast<size_t>(count));
    const LRESULT got = Send(LB_GETSELITEMS, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(indexes.data()));
    std::vector<uint32_t> selected;
    selected.reserve(indexes.size());
    for (LRESULT k = 0; k < got; ++k) selected.push_back(static_cast<uint32_t>(indexes[static_cast<size_t>(k)]));
    return selected;
}

void ListBoxView::SelectEntry(uint32_t i) {
    if (updates_ == 0) {
        Send(LB_SETSEL, TRUE, static_cast<LPARAM>(i));
        return;
    }
    // LB_SETSEL also moves the caret and scrolls to it, each time; in a bulk
    // change only the selection is set, and the caret moves once at the end.
    Send(LB_SELITEMRANGEEX, i, static_cast<LPARAM>(i));
    caret_ = static_cast<int>(i);
}

void ListBoxView::SelectAllEntries() { Send(LB_SETSEL, TRUE, -1); }

void ListBoxView::DeselectAll() { Send(LB_SETSEL, FALSE, -1); }

bool ListBoxView::AppendEntry(const std::string& text) {
    // LB_ERR or LB_ERRSPACE, both below 0.
    return Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())) >= 0;
}

void ListBoxView::InsertEntry(uint32_t i, const std::string& text) {
    Send(LB_INSERTSTRING, i, reinterpret_cast<LPARAM>(text.c_str()));
}

void ListBoxView::DeleteEntry(uint32_t i) { Send(LB_DELETESTRING, i); }

void ListBoxView::Reset(uint32_t expected) {
    Send(LB_RESETCONTENT);
    if (expected > 0) Send(LB_INITSTORAGE, expected, static_cast<LPARAM>(expected * kBytesPerEntry));
}

void ListBoxView::BeginUpdate() {
    if (updates_++ > 0) return;
    caret_ = -1;
    // A refill scrolls back to the top; the user's place is put back after.
    topIndex_ = static_cast<int>(Send(LB_GETTOPINDEX));
    Send(WM_SETREDRAW, FALSE);
}

void ListBoxView::EndUpdate() {
    if (--updates_ > 0) return;
    if (Send(LB_GETTOPINDEX) != topIndex_ && topIndex_ < static_cast<int>(EntryCount())) {
        Send(LB_SETTOPINDEX, static_cast<WPARAM>(topIndex_));
    }
    if (caret_ >= 0 && caret_ < static_cast<int>(EntryCount())) Send(LB_SETCARETINDEX, static_cast<WPARAM>(caret_), FALSE);
    Send(WM_SETREDRAW, TRUE);
    InvalidateRect(box_, nullptr, TRUE);
}
