// The picture encoders GDI+ offers, found by MIME type or by a file's
// extension. Call with GDI+ started (a GdiplusSession alive).
#pragma once

#include <windows.h>

#include <string>

// The encoder for a MIME type such as "image/png".
bool FindImageEncoder(const wchar_t* mimeType, CLSID& clsid);
// The encoder whose file extensions ("*.JPG;*.JPEG;...") include the
// extension of path, compared without regard to case.
bool FindImageEncoderForFile(const std::wstring& path, CLSID& clsid);
