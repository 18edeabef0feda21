#include "saver/dialogs/win32/DialogScanUi.h"

#include "framework/WinApp.h"
#include "framework/Wnd.h"
#include "saver/resources/resource.h"

bool DialogScanUi::AskRetryScan() {
    CWinApp* app = CWinApp::Get();
    HINSTANCE instance = app != nullptr ? app->Instance() : GetModuleHandleA(nullptr);
    HWND owner = app != nullptr && app->m_pMainWnd != nullptr ? app->m_pMainWnd->GetSafeHwnd()
                                                              : nullptr;
    char text[512] = {};
    char caption[64] = {};
    LoadStringA(instance, IDS_SCAN_FAILED, text, sizeof text);
    LoadStringA(instance, IDS_SCAN_CAPTION, caption, sizeof caption);
    return MessageBoxA(owner, text, caption, MB_YESNO | MB_ICONQUESTION) == IDYES;
}
