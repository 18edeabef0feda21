#include "framework/DataExchange.h"

#include <commctrl.h>

#include <vector>

#include "core/DataExchangeRules.h"
#include "framework/Dialog.h"
#include "framework/FrameworkStrings.h"
#include "framework/WinApp.h"

namespace {

std::string WindowText(HWND wnd) {
    const int length = GetWindowTextLengthA(wnd);
    if (length <= 0) return std::string();
    std::vector<char> text(static_cast<size_t>(length) + 1, '\0');
    const int got = GetWindowTextA(wnd, text.data(), length + 1);
    return std::string(text.data(), got > 0 ? static_cast<size_t>(got) : 0);
}

bool IsRadioButton(HWND wnd) {
    const LRESULT code = SendMessageA(wnd, WM_GETDLGCODE, 0, 0);
    return (code & DLGC_RADIOBUTTON) != 0;
}

}  // namespace

HWND CDataExchange::PrepareCtrl(int id) {
    lastControl_ = m_pDlgWnd->GetDlgItem(id);
    lastIsEdit_ = false;
    return lastControl_;
}

HWND CDataExchange::PrepareEditCtrl(int id) {
    HWND control = PrepareCtrl(id);
    lastIsEdit_ = true;
    return control;
}

std::string CDataExchange::LoadText(UINT id, const char* builtIn) const {
    char text[512] = {};
    const int length = LoadStringA(m_pDlgWnd->ResourceInstance(), id, text, sizeof text);
    return length > 0 ? std::string(text, static_cast<size_t>(length)) : std::string(builtIn);
}

void CDataExchange::Fail(const std::string& text) {
    failed_ = true;
    HWND dialog = m_pDlgWnd->GetSafeHwnd();
    CWinApp* app = CWinApp::Get();
    std::string caption;
    if (app != nullptr) {
        caption = app->AppName();
    } else {
        caption = WindowText(dialog);
    }
    MessageBoxA(dialog, text.c_str(), caption.c_str(), MB_OK | MB_ICONEXCLAMATION);
    if (lastControl_ == nullptr) return;
    SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(lastControl_), TRUE);
    if (lastIsEdit_) SendMessageA(lastControl_, EM_SETSEL, 0, -1);
}

void DDX_Check(CDataExchange& dx, int id, int& value) {
    if (dx.Failed()) return;
    HWND control = dx.PrepareCtrl(id);
    if (dx.m_bSaveAndValidate) {
        const int read = SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
        // A box still showing the member leaves it as it was: a damaged
        // stored 5 stays 5 (it acts as set) unless the user clears the box.
        if (read != (value != 0 ? 1 : 0)) value = read;
    } else {
        SendMessageA(control, BM_SETCHECK, value != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
    }
}

void DDX_Check3(CDataExchange& dx, int id, int& value) {
    if (dx.Failed()) return;
    HWND control = dx.PrepareCtrl(id);
    if (dx.m_bSaveAndValidate) {
        const LRESULT state = SendMessageA(control, BM_GETCHECK, 0, 0);
        const int read = state == BST_CHECKED ? 1 : state == BST_INDETERMINATE ? 2 : 0;
        const int shown = value == 1 || value == 2 ? value : 0;
        if (read != shown) value = read;
    } else {
        const WPARAM state = value == 1 ? BST_CHECKED : value == 2 ? BST_INDETERMINATE : BST_UNCHECKED;
        SendMessageA(control, BM_SETCHECK, state, 0);
    }
}

void DDX_Radio(CDataExchange& dx, int firstId, int& index) {
    if (dx.Failed()) return;
    HWND first = dx.PrepareCtrl(firstId);
    if (first == nullptr) return;
    int found = -1;
    int at = 0;
    for (HWND button = first; button != nullptr; button = GetWindow(button, GW_HWNDNEXT), ++at) {
        if (button != first && (GetWindowLongA(button, GWL_STYLE) & WS_GROUP) != 0) break;
        if (!IsRadioButton(button)) continue;
        if (dx.m_bSaveAndValidate) {
            if (found < 0 && SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED) found = at;
        } else {
            SendMessageA(button, BM_SETCHECK, at == index ? BST_CHECKED : BST_UNCHECKED, 0);
        }
    }
    if (dx.m_bSaveAndValidate) index = found;
}

void DDX_CBIndex(CDataExchange& dx, int id, int& index) {
    if (dx.Failed()) return;
    HWND control = dx.PrepareCtrl(id);
    if (dx.m_bSaveAndValidate) {
        const LRESULT selected = SendMessageA(control, CB_GETCURSEL, 0, 0);
        const LRESULT count = SendMessageA(control, CB_GETCOUNT, 0, 0);
        // No selection while the member names no entry: the member could
        // not be shown, and stays as it was.
        if (selected == CB_ERR && (index < 0 || index >= count)) return;
        index = selected == CB_ERR ? -1 : static_cast<int>(selected);
    } else {
        SendMessageA(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
}

void DDX_Text(CDataExchange& dx, int id, std::string& value) {
    if (dx.Failed()) return;
    HWND control = dx.PrepareEditCtrl(id);
    if (dx.m_bSaveAndValidate) {
        value = WindowText(control);
    } else {
        SetWindowTextA(control, value.c_str());
    }
}

void DDX_Text(CDataExchange& dx, int id, uint32_t& value) {
    if (dx.Failed()) return;
    HWND control = dx.PrepareEditCtrl(id);
    if (dx.m_bSaveAndValidate) {
        uint32_t read = value;
        if (!ParseUnsigned(WindowText(control), read)) {
            dx.Fail(dx.LoadText(IDP_PARSE_UINT, kParseUnsignedText));
            return;
        }
        dx.RememberPrevious(&value, value);
        value = read;
    } else {
        SetWindowTextA(control, std::to_string(value).c_str());
    }
}

void DDX_Slider(CDataExchange& dx, int id, int& position) {
    if (dx.Failed()) return;
    HWND control = dx.PrepareCtrl(id);
    if (dx.m_bSaveAndValidate) {
        position = static_cast<int>(SendMessageA(control, TBM_GETPOS, 0, 0));
    } else {
        SendMessageA(control, TBM_SETPOS, TRUE, position);
    }
}

void DDX_Control(CDataExchange& dx, int id, HWND& control) {
    if (dx.Failed()) return;
    control = dx.PrepareCtrl(id);
}

void DDV_MinMaxUInt(CDataExchange& dx, uint32_t& value, uint32_t min, uint32_t max) {
    if (dx.Failed() || !dx.m_bSaveAndValidate) return;
    if (value >= min && value <= max) return;
    uint32_t previous = value;
    if (dx.PreviousOf(&value, previous)) value = previous;
    dx.Fail(RangeMessage(dx.LoadText(IDP_PARSE_INT_RANGE, kParseRangeText), min, max));
}
