// The skin folder the build installs beside the controls, as the controls
// will read it: every picture decodes through the platform (GDI+) to exactly
// the pixels that were drawn.
#include "default_skin.h"
#include "image.h"
#include "module_path.h"

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
