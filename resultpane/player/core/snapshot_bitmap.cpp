#include "snapshot_bitmap.h"

#include "byte_writer.h"
#include "yuv420.h"

namespace {

// Bitmaps beyond this side are not pictures a stream delivers.
constexpr int kMaxSide = 16384;

bool PlausibleSize(int width, int height) {
    return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide;
}

} // namespace

std::vector<uint8_t> BitmapHeaders(int32_t width, int32_t height, uint16_t bitsPerPixel,
                                   uint32_t pixelBytes) {
    ByteWriter w;
    // File header.
    w.Bytes("BM", 2);
    w.U32(static_cast<uint32_t>(kBitmapHeadersSize) + pixelBytes);
    w.U16(0);
    w.U16(0);
    w.U32(static_cast<uint32_t>(kBitmapHeadersSize));
    // Information header.
    w.U32(40);
    w.I32(width);
    w.I32(height); // positive: bottom row first
    w.U16(1);
    w.U16(bitsPerPixel);
    w.U32(0); // no compression
    w.U32(pixelBytes);
    w.I32(0);
    w.I32(0);
    w.U32(0);
    w.U32(0);
    return w.Take();
}

size_t Bgr24Stride(int width) {
    return width <= 0 ? 0 : (static_cast<size_t>(width) * 3 + 3) / 4 * 4;
}

std::vector<uint8_t> I420ToBitmapRows(std::span<const uint8_t> i420, int width, int height) {
    if (!PlausibleSize(width, height) || i420.size() < I420Bytes(width, height))
        return {};
    const size_t stride = Bgr24Stride(width);
    std::vector<uint8_t> rows(stride * static_cast<size_t>(height), 0);
    // The picture's top row goes last.
    I420ToBgr24(i420.data(), width, height, rows.data() + stride * static_cast<size_t>(height - 1),
                -static_cast<ptrdiff_t>(stride));
    return rows;
}

std::vector<uint8_t> SnapshotBitmapFile(std::span<const uint8_t> picture, int width, int height) {
    if (!PlausibleSize(width, height))
        return {};
    std::vector<uint8_t> file;
    if (picture.size() == static_cast<size_t>(width) * height * 4) {
        file = BitmapHeaders(width, height, 32, static_cast<uint32_t>(picture.size()));
        file.insert(file.end(), picture.begin(), picture.end());
        return file;
    }
    const std::vector<uint8_t> rows = I420ToBitmapRows(picture, width, height);
    if (rows.empty())
        return {};
    file = BitmapHeaders(width, height, 24, static_cast<uint32_t>(rows.size()));
    file.insert(file.end(), rows.begin(), rows.end());
    return file;
}
