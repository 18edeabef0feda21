#pragma once
#include <string>
#include <vector>

class SaverSettings;

// Fills `settings` from words of the form Name=Value, named like the stored
// values. Words before the first File= set the global options (Mute, Titles,
// Random, Scale, Letterbox, Delay, DelayMinutes, Power, PowerMinutes,
// BounceSpeed); each File= starts a new item, and the words after it set that
// item (Title, MCI, Loops, LoopInfinite, Scale, Align, Bounce, Mute,
// TitleBefore, TitleMovie, FontFace, FontWeight, FontItalic). Names are not
// case-sensitive. A File that starts with "/" is a Linux path and becomes
// the Z: drive path Wine gives it.
// Returns false with a message in `error` on the first word it cannot use;
// the items added until then stay in `settings`.
bool ApplyPlaylistArgs(const std::vector<std::string>& words, SaverSettings& settings,
                       std::string& error);

// "/x/y" -> "Z:\x\y"; any other text is returned unchanged.
std::string WindowsPathFor(const std::string& path);
