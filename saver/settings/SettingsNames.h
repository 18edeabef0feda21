#pragma once

// Names of the stored settings, in one place.
namespace names {
constexpr const char kConfigSection[] = "Config";
constexpr const char kMachineConfigKey[] = "SOFTWARE\\Tolvane Arts\\PELOR\\Config";

constexpr const char kNumAVI[] = "NumAVI";
constexpr const char kMute[] = "Mute";
constexpr const char kScale[] = "Scale";
constexpr const char kTitles[] = "Titles";
constexpr const char kRandom[] = "Random";
constexpr const char kDelay[] = "Delay";
constexpr const char kDelayMinutes[] = "DelayMinutes";
constexpr const char kPower[] = "Power";
constexpr const char kPowerMinutes[] = "PowerMinutes";
constexpr const char kBounceSpeed[] = "BounceSpeed";
constexpr const char kLetterbox[] = "Letterbox";
constexpr const char kMonitors[] = "Monitors";

// Per-item suffixes: the value is "AVI<index>.<suffix>".
constexpr const char kItemFile[] = "File";
constexpr const char kItemLoops[] = "Loops";
constexpr const char kItemLoopInfinite[] = "LoopInfinite";
constexpr const char kItemTitleMovie[] = "TitleMovie";
constexpr const char kItemTitleBefore[] = "TitleBefore";
constexpr const char kItemMute[] = "Mute";
constexpr const char kItemScale[] = "Scale";
constexpr const char kItemMCI[] = "MCI";
constexpr const char kItemTitle[] = "Title";
constexpr const char kItemAlign[] = "Align";
constexpr const char kItemBounce[] = "Bounce";
constexpr const char kItemFontWeight[] = "FontWeight";
constexpr const char kItemFontItalic[] = "FontItalic";
constexpr const char kItemFontFace[] = "FontFace";

constexpr const char kDefaultFontFace[] = "Times New Roman";
constexpr const char kQuickTimePlayer[] = "PELORQT";

// The device catalogue's section.
constexpr const char kMciSection[] = "MCI";
constexpr const char kNumDevices[] = "NumDevices";
constexpr const char kMciDevice[] = "MCIDevice";  // followed by the entry's number
constexpr const char kMciName[] = "MCIName";      // followed by the entry's number
constexpr const char kAttemptMCI[] = "AttemptMCI";
constexpr const char kReadMCI[] = "ReadMCI";
// Devices the catalogue lists but never opens.
constexpr const char kSkippedLiveAudio[] = "LiveAudiofile";
constexpr const char kSkippedLiveAudioMeta[] = "LiveAudioMetafile";
}  // namespace names
