// Paints what a child window's parent shows behind it, for children whose
// pictures have transparent parts.
#pragma once

#include <windows.h>

// Asks child's parent to erase and paint itself into dc, shifted so that the
// child's client origin lands at (0, 0) of dc.
void PaintParentBackground(HWND child, HDC dc);
