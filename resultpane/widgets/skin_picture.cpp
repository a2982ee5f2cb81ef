#include "skin_picture.h"

#include "premultiply.h"

#include <map>
#include <mutex>

namespace {

// A file as it was when decoded: a file changed on disk is decoded again.
struct FileStamp {
    std::wstring path;
    FILETIME written = {};
    ULONGLONG size = 0;

    bool operator<(const FileStamp& other) const {
        if (path != other.path)
            return path < other.path;
        if (size != other.size)
            return size < other.size;
        return CompareFileTime(&written, &other.written) < 0;
    }
};

bool StampOf(const wchar_t* path, FileStamp& stamp) {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!GetFileAttributesExW(path, GetFileExInfoStandard, &data))
        return false;
    stamp.path = path;
    stamp.written = data.ftLastWriteTime;
    stamp.size = (ULONGLONG{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
    return true;
}

std::shared_ptr<const Image> Decode(const wchar_t* path) {
    auto image = std::make_shared<Image>();
    if (!image->Load(path))
        return nullptr;
    // Every picture is held with 32 bits; those without an alpha channel
    // come out opaque, where premultiplying changes nothing.
    PremultiplyPixels(image->Pixels(),
                      static_cast<size_t>(image->Width()) * static_cast<size_t>(image->Height()));
    return image;
}

// The decoded pictures of the process, for as long as it runs (a skin is a
// few dozen small files).
std::shared_ptr<const Image> Shared(const wchar_t* path) {
    static std::mutex lock;
    static std::map<FileStamp, std::shared_ptr<const Image>> pictures;
    FileStamp stamp;
    if (!StampOf(path, stamp))
        return nullptr;
    {
        std::lock_guard<std::mutex> hold(lock);
        const auto found = pictures.find(stamp);
        if (found != pictures.end())
            return found->second;
    }
    std::shared_ptr<const Image> image = Decode(path);
    if (!image)
        return nullptr;
    std::lock_guard<std::mutex> hold(lock);
    return pictures.emplace(stamp, std::move(image)).first->second;
}

} // namespace

bool SkinPicture::Load(const wchar_t* path) {
    m_image.reset();
    if (path == nullptr || *path == L'\0')
        return false;
    m_image = Shared(path);
    return m_image != nullptr;
}

const Image& SkinPicture::Pixels() const {
    static const Image none;
    return m_image ? *m_image : none;
}

void SkinPicture::DrawWithAlpha(HDC dc, int x, int y) const {
    if (IsNull())
        return;
    MemoryDC memory(dc);
    SelectObjectScope select(memory.Get(), m_image->Bitmap());
    const BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(dc, x, y, Width(), Height(), memory.Get(), 0, 0, Width(), Height(), blend);
}

void SkinPicture::StretchOver(HDC dc, const RECT& destination) const {
    if (IsNull())
        return;
    const RECT all = {0, 0, Width(), Height()};
    m_image->StretchDraw(dc, destination, all);
}
