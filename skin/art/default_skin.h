// The default skin of the result viewer: every picture its panels name,
// drawn here so the artwork is ours and is made at build time.
#pragma once

#include "canvas.h"

#include <string>
#include <vector>

struct SkinFile {
    std::string name; // file name inside the skin folder
    Canvas picture;
};

// The button pictures come in three states, named <stem>_normal.png,
// <stem>_hover.png and <stem>_pressed.png.
std::vector<std::string> ButtonStems();

// Every picture of the skin, in a stable order.
std::vector<SkinFile> DefaultSkin();

// Writes every picture into folder (created if needed) as PNG files; false
// with a reason in error when a file cannot be written.
bool WriteDefaultSkin(const std::string& folder, std::string& error);
