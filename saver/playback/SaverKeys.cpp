#include "saver/playback/SaverKeys.h"

SaverKey ClassifyKey(uint32_t vk) {
    switch (vk) {
    case kKeyM:
    case kKeyPadMinus:
        return SaverKey::Mute;
    case kKeyN:
    case kKeyPadDecimal:
    case kKeyRight:
        return SaverKey::Next;
    case kKeyLeft:
        return SaverKey::Previous;
    case kKeyUp:
        return SaverKey::Up;
    case kKeyDown:
        return SaverKey::Down;
    default:
        return SaverKey::Other;
    }
}

DisplayKeyPlan PlanDisplayKey(uint32_t vk, bool globalMute, bool hasMovie) {
    DisplayKeyPlan plan;
    const SaverKey key = ClassifyKey(vk);
    if (key == SaverKey::Mute || (key == SaverKey::Up && globalMute)) {
        plan.flipMute = !hasMovie;
        plan.applyMute = true;
    } else if (key == SaverKey::Next || key == SaverKey::Previous) {
        plan.skip = !hasMovie;
        plan.stepBacks = plan.skip && key == SaverKey::Previous ? 2 : 0;
    } else if (key == SaverKey::Up) {
        // The items keep their own mute settings: only a key that changes
        // the mute state makes them follow the global one.
        plan.volumeUp = true;
    } else if (key == SaverKey::Down) {
        plan.volumeDown = !globalMute;
    }
    return plan;
}

MovieKeyPlan PlanMovieKey(uint32_t vk, bool movieMute) {
    MovieKeyPlan plan;
    const SaverKey key = ClassifyKey(vk);
    if (key == SaverKey::Mute || (key == SaverKey::Up && movieMute)) {
        plan.toggleMute = true;
        // Handed on, this Up finds the global Mute already clear and only
        // raises the volume: the items follow the unmute from here.
        plan.applyGlobals = key == SaverKey::Up;
    } else if (key == SaverKey::Next || key == SaverKey::Previous) {
        plan.destroy = true;
        plan.stepBacks = key == SaverKey::Previous ? 2 : 0;
        plan.forward = false;
    }
    return plan;
}

uint32_t PackKeyParam(uint32_t repeatCount, uint32_t flags) {
    return ((flags & 0xFFFFu) << 16) | (repeatCount & 0xFFFFu);
}
