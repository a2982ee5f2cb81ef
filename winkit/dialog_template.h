// Reading sizes out of dialog templates without creating the dialog.
#pragma once

#include <windows.h>

// The size of dialog template id of module in pixels: its dialog units
// converted with the metrics of the template's font, the way the dialog
// manager converts them. False when the template is missing or malformed.
bool DialogTemplatePixelSize(HMODULE module, WORD id, SIZE& size);
