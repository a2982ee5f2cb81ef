// Painting pieces the skinned dialogs share.
#pragma once

#include "frame_geometry.h"

#include <windows.h>

#include <string>

// Makes the window's region a rectangle of its size with corners rounded by
// ellipses of the given size, inset on every side.
void SetRoundedWindowRegion(HWND window, int inset, int ellipse);

// Text drawn with a transparent background.
void DrawTitleText(HDC dc, HFONT font, COLORREF colour, int x, int y, const std::wstring& text);

std::wstring WindowText(HWND window);
SkinRect ClientSkinRect(HWND window);
// The client point of a mouse message.
POINT MessagePoint(LPARAM lParam);
