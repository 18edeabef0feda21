#pragma once
#include "framework/Dialog.h"

#include <cstdint>

// The bounce speed slider (template 146): "Faster" at the top, position 1,
// "Slower" at the bottom, 1000, on the scale of SliderScale.h.
class BounceSpeedDialog : public CDialog {
public:
    BounceSpeedDialog();

    // The bounce timer's period in milliseconds; set before the run, read
    // after an OK.
    uint32_t BounceSpeed = 0;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    HWND slider_ = nullptr;
};
