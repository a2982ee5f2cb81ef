// Times building mask.bin for a 4000 x 3000 picture with a many-sided
// outline two ways under the platform's GDI+: painting the box black and the
// polygon white and reading every pixel of the box back one by one, against
// the scanline fill. Prints both times, their ratio, and whether the bytes
// agree. Not a test: run it by hand (cmake/wine-run.sh bin/regionpick_mask_timing.exe).
#include "gdiplus_session.h"
#include "many_sided_outline.h"
#include "target_files.h"
#include "target_mask.h"

#include <windows.h>

#include <gdiplus.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double Seconds() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The picture's box painted and read back pixel by pixel.
std::vector<uint8_t> PixelByPixel(Gdiplus::Bitmap& picture, const std::vector<PixelPoint>& polygon,
                                  const MaskBox& box) {
    {
        Gdiplus::Graphics graphics(&picture);
        Gdiplus::SolidBrush black(Gdiplus::Color(255, 0, 0, 0));
        graphics.FillRectangle(&black, box.x, box.y, box.width, box.height);
        FillTargetPolygon(graphics, polygon, Gdiplus::Color(255, 255, 255, 255));
    }
    std::vector<uint8_t> mask;
    mask.reserve(static_cast<size_t>(box.width) * box.height);
    for (int y = box.y; y < box.y + box.height; ++y) {
        for (int x = box.x; x < box.x + box.width; ++x) {
            Gdiplus::Color colour;
            picture.GetPixel(x, y, &colour);
            mask.push_back(colour.GetR() == 255 ? 0xFF : 0x00);
        }
    }
    return mask;
}

std::vector<uint8_t> Scanline(const std::vector<PixelPoint>& polygon, const MaskBox& box) {
    std::vector<uint8_t> mask(static_cast<size_t>(box.width) * box.height);
    MaskScanner scanner(polygon);
    for (int row = 0; row < box.height; ++row)
        scanner.FillRow(box.y + row, box.x,
                        std::span<uint8_t>(mask.data() + static_cast<size_t>(row) * box.width,
                                           static_cast<size_t>(box.width)));
    return mask;
}

} // namespace

int main() {
    GdiplusSession gdiplus;
    if (!gdiplus.Ok())
        return 1;
    for (const int vertices : {100, 1000}) {
        const std::vector<PixelPoint> polygon = ManySidedOutline(vertices);
        const TargetArea area = ChooseTargetArea(polygon, kBenchWidth, kBenchHeight);
        double slow = 1e9, fast = 1e9;
        bool same = true;
        for (int round = 0; round < 3; ++round) {
            Gdiplus::Bitmap picture(kBenchWidth, kBenchHeight, PixelFormat24bppRGB);
            double start = Seconds();
            const std::vector<uint8_t> bySlowWay = PixelByPixel(picture, polygon, area.box);
            slow = std::min(slow, Seconds() - start);
            start = Seconds();
            const std::vector<uint8_t> byScanline = Scanline(polygon, area.box);
            fast = std::min(fast, Seconds() - start);
            same = same && bySlowWay == byScanline;
        }
        std::printf("%d vertices, box %d x %d: GDI+ fill and per-pixel reads %.3f s, scanline "
                    "fill %.4f s, ratio %.0f, bytes %s\n",
                    vertices, area.box.width, area.box.height, slow, fast, slow / fast,
                    same ? "identical" : "DIFFERENT");
    }
    return 0;
}
