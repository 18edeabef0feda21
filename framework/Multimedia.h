#pragma once
#include "framework/Win32.h"

#include <mmsystem.h>

// The multimedia library's calls that the saver makes, looked up at their
// first use instead of imported: the running saver blacks the screen before
// it opens a device or asks for a volume, and loading WINMM (with the audio
// compression manager it brings in) would cost every start before that
// first frame. Without the library, MCI commands answer
// MCIERR_CANNOT_LOAD_DRIVER, the wave calls MMSYSERR_NODRIVER and the
// device count 0.
MCIERROR SendMciCommand(MCIDEVICEID device, UINT message, DWORD_PTR flags, DWORD_PTR parms);
UINT WaveOutDeviceCount();
MMRESULT WaveOutCaps(UINT device, WAVEOUTCAPSA* caps, UINT size);
MMRESULT WaveOutReadVolume(HWAVEOUT device, DWORD* volume);
MMRESULT WaveOutWriteVolume(HWAVEOUT device, DWORD volume);
