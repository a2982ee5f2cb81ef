// The three files that describe a confirmed target, written into the picker's
// output folder: "obj.jpg" (the picture cut to the target's box), "mask.jpg"
// (the same box, target white on black) and "mask.bin" (the mask as bytes,
// 0xFF inside, row by row). The outline is given relative to the picture and
// the picture file is read again at full resolution. Call with GDI+ started.
#pragma once

#include "outline.h"
#include "target_mask.h"

#include <windows.h>

#include <gdiplus.h>

#include <span>
#include <string>

struct TargetFilePaths {
    std::wstring objPicture;  // obj.jpg
    std::wstring maskPicture; // mask.jpg
    std::wstring maskBytes;   // mask.bin

    static TargetFilePaths In(const std::wstring& folder);
};

// Writes obj.jpg and mask.jpg. False when the picture cannot be loaded or
// either file cannot be encoded and written.
bool WriteTargetPictures(const std::wstring& picturePath, std::span<const NormalizedPoint> outline,
                         const std::wstring& folder);

// Writes mask.bin for a picture of width x height pixels: the size of the
// picture the outline was drawn on, which is not read from its file again
// (that file may be the obj.jpg just replaced). False when the file cannot be
// written completely (a partly written file is removed).
bool WriteTargetMaskBytes(int width, int height, std::span<const NormalizedPoint> outline,
                          const std::wstring& folder);

// Paints the polygon opaque in colour onto graphics the way the mask picture
// is painted: even-odd rule, no anti-aliasing.
bool FillTargetPolygon(Gdiplus::Graphics& graphics, std::span<const PixelPoint> polygon,
                       const Gdiplus::Color& colour);
