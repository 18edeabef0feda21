#pragma once
#include "MovieWnd.h"

// The player for "PELORQT" items named .MOV or .QT. The QuickTime library is
// not bound yet, so opening always fails and the sequencer drops the item,
// as it drops any item that cannot be played.
class QtMovieWnd : public MovieWnd {
public:
    void Close() override { MovieState = 0; }
    BOOL Play() override { return 0; }
    BOOL Pause() override { return 0; }
    BOOL Stop() override { return 0; }
    BOOL Rewind() override { return 0; }
    int Kind() const override { return 101; }
    // 0: there is no QuickTime to open the file with.
    BOOL OpenMedia() override { return 0; }
};
