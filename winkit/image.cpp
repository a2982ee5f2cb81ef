#include "image.h"

#include "gdiplus_session.h"
#include "image_encoders.h"

#include <gdiplus.h>

#include <cstring>
#include <memory>

namespace {

BITMAPINFO TopDown32BitInfo(int width, int height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

HBITMAP CreateTopDownDib(int width, int height, void** bits) {
    const BITMAPINFO info = TopDown32BitInfo(width, height);
    return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

} // namespace

bool Image::Create(int width, int height) {
    Reset();
    if (width <= 0 || height <= 0 || width > 32768 || height > 32768)
        return false;
    void* bits = nullptr;
    m_bitmap.Reset(CreateTopDownDib(width, height, &bits));
    if (!m_bitmap)
        return false;
    m_pixels = static_cast<uint32_t*>(bits);
    m_width = width;
    m_height = height;
    std::memset(m_pixels, 0, static_cast<size_t>(width) * height * 4);
    return true;
}

void Image::Reset() {
    m_bitmap.Reset();
    m_pixels = nullptr;
    m_width = m_height = 0;
    m_hasAlpha = false;
}

bool Image::Load(const std::wstring& path) {
    Reset();
    GdiplusSession gdiplus;
    if (!gdiplus.Ok())
        return false;
    Gdiplus::Bitmap source(path.c_str());
    return ConvertFrom(source);
}

bool Image::LoadFromBytes(std::string_view bytes) {
    Reset();
    GdiplusSession gdiplus;
    if (!gdiplus.Ok() || bytes.empty() || bytes.size() > 0x7FFFFFFF)
        return false;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (memory == nullptr)
        return false;
    if (void* copy = GlobalLock(memory)) {
        std::memcpy(copy, bytes.data(), bytes.size());
        GlobalUnlock(memory);
    }
    IStream* raw = nullptr;
    // The stream frees the memory when it goes.
    if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &raw))) {
        GlobalFree(memory);
        return false;
    }
    bool loaded = false;
    {
        Gdiplus::Bitmap source(raw);
        loaded = ConvertFrom(source);
    }
    raw->Release();
    return loaded;
}

bool Image::ConvertFrom(Gdiplus::Bitmap& source) {
    if (source.GetLastStatus() != Gdiplus::Ok)
        return false;
    const int width = static_cast<int>(source.GetWidth());
    const int height = static_cast<int>(source.GetHeight());
    if (!Create(width, height))
        return false;
    // Let GDI+ convert straight into our DIB's memory.
    Gdiplus::BitmapData data = {};
    data.Width = static_cast<UINT>(width);
    data.Height = static_cast<UINT>(height);
    data.Stride = width * 4;
    data.PixelFormat = PixelFormat32bppARGB;
    data.Scan0 = m_pixels;
    Gdiplus::Rect all(0, 0, width, height);
    if (source.LockBits(&all, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf,
                        PixelFormat32bppARGB, &data) != Gdiplus::Ok) {
        Reset();
        return false;
    }
    source.UnlockBits(&data);
    m_hasAlpha = Gdiplus::IsAlphaPixelFormat(source.GetPixelFormat());
    GdiFlush();
    return true;
}

uint32_t Image::PixelAt(int x, int y) const {
    if (m_pixels == nullptr || x < 0 || y < 0 || x >= m_width || y >= m_height)
        return 0;
    return m_pixels[static_cast<size_t>(y) * m_width + x];
}

void Image::Draw(HDC dc, int x, int y) const {
    if (IsNull())
        return;
    MemoryDC memory(dc);
    SelectObjectScope select(memory.Get(), m_bitmap.Get());
    BitBlt(dc, x, y, m_width, m_height, memory.Get(), 0, 0, SRCCOPY);
}

void Image::StretchDraw(HDC dc, const RECT& destination, const RECT& source) const {
    if (IsNull())
        return;
    MemoryDC memory(dc);
    SelectObjectScope select(memory.Get(), m_bitmap.Get());
    const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, destination.left, destination.top, destination.right - destination.left,
               destination.bottom - destination.top, memory.Get(), source.left, source.top,
               source.right - source.left, source.bottom - source.top, SRCCOPY);
    SetStretchBltMode(dc, oldMode);
}

namespace {

// Copies width x height pixels from a window's DC.
PixelBuffer CaptureFromDC(HDC source, int width, int height) {
    PixelBuffer result;
    if (source == nullptr || width <= 0 || height <= 0)
        return result;
    void* bits = nullptr;
    GdiBitmap dib(CreateTopDownDib(width, height, &bits));
    if (!dib)
        return result;
    MemoryDC memory(source);
    {
        SelectObjectScope select(memory.Get(), dib.Get());
        BitBlt(memory.Get(), 0, 0, width, height, source, 0, 0, SRCCOPY);
    }
    GdiFlush();
    result.width = width;
    result.height = height;
    const auto* pixels = static_cast<const uint32_t*>(bits);
    result.pixels.assign(pixels, pixels + static_cast<size_t>(width) * height);
    return result;
}

} // namespace

PixelBuffer CaptureWindow(HWND window) {
    RECT client = {};
    if (!GetClientRect(window, &client))
        return PixelBuffer{};
    WindowDC screen(window);
    return CaptureFromDC(screen.Get(), client.right, client.bottom);
}

PixelBuffer CaptureWholeWindow(HWND window) {
    RECT bounds = {};
    if (!GetWindowRect(window, &bounds))
        return PixelBuffer{};
    WholeWindowDC screen(window);
    return CaptureFromDC(screen.Get(), bounds.right - bounds.left, bounds.bottom - bounds.top);
}

PixelBuffer BitmapPixels(HBITMAP bitmap) {
    PixelBuffer result;
    BITMAP size = {};
    if (bitmap == nullptr || GetObjectW(bitmap, sizeof(size), &size) == 0)
        return result;
    const int width = size.bmWidth, height = size.bmHeight < 0 ? -size.bmHeight : size.bmHeight;
    BITMAPINFO info = TopDown32BitInfo(width, height);
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    WindowDC screen(nullptr);
    if (GetDIBits(screen.Get(), bitmap, 0, static_cast<UINT>(height), pixels.data(), &info,
                  DIB_RGB_COLORS) != height)
        return result;
    result.width = width;
    result.height = height;
    result.pixels = std::move(pixels);
    return result;
}

bool SavePng(const PixelBuffer& pixels, const std::wstring& path) {
    if (pixels.width <= 0 || pixels.height <= 0)
        return false;
    GdiplusSession gdiplus;
    CLSID png;
    if (!gdiplus.Ok() || !FindImageEncoder(L"image/png", png))
        return false;
    std::vector<uint32_t> opaque(pixels.pixels);
    for (uint32_t& p : opaque)
        p |= 0xFF000000u;
    Gdiplus::Bitmap bitmap(pixels.width, pixels.height, pixels.width * 4, PixelFormat32bppARGB,
                           reinterpret_cast<BYTE*>(opaque.data()));
    return bitmap.Save(path.c_str(), &png, nullptr) == Gdiplus::Ok;
}
