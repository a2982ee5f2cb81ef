#include "target_files.h"

#include "image_encoders.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <system_error>
#include <vector>

namespace {

using BitmapPtr = std::unique_ptr<Gdiplus::Bitmap>;

// The picture file at full resolution, or null.
BitmapPtr LoadPicture(const std::wstring& path) {
    if (path.empty())
        return nullptr;
    BitmapPtr picture(Gdiplus::Bitmap::FromFile(path.c_str()));
    if (!picture || picture->GetLastStatus() != Gdiplus::Ok || picture->GetWidth() == 0 ||
        picture->GetHeight() == 0)
        return nullptr;
    return picture;
}

// The picture in a format GDI+ can draw on: 24 bits per pixel, or 32 for
// pictures of more (indexed and 16-bit pictures cannot be drawn on).
BitmapPtr DrawableCopy(Gdiplus::Bitmap& picture) {
    const Gdiplus::PixelFormat format = Gdiplus::GetPixelFormatSize(picture.GetPixelFormat()) > 24
                                            ? PixelFormat32bppARGB
                                            : PixelFormat24bppRGB;
    BitmapPtr copy(picture.Clone(0, 0, static_cast<INT>(picture.GetWidth()),
                                 static_cast<INT>(picture.GetHeight()), format));
    if (!copy || copy->GetLastStatus() != Gdiplus::Ok)
        return nullptr;
    return copy;
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

PlacedTarget PlaceTarget(Gdiplus::Bitmap& picture, std::span<const NormalizedPoint> outline) {
    const int width = static_cast<int>(picture.GetWidth());
    const int height = static_cast<int>(picture.GetHeight());
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
    const BitmapPtr loaded = LoadPicture(picturePath);
    if (!loaded)
        return false;
    const BitmapPtr picture = DrawableCopy(*loaded);
    if (!picture)
        return false;
    const PlacedTarget target = PlaceTarget(*picture, outline);
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

bool WriteTargetMaskBytes(const std::wstring& picturePath, std::span<const NormalizedPoint> outline,
                          const std::wstring& folder) {
    const BitmapPtr picture = LoadPicture(picturePath);
    if (!picture)
        return false;
    const PlacedTarget target = PlaceTarget(*picture, outline);
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
