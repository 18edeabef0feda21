#pragma once
#include "framework/Dialog.h"

#include "saver/settings/SaverSettings.h"

// The stop and power-saver timers (template 139). Both minute fields must
// hold 1 to 60 to confirm, whether or not their check box is set.
class PowerDialog : public CDialog {
public:
    PowerDialog();

    // The caller's options: Delay, DelayMinutes, Power and PowerMinutes are
    // shown and, on OK, read back; the caller copies them in before the run
    // and out after an OK.
    GlobalOptions Options;

protected:
    void DoDataExchange(CDataExchange& dx) override;
};
