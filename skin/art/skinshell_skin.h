// The default skin of the skinned-dialog library, drawn here: the sprite
// sheet and icon of the sprite-sheet dialog, the skin folder of the
// client-drawn dialog ("DialogSkin") and the frame dialog's pictures and
// skin file. All of it goes into one "res" folder:
//   frame.bmp, mainframe.ico                       sprite-sheet dialog
//   DialogSkin/Title.bmp, Status.bmp, Border.bmp,
//   DialogSkin/close_{normal,hover,pressed}.png    client-drawn dialog
//   Title.bmp, Status.bmp, Border.bmp, Icon.png,
//   {min,max,restore,close}_{normal,hover}.png,
//   skin.ini                                       frame dialog
#pragma once

#include "canvas.h"

#include <string>
#include <vector>

struct SkinShellFile {
    enum class Kind { Bitmap, Icon, Png, Text };
    std::string name; // inside the res folder, "/" between folders
    Kind kind;
    std::vector<Canvas> pictures; // one, or each size of an icon
    std::string text;             // a text file's contents
};

std::vector<SkinShellFile> SkinShellSkin();

// The file's bytes as written (bitmaps drop alpha: their pictures are opaque).
std::string EncodeSkinShellFile(const SkinShellFile& file);

// Writes every file below resFolder (created if needed); false with a
// reason in error when a file cannot be written.
bool WriteSkinShellSkin(const std::string& resFolder, std::string& error);
