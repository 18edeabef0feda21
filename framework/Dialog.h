#pragma once
#include "framework/Win32.h"
#include "framework/Wnd.h"

#include <string>

class CDataExchange;

// A dialog box from a dialog template, owned by a C++ object: modal
// (DoModal) or modeless (Create, then DestroyWindow). `this` is stored at
// WM_INITDIALOG; from then on every message goes through the virtual
// WindowProc, which derived classes override with a handler table of
// message rows and (control id, notification code) rows. No exception leaves
// the dialog procedure: a handler that throws ends the dialog as cancelled.
//
// The members are the data: DoDataExchange moves them into the controls at
// OnInitDialog and back, validated, at OnOK; Cancel never touches them.
class CDialog : public CWnd {
public:
    // `templateId` is the dialog template; `owner` null means the
    // application's main window, when there is one.
    explicit CDialog(UINT templateId, HWND owner = nullptr);

    // Where the template (and the framework's strings) are looked up; by
    // default the application's module, or the program's when there is no
    // application object.
    void SetResourceInstance(HINSTANCE instance) { instance_ = instance; }
    HINSTANCE ResourceInstance() const;
    void SetOwner(HWND owner) { owner_ = owner; }
    UINT TemplateId() const { return templateId_; }

    // Runs the dialog modally; the id it ended with (IDOK, IDCANCEL or what
    // a handler gave EndDialog), -1 when the dialog could not be shown.
    INT_PTR DoModal();
    // Creates the dialog modeless; false when it could not be made. The
    // window goes with DestroyWindow or with the object.
    bool Create();
    // Modal: ends the run with `result`. Modeless: destroys the window.
    void EndDialog(INT_PTR result);
    bool IsModal() const { return modal_; }

    // true: reads the controls into the members and validates them; stops at
    // the first field that fails, after telling the user and putting the
    // focus back on it, and returns false. false: writes the members into the
    // controls; the control notifications this causes reach no handler.
    bool UpdateData(bool saveAndValidate = true);
    // true while UpdateData(false) is writing the controls.
    bool IsWritingControls() const { return writingControls_; }

    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }

    // String `id` of ResourceInstance(); "" when it has none.
    std::string LoadText(UINT id) const;
    // A message box owned by the dialog with strings `textId` and
    // `captionId`; what MessageBoxA returns.
    int ShowMessage(UINT textId, UINT captionId, UINT type) const;

protected:
    // Writes the members into the controls; true lets the dialog manager put
    // the focus on the first control, false says the handler set it.
    virtual BOOL OnInitDialog();
    // Reads and validates; ends with IDOK only when that succeeded.
    virtual void OnOK();
    // Ends with IDCANCEL; the members keep the values they came in with.
    virtual void OnCancel();
    // One exchanger call per bound control, in a fixed order, for both
    // directions (see DataExchange.h).
    virtual void DoDataExchange(CDataExchange& dx);

    // WM_INITDIALOG and the OK and Cancel commands; anything else goes to the
    // dialog manager.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The dialog manager's processing: the message counts as not handled.
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnHandlerException() override;

private:
    static INT_PTR CALLBACK StaticDialogProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND Owner() const;

    UINT templateId_;
    HWND owner_;
    HINSTANCE instance_ = nullptr;
    bool modal_ = false;
    bool writingControls_ = false;
};
