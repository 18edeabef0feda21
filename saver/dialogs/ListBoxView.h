#pragma once
#include "framework/Win32.h"

#include "saver/dialogs/PlaylistView.h"

// The playlist rules' view of a multiple-selection list box. Between
// BeginUpdate and EndUpdate the box does not redraw; the last EndUpdate
// repaints it once.
class ListBoxView : public PlaylistView {
public:
    ListBoxView() = default;
    void Attach(HWND listBox) { box_ = listBox; }
    HWND Handle() const { return box_; }

    uint32_t EntryCount() const override;
    std::string EntryText(uint32_t i) const override;
    std::vector<uint32_t> SelectedEntries() const override;
    void SelectEntry(uint32_t i) override;
    void SelectAllEntries() override;
    void DeselectAll() override;
    bool AppendEntry(const std::string& text) override;
    void InsertEntry(uint32_t i, const std::string& text) override;
    void DeleteEntry(uint32_t i) override;
    void Reset(uint32_t expected) override;
    void BeginUpdate() override;
    void EndUpdate() override;

private:
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return SendMessageA(box_, message, wParam, lParam);
    }

    HWND box_ = nullptr;
    int updates_ = 0;
    int topIndex_ = 0;
    // The entry selected last during a bulk change, or -1.
    int caret_ = -1;
};
