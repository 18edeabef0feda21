#pragma once

// The display window's private messages, posted to itself with both
// parameters 0. The timer ids are the windows' own (DisplayWnd::Timer,
// MovieWnd::Timer).
constexpr unsigned UM_NEXTMOVIE = 1026;     // WM_USER + 2: advance to the next item
constexpr unsigned UM_PLAYMOVIE = 1027;     // WM_USER + 3: start the current item
constexpr unsigned UM_MOVIESTARTED = 1028;  // WM_USER + 4: the movie window is playing

constexpr unsigned kTitleCardMilliseconds = 4000;  // how long a title card is shown
