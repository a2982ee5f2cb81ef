#include "target_files.h"

#include "image_encoders.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <system_error>
#include <vector>

namespace {

using BitmapPtr = std::unique_ptr<Gdiplus::Bitmap>;

bool IsUsable(Gdiplus::Bitmap& picture) {
    return picture.GetLastStatus() == Gdiplus::Ok && picture.GetWidth() > 0 &&
           picture.GetHeight() > 0;
}

// The picture file at full resolution in memory of its own, in a format GDI+
// can draw on: 24 bits per pixel, or 32 for pictures of more (indexed and
// 16-bit pictures cannot be drawn on). The file is closed on return, so the
// picture may be one of the files about to be written. Null on failure.
BitmapPtr LoadDrawablePicture(const std::wstring& path) {
    if (path.empty())
        return nullptr;
    Gdiplus::Bitmap source(path.c_str());
    if (!IsUsable(source))
        return nullptr;
    const INT width = static_cast<INT>(source.GetWidth());
    const INT height = static_cast<INT>(source.GetHeight());
    const Gdiplus::PixelFormat format = Gdiplus::GetPixelFormatSize(source.GetPixelFormat()) > 24
                                            ? PixelFormat32bppARGB
                                            : PixelFormat24bppRGB;
    auto copy = std::make_unique<Gdiplus::Bitmap>(width, height, format);
    if (!IsUsable(*copy))
        return nullptr;
    // The source converts its pixels straight into the copy's memory.
    Gdiplus::Rect all(0, 0, width, height);
    Gdiplus::BitmapData target = {};
    if (copy->LockBits(&all, Gdiplus::ImageLockModeWrite, format, &target) != Gdiplus::Ok)
        return nullptr;
    Gdiplus::BitmapData into = target;
    const bool read =
        source.LockBits(&all, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf,
                        format, &into) == Gdiplus::Ok;
    if (read)
        source.UnlockBits(&into);
    copy->UnlockBits(&target);
    return read ? std::move(copy) : nullptr;
}

// Saves the box of picture, pixel for pixel, as a file whose encoder the
// extension chooses (with the encoder's default settings).
bool SaveBox(Gdiplus::Bitmap& picture, const MaskBox& box, const std::wstring& path) {
    CLSID encoder;
    if (!FindImageEncoderForFile(path, encoder))
        return false;
    BitmapPtr part(picture.Clone(box.x, box.y, box.width, box.height, picture.GetPixelFormat()));
    if (!part || part->GetLastStatus() != Gdiplus::Ok)
        return false;
    return part->Save(path.c_str(), &encoder, nullptr) == Gdiplus::Ok;
}

// The outline on a picture at full resolution.
struct PlacedTarget {
    int width;
    int height;
    std::vector<PixelPoint> polygon;
    TargetArea area;
};

PlacedTarget PlaceTarget(UINT pictureWidth, UINT pictureHeight,
                         std::span<const NormalizedPoint> outline) {
    const int width = static_cast<int>(pictureWidth);
    const int height = static_cast<int>(pictureHeight);
    std::vector<PixelPoint> polygon = ScaleOutlineToPicture(outline, width, height);
    const TargetArea area = ChooseTargetArea(polygon, width, height);
    return PlacedTarget{width, height, std::move(polygon), area};
}

} // namespace

TargetFilePaths TargetFilePaths::In(const std::wstring& folder) {
    return TargetFilePaths{folder + L"\\obj.jpg", folder + L"\\mask.jpg", folder + L"\\mask.bin"};
}

bool FillTargetPolygon(Gdiplus::Graphics& graphics, std::span<const PixelPoint> polygon,
                       const Gdiplus::Color& colour) {
    if (polygon.empty())
        return true;
    std::vector<Gdiplus::Point> points;
    points.reserve(polygon.size());
    for (const PixelPoint& point : polygon)
        points.emplace_back(point.x, point.y);
    Gdiplus::SolidBrush brush(colour);
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeNone);
    return graphics.FillPolygon(&brush, points.data(), static_cast<INT>(points.size()),
                                Gdiplus::FillModeAlternate) == Gdiplus::Ok;
}

bool WriteTargetPictures(const std::wstring& picturePath, std::span<const NormalizedPoint> outline,
                         const std::wstring& folder) {
    const BitmapPtr picture = LoadDrawablePicture(picturePath);
    if (!picture)
        return false;
    const PlacedTarget target = PlaceTarget(picture->GetWidth(), picture->GetHeight(), outline);
    const TargetArea& area = target.area;
    const TargetFilePaths paths = TargetFilePaths::In(folder);

    // The target picture is cut before the mask is painted over it.
    if (!SaveBox(*picture, area.box, paths.objPicture))
        return false;

    bool painted;
    {
        Gdiplus::Graphics graphics(picture.get());
        const Gdiplus::Color white(255, 255, 255, 255), black(255, 0, 0, 0);
        Gdiplus::SolidBrush whiteBrush(white), blackBrush(black);
        if (graphics.GetLastStatus() != Gdiplus::Ok) {
            painted = false;
        } else if (area.wholePicture) {
            painted = graphics.FillRectangle(&whiteBrush, 0, 0, target.width, target.height) ==
                      Gdiplus::Ok;
        } else {
            painted = graphics.FillRectangle(&blackBrush, area.box.x, area.box.y, area.box.width,
                                             area.box.height) == Gdiplus::Ok &&
                      FillTargetPolygon(graphics, target.polygon, white);
        }
    }
    return painted && SaveBox(*picture, area.box, paths.maskPicture);
}

bool WriteTargetMaskBytes(int width, int height, std::span<const NormalizedPoint> outline,
                          const std::wstring& folder) {
    if (width <= 0 || height <= 0)
        return false;
    const PlacedTarget target = PlaceTarget(width, height, outline);
    const TargetArea& area = target.area;
    const std::filesystem::path path(TargetFilePaths::In(folder).maskBytes);

    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file)
        return false;
    std::vector<uint8_t> row(static_cast<size_t>(area.box.width));
    if (area.wholePicture) {
        std::fill(row.begin(), row.end(), 0xFF);
        for (int y = 0; y < area.box.height && file; ++y)
            file.write(reinterpret_cast<const char*>(row.data()), std::streamsize(row.size()));
    } else {
        MaskScanner scanner(target.polygon);
        for (int y = area.box.y; y < area.box.y + area.box.height && file; ++y) {
            scanner.FillRow(y, area.box.x, row);
            file.write(reinterpret_cast<const char*>(row.data()), std::streamsize(row.size()));
        }
    }
    file.close();
    if (file.fail()) {
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
        return false;
    }
    return true;
}
