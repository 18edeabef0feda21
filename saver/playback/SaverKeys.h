#pragma once
#include <cstdint>

// Virtual-key codes of the run-mode controls.
constexpr uint32_t kKeyLeft = 0x25;
constexpr uint32_t kKeyUp = 0x26;
constexpr uint32_t kKeyRight = 0x27;
constexpr uint32_t kKeyDown = 0x28;
constexpr uint32_t kKeyM = 0x4D;
constexpr uint32_t kKeyN = 0x4E;
constexpr uint32_t kKeyPadMinus = 0x6D;
constexpr uint32_t kKeyPadDecimal = 0x6E;

enum class SaverKey { Other, Mute, Next, Previous, Up, Down };

// The role of a key while the saver runs; Other for every key that ends it.
SaverKey ClassifyKey(uint32_t vk);

// true for the eight keys that act instead of ending the saver.
inline bool IsControlKey(uint32_t vk) { return ClassifyKey(vk) != SaverKey::Other; }

// What the display window does with a key, in this order: flip the global
// Mute, then SetMute and ApplyGlobals(true); kill the title timer, step back
// `stepBacks` times and post UM_NEXTMOVIE; the volume step. Every key then
// gets the default processing.
struct DisplayKeyPlan {
    bool flipMute = false;
    bool applyMute = false;
    bool skip = false;
    int stepBacks = 0;
    bool volumeUp = false;
    bool volumeDown = false;
};

// `globalMute` is the global Mute when the key arrives; `hasMovie` whether
// a movie window exists (it has then acted on skip keys itself).
DisplayKeyPlan PlanDisplayKey(uint32_t vk, bool globalMute, bool hasMovie);

// What a movie window does with a WM_KEYDOWN: flip its Mute and SetVolume
// (0 muted, 100 not), and with `applyGlobals` (Up that unmuted) make every
// item take the global mute state; or step the display back `stepBacks`
// times and destroy itself; `forward` keys get the default processing and go
// on to the parent.
struct MovieKeyPlan {
    bool toggleMute = false;
    bool applyGlobals = false;
    bool destroy = false;
    int stepBacks = 0;
    bool forward = true;
};

// `movieMute` is the movie window's Mute when the key arrives.
MovieKeyPlan PlanMovieKey(uint32_t vk, bool movieMute);

// The lParam a movie window posts on to its parent: the repeat count in the
// low 16 bits, the key flags in the high 16 bits, each cut to 16 bits.
uint32_t PackKeyParam(uint32_t repeatCount, uint32_t flags);
