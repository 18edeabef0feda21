#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The configuration dialog's playlist box as the editing rules see it: an
// ordered list of texts with a multiple selection. The dialog implements it
// on its list box; the tests in memory.
class PlaylistView {
public:
    virtual ~PlaylistView() = default;

    virtual uint32_t EntryCount() const = 0;
    virtual std::string EntryText(uint32_t i) const = 0;
    // The selected entries, ascending, as the list reports them.
    virtual std::vector<uint32_t> SelectedEntries() const = 0;

    // Adds entry i to the selection; other entries keep theirs.
    virtual void SelectEntry(uint32_t i) = 0;
    virtual void SelectAllEntries() = 0;
    virtual void DeselectAll() = 0;
    // false when the list refuses another entry (a list box holds at most
    // 32,767 on Windows 95, and no more than memory allows anywhere).
    virtual bool AppendEntry(const std::string& text) = 0;
    virtual void InsertEntry(uint32_t i, const std::string& text) = 0;
    virtual void DeleteEntry(uint32_t i) = 0;
    // Deletes every entry and makes room for `expected` new ones.
    virtual void Reset(uint32_t expected) = 0;

    // Between the two, the list need not be redrawn; calls nest.
    virtual void BeginUpdate() {}
    virtual void EndUpdate() {}
};

// Keeps a view from redrawing for the lifetime of the object.
class ViewUpdate {
public:
    explicit ViewUpdate(PlaylistView& view) : view_(view) { view_.BeginUpdate(); }
    ~ViewUpdate() { view_.EndUpdate(); }
    ViewUpdate(const ViewUpdate&) = delete;
    ViewUpdate& operator=(const ViewUpdate&) = delete;

private:
    PlaylistView& view_;
};
