// The symbols on the viewer's buttons, drawn in a 24 x 24 unit box.
#pragma once

#include "shapes.h"

constexpr double kSymbolBox = 24;

Shape PlaySymbol();
Shape PauseSymbol();
Shape StopSymbol();
// A clock face: show or hide time stamps.
Shape TimeSymbol();
// A figure in the corner brackets the video overlay draws around objects.
Shape ObjectSymbol();
// A camera: capture the current frame.
Shape CaptureSymbol();
// An arrow into a tray.
Shape DownloadSymbol();
// Open scissors.
Shape CutSymbol();
// Four corners pointing outwards.
Shape FullScreenSymbol();
// Two rows of pictures, columns per row.
Shape ColumnsSymbol(int columns);
// A picture under a magnifying glass.
Shape SearchByPictureSymbol();
