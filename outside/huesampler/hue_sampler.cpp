// The library's entry point: a colour picked from the screen.
#include "magnifier.h"

// No arguments; the COLORREF under the cursor when the operator clicks, or
// 0xFFFFFFFF (-1) when the operator presses Escape or right-clicks.
extern "C" COLORREF __cdecl GetHueSampler() {
    try {
        Magnifier magnifier;
        return magnifier.Run();
    } catch (...) {
        return 0xFFFFFFFFu;
    }
}
