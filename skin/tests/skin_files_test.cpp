// The skin folders the build installs beside the DLLs, as they will be read:
// every picture decodes through the platform to exactly the pixels that
// were drawn.
#include "default_skin.h"
#include "image.h"
#include "module_path.h"
#include "skinshell_skin.h"
#include "test_fixture.h"

#include <gtest/gtest.h>

namespace {

TEST(InstalledSkin, EveryPictureDecodesToWhatWasDrawn) {
    const std::wstring folder = ModuleFolder() + L"\\skin\\";
    for (const SkinFile& file : DefaultSkin()) {
        SCOPED_TRACE(file.name);
        Image decoded;
        ASSERT_TRUE(decoded.Load(folder + std::wstring(file.name.begin(), file.name.end())));
        ASSERT_EQ(file.picture.Width(), decoded.Width());
        ASSERT_EQ(file.picture.Height(), decoded.Height());
        EXPECT_TRUE(decoded.HasAlpha());
        const std::vector<uint8_t> rgba = file.picture.Rgba();
        for (int y = 0; y < decoded.Height(); ++y) {
            for (int x = 0; x < decoded.Width(); ++x) {
                const uint8_t* p = &rgba[(static_cast<size_t>(y) * decoded.Width() + x) * 4];
                const uint32_t drawn =
                    static_cast<uint32_t>(p[3]) << 24 | p[0] << 16 | p[1] << 8 | p[2];
                ASSERT_EQ(drawn, decoded.PixelAt(x, y)) << x << "," << y;
            }
        }
    }
}

} // namespace

namespace {

std::vector<uint32_t> DrawnPixels(const Canvas& picture, bool keepAlpha) {
    std::vector<uint32_t> pixels;
    const std::vector<uint8_t> rgba = picture.Rgba();
    for (size_t k = 0; k < rgba.size(); k += 4)
        pixels.push_back(static_cast<uint32_t>(keepAlpha ? rgba[k + 3] : 0) << 24 | rgba[k] << 16 |
                         rgba[k + 1] << 8 | rgba[k + 2]);
    return pixels;
}

std::vector<uint32_t> WithoutAlpha(std::vector<uint32_t> pixels) {
    for (uint32_t& p : pixels)
        p &= 0xFFFFFF;
    return pixels;
}

SIZE BitmapSize(const std::wstring& path) {
    GdiBitmap bitmap(static_cast<HBITMAP>(
        LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
    BITMAP info = {};
    GetObjectW(bitmap.Get(), sizeof(info), &info);
    return SIZE{info.bmWidth, info.bmHeight};
}

// The skinned dialogs' "res" folder as they load it: bitmaps and the icon
// through the system's own loaders.
TEST(InstalledSkin, TheSkinnedDialogsFilesLoadAsDrawn) {
    const std::wstring folder = ModuleFolder() + L"\\res\\";
    for (const SkinShellFile& file : SkinShellSkin()) {
        SCOPED_TRACE(file.name);
        std::wstring path = folder + std::wstring(file.name.begin(), file.name.end());
        for (wchar_t& c : path)
            c = c == L'/' ? L'\\' : c;
        const Canvas* first = file.pictures.empty() ? nullptr : &file.pictures.front();
        switch (file.kind) {
        case SkinShellFile::Kind::Bitmap: {
            GdiBitmap bitmap(static_cast<HBITMAP>(LoadImageW(
                nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
            ASSERT_TRUE(bitmap);
            EXPECT_EQ(WithoutAlpha(BitmapPixels(bitmap.Get()).pixels), DrawnPixels(*first, false));
            break;
        }
        case SkinShellFile::Kind::Icon:
            for (const Canvas& size : file.pictures) {
                const HICON icon =
                    static_cast<HICON>(LoadImageW(nullptr, path.c_str(), IMAGE_ICON, size.Width(),
                                                  size.Height(), LR_LOADFROMFILE));
                ASSERT_NE(nullptr, icon);
                ICONINFO parts = {};
                ASSERT_TRUE(GetIconInfo(icon, &parts));
                GdiBitmap colour(parts.hbmColor), mask(parts.hbmMask);
                EXPECT_EQ(BitmapPixels(colour.Get()).pixels, DrawnPixels(size, true));
                DestroyIcon(icon);
            }
            break;
        case SkinShellFile::Kind::Png: // the encoder is proven on the viewer's skin above
        case SkinShellFile::Kind::Text:
            EXPECT_TRUE(FileExists(path));
            break;
        }
    }

    // The frame dialog's skin file describes its own bitmaps.
    const std::wstring ini = folder + L"skin.ini";
    const auto value = [&](const wchar_t* key) {
        return static_cast<LONG>(GetPrivateProfileIntW(L"Frame", key, -1, ini.c_str()));
    };
    const LONG side = value(L"TitleLeftAndRightWidth"), middle = value(L"TitleCenterWidth");
    const SIZE title = BitmapSize(folder + L"Title.bmp");
    const SIZE status = BitmapSize(folder + L"Status.bmp");
    const SIZE border = BitmapSize(folder + L"Border.bmp");
    EXPECT_EQ(title.cx, 2 * side + middle);
    EXPECT_EQ(title.cy, value(L"TitleHeight"));
    EXPECT_EQ(status.cx, 2 * side + middle);
    EXPECT_EQ(status.cy, value(L"StatusHeight"));
    EXPECT_EQ(border.cx, 2 * value(L"BorderWidth"));
}

} // namespace
