// The open-file dialog in which the operator chooses a picture to import.
#pragma once

#include <windows.h>

#include <string>

// Shows the dialog owned by owner; true with the chosen path when the
// operator confirmed.
bool AskForPictureFile(HWND owner, std::wstring& path);
