// One run of the picker dialog and what it produced: shared by the exports.
#pragma once

#include <string>

struct SearchPictureResult {
    bool confirmed = false;    // the operator pressed OK
    bool filesWritten = false; // this run wrote obj.jpg, mask.jpg and mask.bin
    std::wstring objPath;      // obj.jpg in the output folder
    std::wstring maskPath;     // mask.bin in the output folder
};

// Runs the dialog modally (owned by the caller's active window) with
// initialPicture shown at start, then writes mask.bin when confirmed.
SearchPictureResult RunSearchPicture(const std::wstring& initialPicture);
