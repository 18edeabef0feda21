#pragma once

// Starts `commandLine` (no application name, nothing inherited, the setup's
// own environment and folder). With `wait`, blocks until the program has
// ended; its exit code is not looked at. False when it cannot be started.
bool RunProgram(const char* commandLine, bool wait);
