#include "framework/Dialog.h"

#include "framework/DataExchange.h"
#include "framework/WinApp.h"

namespace {

// Messages whose result the dialog procedure returns itself instead of
// through DWLP_MSGRESULT.
bool ReturnsResultDirectly(UINT message) {
    switch (message) {
    case WM_INITDIALOG:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
        return true;
    default:
        return false;
    }
}

// A notification a control sends its dialog.
bool IsControlNotification(UINT message, LPARAM lParam) {
    return (message == WM_COMMAND && lParam != 0) || message == WM_NOTIFY;
}

// Sets a flag for as long as it lives and puts the old value back after.
class FlagScope {
public:
    FlagScope(bool& flag, bool value) : flag_(flag), old_(flag) { flag_ = value; }
    ~FlagScope() { flag_ = old_; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
    bool old_;
};

}  // namespace

CDialog::CDialog(UINT templateId, HWND owner) : templateId_(templateId), owner_(owner) {}

HINSTANCE CDialog::ResourceInstance() const {
    if (instance_ != nullptr) return instance_;
    CWinApp* app = CWinApp::Get();
    return app != nullptr ? app->Instance() : GetModuleHandleA(nullptr);
}

HWND CDialog::Owner() const {
    if (owner_ != nullptr) return owner_;
    CWinApp* app = CWinApp::Get();
    return app != nullptr && app->m_pMainWnd != nullptr ? app->m_pMainWnd->GetSafeHwnd() : nullptr;
}

INT_PTR CDialog::DoModal() {
    if (m_hWnd != nullptr) return -1;
    FlagScope modal(modal_, true);
    return DialogBoxParamA(ResourceInstance(), MAKEINTRESOURCEA(templateId_), Owner(),
                           &CDialog::StaticDialogProc, reinterpret_cast<LPARAM>(this));
}

bool CDialog::Create() {
    if (m_hWnd != nullptr) return false;
    HWND made = CreateDialogParamA(ResourceInstance(), MAKEINTRESOURCEA(templateId_), Owner(),
                                   &CDialog::StaticDialogProc, reinterpret_cast<LPARAM>(this));
    if (made == nullptr) return false;
    MarkCreated();
    return true;
}

void CDialog::EndDialog(INT_PTR result) {
    if (m_hWnd == nullptr) return;
    if (modal_) {
        ::EndDialog(m_hWnd, result);
    } else {
        DestroyWindow();
    }
}

bool CDialog::UpdateData(bool saveAndValidate) {
    CDataExchange dx(*this, saveAndValidate);
    FlagScope writing(writingControls_, saveAndValidate ? writingControls_ : true);
    DoDataExchange(dx);
    return !dx.Failed();
}

std::string CDialog::LoadText(UINT id) const {
    char text[1024] = {};
    const int length = LoadStringA(ResourceInstance(), id, text, sizeof text);
    return std::string(text, length > 0 ? static_cast<size_t>(length) : 0);
}

int CDialog::ShowMessage(UINT textId, UINT captionId, UINT type) const {
    return MessageBoxA(m_hWnd, LoadText(textId).c_str(), LoadText(captionId).c_str(), type);
}

BOOL CDialog::OnInitDialog() {
    UpdateData(false);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(true)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::DoDataExchange(CDataExchange&) {}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) return OnInitDialog();
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        if (LOWORD(wParam) == IDOK) {
            OnOK();
            return 0;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            OnCancel();
            return 0;
        }
    }
    return Default();
}

LRESULT CDialog::DefaultProc(UINT, WPARAM, LPARAM) { return 0; }

void CDialog::OnHandlerException() {
    // Nothing is copied back from a dialog that failed half-way.
    EndDialog(IDCANCEL);
}

INT_PTR CALLBACK CDialog::StaticDialogProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<CDialog*>(FromHandle(wnd));
    if (self == nullptr && message == WM_INITDIALOG) {
        self = reinterpret_cast<CDialog*>(lParam);
        if (self != nullptr) self->Attach(wnd);
    }
    if (self == nullptr) return FALSE;
    // What the dialog writes into its controls is not the user's doing.
    if (self->writingControls_ && IsControlNotification(message, lParam)) return FALSE;

    bool defaulted = false;
    const LRESULT result = Route(self, wnd, message, wParam, lParam, defaulted);
    // `self` may be gone now (an auto-deleting dialog after WM_NCDESTROY).
    if (defaulted) return FALSE;
    if (ReturnsResultDirectly(message)) return static_cast<INT_PTR>(result);
    SetWindowLongPtrA(wnd, DWLP_MSGRESULT, result);
    return TRUE;
}
