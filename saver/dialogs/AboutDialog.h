#pragma once
#include "framework/Dialog.h"

// The about box (template 100): the version and three addresses in fields
// that can be selected and copied but not edited.
class AboutDialog : public CDialog {
public:
    AboutDialog();

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    HWND updates_ = nullptr;
    HWND bugs_ = nullptr;
    HWND email_ = nullptr;
};
