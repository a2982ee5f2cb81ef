// The outside libraries the parameter panel calls, loaded on first use from
// the control's own folder and kept loaded for the rest of the process, as
// their callers expect (their windows and dialogs may outlive one call).
#pragma once

#include <cstdint>
#include <string>

// HueSampler.dll's colour picker: the COLORREF the operator picked, or
// 0xFFFFFFFF (-1) when the library or its export is missing or the operator
// gave up.
uint32_t PickScreenColor();

// RegionPick.dll's search picture dialog. True with the paths of the target
// picture and its mask when the operator confirmed; false changes nothing.
bool ChooseSearchPicture(std::wstring& picturePath, std::wstring& maskPath);
