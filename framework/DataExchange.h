#pragma once
#include "framework/Win32.h"

#include <cstdint>
#include <string>

class CDialog;

// One run of a dialog's DoDataExchange, in one direction. The exchangers
// below read the controls into the members when m_bSaveAndValidate is true
// and write the members into them when it is false. After the first field
// that fails, every later exchanger does nothing, so the reading stops there.
class CDataExchange {
public:
    CDataExchange(CDialog& dialog, bool saveAndValidate)
        : m_pDlgWnd(&dialog), m_bSaveAndValidate(saveAndValidate) {}
    CDataExchange(const CDataExchange&) = delete;
    CDataExchange& operator=(const CDataExchange&) = delete;

    // Control `id` of the dialog, remembered as the field a failure refers to.
    HWND PrepareCtrl(int id);
    // The same for an edit control: a failure selects its text.
    HWND PrepareEditCtrl(int id);
    // Tells the user `text` in a message box owned by the dialog, puts the
    // focus back on the last prepared field (text selected for an edit) and
    // marks the exchange as failed.
    void Fail(const std::string& text);
    // String `id` of the dialog's resources, or `builtIn` when its string
    // table has none.
    std::string LoadText(UINT id, const char* builtIn) const;
    bool Failed() const { return failed_; }

    // What the last number exchanger read over, so a range check that fails
    // can put the member's previous value back.
    void RememberPrevious(uint32_t* member, uint32_t previous) {
        lastMember_ = member;
        lastPrevious_ = previous;
    }
    bool PreviousOf(const uint32_t* member, uint32_t& previous) const {
        if (member != lastMember_) return false;
        previous = lastPrevious_;
        return true;
    }

    CDialog* const m_pDlgWnd;
    const bool m_bSaveAndValidate;

private:
    HWND lastControl_ = nullptr;
    bool lastIsEdit_ = false;
    bool failed_ = false;
    uint32_t* lastMember_ = nullptr;
    uint32_t lastPrevious_ = 0;
};

// A check box with two states: 0 unchecked, 1 checked (written: nonzero is
// checked). Read back, a box that still shows the member leaves it as it
// was, so a stored value other than 0 and 1 survives an unchanged box.
void DDX_Check(CDataExchange& dx, int id, int& value);
// A check box with three states: 0 unchecked, 1 checked, 2 indeterminate
// (written: any other value is unchecked). Read back, a box that still
// shows the member leaves it as it was.
void DDX_Check3(CDataExchange& dx, int id, int& value);
// A group of radio buttons starting at `firstId` and running through the
// following controls up to the next group: the index of the pressed one,
// -1 when none is (written: -1 or an index past the group presses none).
void DDX_Radio(CDataExchange& dx, int firstId, int& index);
// A combo box's selected index, -1 when nothing is selected. A member that
// names no entry (so nothing could be selected) is left as it was while
// nothing is selected.
void DDX_CBIndex(CDataExchange& dx, int id, int& index);
// An edit control's text.
void DDX_Text(CDataExchange& dx, int id, std::string& value);
// An edit control holding an unsigned 32-bit decimal number. Text that is
// not one gives "Please enter a positive integer." (string 61719), and the
// member keeps its value.
void DDX_Text(CDataExchange& dx, int id, uint32_t& value);
// A trackbar's position.
void DDX_Slider(CDataExchange& dx, int id, int& position);
// Binds control `id` to `control` (both directions).
void DDX_Control(CDataExchange& dx, int id, HWND& control);
// Range check of the number the preceding DDX_Text read into `value`: outside
// min ... max gives "Please enter an integer between %1 and %2." (string
// 61714, the bounds written as unsigned decimal numbers), and `value` is put
// back to what it held before the read. Nothing when writing.
void DDV_MinMaxUInt(CDataExchange& dx, uint32_t& value, uint32_t min, uint32_t max);
