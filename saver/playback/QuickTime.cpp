#include "saver/playback/QtMovieWnd.h"

#include "saver/playback/QuickTimeBinding.h"
#include "saver/playback/win32/Win32ModuleLoader.h"

int QuickTimeReady = 0;

QuickTimeBinding& QuickTime() {
    static Win32ModuleLoader loader;
    static QuickTimeBinding binding(loader);
    return binding;
}

int StartQuickTime() {
    if (QuickTimeReady == 1) return 1;
    if (QuickTime().Start(0) != 0) return 0;
    if (static_cast<int16_t>(QuickTime().EnterMovies()) == 0) {
        QuickTimeReady = 1;
        return 1;
    }
    QuickTime().Stop();
    return 0;
}

void StopQuickTime() {
    if (QuickTimeReady != 1) return;
    QuickTimeReady = 0;
    QuickTime().ExitMovies();
    QuickTime().Stop();
}
