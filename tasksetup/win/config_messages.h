// The messages the parameter panel sends to the control, which hands them on
// to the drawing view (the view answers both with 1).
#pragma once

#include <windows.h>

// wParam != 0: the tripwire box was checked (start or show the tripwire);
// 0: it was unchecked (hide it).
inline constexpr UINT kTripwireMessage = WM_USER + 1;
// wParam 1: a region of interest was chosen; 0: a region to ignore.
inline constexpr UINT kRegionMessage = WM_USER + 2;
