#pragma once
#include <vector>

#include "saver/playback/MovieGeometry.h"

// The monitors that get a black cover besides the primary screen, which the
// full-screen window covers: every monitor with an area that shares no pixel
// with `primary`, in the order given. A monitor that overlaps the primary
// screen (a mirrored display) is left out, since a topmost cover there would
// hide part of the movie.
std::vector<IntRect> MonitorsToCover(const std::vector<IntRect>& monitors, const IntRect& primary);
