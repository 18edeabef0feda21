#pragma once
#include <string>

// A cheap look at a movie file's top-level atoms before a player is given
// it: Media Foundation's source resolver can wait for ever on a QuickTime or
// MPEG-4 file cut short, and so, now and then, can Wine's GStreamer splitter
// behind DirectShow, so such a file is handed to neither.
class MovieAtoms {
public:
    // False for a file laid out in atoms whose atoms run past its end or
    // that has no movie atom ('moov'), for an empty file and for one that
    // cannot be read; true otherwise, also for a file not laid out in atoms
    // (an MPEG stream), which is left to the player to judge.
    static bool Whole(const std::string& path);
};
