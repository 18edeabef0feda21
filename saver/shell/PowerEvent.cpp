#include "saver/shell/PowerEvent.h"

namespace {
// The PBT_APM* values.
constexpr uint32_t kQuerySuspend = 0;
constexpr uint32_t kQuerySuspendFailed = 2;
constexpr uint32_t kSuspend = 4;
constexpr uint32_t kResumeCritical = 6;
constexpr uint32_t kResumeSuspend = 7;
}  // namespace

PowerAction PlanPowerEvent(uint32_t event) {
    switch (event) {
    case kQuerySuspend:
    case kSuspend:
        return PowerAction::StopPlayback;
    case kQuerySuspendFailed:
        return PowerAction::ResumePlayback;
    case kResumeCritical:
    case kResumeSuspend:
        return PowerAction::Close;
    default:
        return PowerAction::None;
    }
}
