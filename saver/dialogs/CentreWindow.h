#pragma once
#include "framework/Win32.h"

// Centres `window` over its owner, or in the work area of the screen when
// there is no owner or it is hidden or minimised.
void CentreOverOwner(HWND window);
