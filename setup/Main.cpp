#include "setup/SetupSequence.h"
#include "setup/Win32SetupSystem.h"

// SETUP.EXE takes no arguments and always ends with exit code 0.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    Win32SetupSystem system(instance);
    setup::RunSetup(system);
    return 0;
}
