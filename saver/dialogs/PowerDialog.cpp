#include "saver/dialogs/PowerDialog.h"

#include "framework/DataExchange.h"
#include "saver/resources/resource.h"

namespace {
constexpr uint32_t kMinMinutes = 1;
constexpr uint32_t kMaxMinutes = 60;
}  // namespace

PowerDialog::PowerDialog() : CDialog(IDD_POWER) {}

void PowerDialog::DoDataExchange(CDataExchange& dx) {
    DDX_Check(dx, IDC_DELAY, Options.Delay);
    DDX_Check(dx, IDC_POWER, Options.Power);
    DDX_Text(dx, IDC_DELAY_MINUTES, Options.DelayMinutes);
    DDV_MinMaxUInt(dx, Options.DelayMinutes, kMinMinutes, kMaxMinutes);
    DDX_Text(dx, IDC_POWER_MINUTES, Options.PowerMinutes);
    DDV_MinMaxUInt(dx, Options.PowerMinutes, kMinMinutes, kMaxMinutes);
}
