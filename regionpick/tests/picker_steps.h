// Steps and checks the picker tests share.
#pragma once

#include "outline.h"
#include "picker_driver.h"
#include "picker_library.h"

#include <cwchar>
#include <initializer_list>
#include <string>

// The two 260-character buffers the callers pass, filled with a marker so
// that any write shows.
struct PathBuffers {
    static constexpr uint32_t kSize = 260;
    wchar_t obj[kSize];
    wchar_t mask[kSize];

    PathBuffers() {
        wmemset(obj, L'#', kSize);
        wmemset(mask, L'#', kSize);
    }
    bool Untouched() const {
        for (uint32_t i = 0; i < kSize; ++i)
            if (obj[i] != L'#' || mask[i] != L'#')
                return false;
        return true;
    }
};

// Left clicks at vertices given relative to the shown picture.
inline void ClickOutline(PickerDriver& picker, const PixelRect& picture,
                         std::initializer_list<PixelPoint> vertices) {
    for (const PixelPoint& vertex : vertices)
        picker.Click(picture.left + vertex.x, picture.top + vertex.y);
    picker.Sync();
}

// Makes the dialog large enough that pictures up to 640 x 480 are shown at
// natural size, so that clicks land on exact picture pixels.
inline void MakeRoomForNaturalSize(PickerDriver& picker) {
    picker.Resize(1000, 700);
}

// One ShowSearchPictureDlg2 call driven by script.
struct Dlg2Run {
    std::string failure; // the script's, empty when none
    int result = -1;
    PathBuffers buffers;
};
inline Dlg2Run RunDlg2(const PickerLibrary& library,
                       const std::function<void(PickerDriver&)>& script,
                       uint32_t objSize = PathBuffers::kSize,
                       uint32_t maskSize = PathBuffers::kSize) {
    Dlg2Run run;
    run.failure = DriveWhile(script, [&] {
        run.result = library.Dlg2()(run.buffers.obj, objSize, run.buffers.mask, maskSize);
    });
    return run;
}
