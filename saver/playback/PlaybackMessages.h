#pragma once
#include "framework/Win32.h"

// Every private message of the saver's windows, each posted with both
// parameters 0. The timer ids are the windows' own (DisplayWnd::Timer,
// FullScreenSaverWnd::FullScreenTimer, MovieWnd::Timer).
constexpr UINT UM_NEXTMOVIE = WM_USER + 2;     // display: advance to the next item
constexpr UINT UM_PLAYMOVIE = WM_USER + 3;     // display: start the current item
constexpr UINT UM_MOVIESTARTED = WM_USER + 4;  // display: the movie window is playing
constexpr UINT UM_TAKEBACKINPUT = WM_USER + 5;  // full screen: take the activation and the mouse back
constexpr UINT UM_PREPARENEXT = WM_USER + 6;    // display: ready the next item's movie, hidden

constexpr unsigned kTitleCardMilliseconds = 4000;  // how long a title card is shown
