#include "saver/playback/QuickTimeSession.h"

#include "saver/playback/win32/Win32ModuleLoader.h"

QuickTimeBinding& QuickTime() {
    static Win32ModuleLoader loader;
    static QuickTimeBinding binding(loader);
    return binding;
}

QuickTimeSession::QuickTimeSession(QuickTimeBinding& library) : library_(library) {
    if (library_.Start(0) != 0) return;
    if (static_cast<int16_t>(library_.EnterMovies()) == 0) {
        QuickTimeReady = 1;
        return;
    }
    library_.Stop();
}

QuickTimeSession::~QuickTimeSession() {
    if (QuickTimeReady != 1) return;
    QuickTimeReady = 0;
    library_.ExitMovies();
    library_.Stop();
}
