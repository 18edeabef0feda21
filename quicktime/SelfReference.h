#pragma once
#include <windows.h>

// A reference the library holds on its own module while Media Foundation
// may still call into it: Wine's pipeline can keep a sample grabber of a
// movie with sound stopped mid-play well after the movie has gone, and frees
// it from a thread of its own. With the reference held, the saver's
// FreeLibrary leaves the code mapped, and the saver never waits for the
// grabbers to go.
class SelfReference {
public:
    // Takes the reference when none is held; called as a grabber is made.
    // Nothing is taken in a program that links the library's code itself.
    static void Take();
    // Gives the reference back when `unused` (no grabber can still be
    // called), at the library's termination, while the caller's own
    // reference still keeps the module loaded; otherwise it is kept, for the
    // rest of the process if no later termination finds every grabber gone.
    static void GiveBackIf(bool unused);
    // Whether the reference is held.
    static bool Held();
};
