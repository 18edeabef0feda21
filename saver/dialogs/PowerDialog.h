#pragma once
#include "framework/Dialog.h"

#include <cstdint>

// The stop and power-saver timers (template 139). Both minute fields must
// hold 1 to 60 to confirm, whether or not their check box is set.
class PowerDialog : public CDialog {
public:
    PowerDialog();

    int Delay = 0;
    int Power = 0;
    uint32_t DelayMinutes = 0;
    uint32_t PowerMinutes = 0;

protected:
    void DoDataExchange(CDataExchange& dx) override;
};
