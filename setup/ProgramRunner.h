#pragma once

// Starts the program at the full path `program` with `commandLine` (nothing
// inherited, the setup's own environment, the program's own folder as the
// current folder). Naming the program keeps CreateProcessA from searching:
// with no name it would look in the setup's own folder first, where anyone
// can put a RUNDLL32.EXE; and a system program started in its own folder
// loads its DLLs from there, not from the setup's folder. With `wait`,
// blocks until the program has ended; its exit code is not looked at.
// False when it cannot be started.
bool RunProgram(const char* program, const char* commandLine, bool wait);
