// How long the drawing view takes to follow the mouse while the operator
// draws a region on a 1920 x 1080 snapshot fitted into a 640 x 640 area: each
// move is one WM_MOUSEMOVE plus the repaint it causes, run to completion.
// For comparison it also times stretching the whole snapshot once, which a
// view that did not keep its scaled picture would pay on every move.
//
//   cmake/wine-run.sh build/win64/bin/tasksetup_view_timing.exe [moves]
#include "draw_roi_tripwire_view.h"
#include "gdi.h"
#include "module_path.h"
#include "window.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

class TimingParent : public CustomWindow {
public:
    ~TimingParent() override { Destroy(); }

protected:
    bool OnMessage(UINT, WPARAM, LPARAM, LRESULT&) override { return false; }
};

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

void Report(const char* what, std::vector<double> times) {
    std::sort(times.begin(), times.end());
    double sum = 0;
    for (double t : times)
        sum += t;
    std::printf("%-40s n=%zu mean %.3f ms, median %.3f ms, 95%% %.3f ms, max %.3f ms\n", what,
                times.size(), sum / times.size(), times[times.size() / 2],
                times[times.size() * 95 / 100], times.back());
}

// A snapshot-like picture: a gradient with some blocks, written as a PNG.
bool WriteSnapshot(const std::wstring& path) {
    PixelBuffer pixels;
    pixels.width = 1920;
    pixels.height = 1080;
    pixels.pixels.resize(static_cast<size_t>(pixels.width) * pixels.height);
    for (int y = 0; y < pixels.height; ++y)
        for (int x = 0; x < pixels.width; ++x)
            pixels.pixels[static_cast<size_t>(y) * pixels.width + x] =
                ((x / 8) & 0xFF) << 16 | ((y / 5) & 0xFF) << 8 | (((x + y) / 64) % 2 ? 0x80 : 0x20);
    return SavePng(pixels, path);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const int moves = argc > 1 ? std::max(10, _wtoi(argv[1])) : 500;
    const std::wstring picture = ModuleFolder() + L"\\view_timing_snapshot.png";
    if (!WriteSnapshot(picture)) {
        std::printf("cannot write %ls\n", picture.c_str());
        return 1;
    }
    TimingParent parent;
    RECT frame = {0, 0, 700, 700};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
    OffsetRect(&frame, 10 - frame.left, 10 - frame.top);
    parent.Create(L"ViewTimingParent", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 0, frame,
                  nullptr, L"view timing");
    HWND area = CreateWindowExW(0, L"Static", L"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10,
                                parent.Hwnd(), nullptr, nullptr, nullptr);
    CDrawROIAndTripWireView view;
    view.Subclass(area);
    view.SetArea(0, 0, 640, 640);
    if (!view.LoadImage(picture)) {
        std::printf("cannot load the snapshot\n");
        return 1;
    }
    UpdateWindow(area);
    view.BeginRegion(true);
    SendMessageW(area, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 100));

    std::vector<double> times;
    for (int i = 0; i < moves; ++i) {
        const int x = 100 + (i * 7) % 500, y = 100 + (i * 3) % 250;
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        SendMessageW(area, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
        UpdateWindow(area);
        QueryPerformanceCounter(&end);
        times.push_back(Milliseconds(start, end));
    }
    Report("mouse move with repaint (640x360 view)", times);

    // The same snapshot stretched from its full size at every move.
    Image full;
    full.Load(picture);
    Image target;
    target.Create(640, 360);
    std::vector<double> stretches;
    for (int i = 0; i < std::min(moves, 100); ++i) {
        MemoryDC memory(nullptr);
        SelectObjectScope select(memory.Get(), target.Bitmap());
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        full.StretchDraw(memory.Get(), RECT{0, 0, 640, 360}, RECT{0, 0, 1920, 1080});
        GdiFlush();
        QueryPerformanceCounter(&end);
        stretches.push_back(Milliseconds(start, end));
    }
    Report("stretching 1920x1080 to 640x360 once", stretches);
    DeleteFileW(picture.c_str());
    return 0;
}
