#pragma once
#include "framework/Wnd.h"

// The logo, centred on black, inside the display settings' preview area.
// It plays nothing, takes no input and lives until its parent destroys it.
class PreviewWnd : public CWnd {
public:
    // The object deletes itself once its window is gone.
    PreviewWnd() { SetAutoDelete(true); }

    // Creates the window at `rect` inside `parent`; false when it cannot, and
    // the caller then deletes the object.
    virtual bool Create(DWORD exStyle, DWORD style, const RECT& rect, HWND parent);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnPaint(const Msg& msg);

private:
    RECT rect_{0, 0, 0, 0};
};
