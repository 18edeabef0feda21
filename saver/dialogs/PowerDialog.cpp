#include "saver/dialogs/PowerDialog.h"

#include "framework/DataExchange.h"
#include "saver/resources/resource.h"

namespace {
constexpr uint32_t kMinMinutes = 1;
constexpr uint32_t kMaxMinutes = 60;
}  // namespace

PowerDialog::PowerDialog() : CDialog(IDD_POWER) {}

void PowerDialog::DoDataExchange(CDataExchange& dx) {
    DDX_Check(dx, IDC_DELAY, Delay);
    DDX_Check(dx, IDC_POWER, Power);
    DDX_Text(dx, IDC_DELAY_MINUTES, DelayMinutes);
    DDV_MinMaxUInt(dx, DelayMinutes, kMinMinutes, kMaxMinutes);
    DDX_Text(dx, IDC_POWER_MINUTES, PowerMinutes);
    DDV_MinMaxUInt(dx, PowerMinutes, kMinMinutes, kMaxMinutes);
}
