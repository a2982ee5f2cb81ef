#include "default_skin.h"
#include "png_encoder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>

namespace {

// Every picture the result viewer's panels load from their skin folder.
std::set<std::string> NamesThePanelsUse() {
    std::set<std::string> names = {"center_logo.png", "dlg_bk.png", "progress_slider_bk.png",
                                   "progress_slider_humb.png", "progress_slider_over_bk.png"};
    for (const char* stem :
         {"pause", "play", "stop", "time", "object", "captuepic", "download", "cutvideo",
          "full_screen", "snapshot1", "snapshot2", "snapshot3", "snapshot4", "bt_serchbyimg"}) {
        for (const char* state : {"_normal.png", "_pressed.png", "_hover.png"})
            names.insert(std::string(stem) + state);
    }
    return names;
}

std::map<std::string, const Canvas*> ByName(const std::vector<SkinFile>& files) {
    std::map<std::string, const Canvas*> byName;
    for (const SkinFile& file : files)
        byName[file.name] = &file.picture;
    return byName;
}

bool SamePixels(const Canvas& a, const Canvas& b) {
    return a.Rgba() == b.Rgba();
}

float MaxAlpha(const Canvas& c) {
    float alpha = 0;
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x)
            alpha = std::max(alpha, c.At(x, y).a);
    return alpha;
}

class DefaultSkinTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_files = new std::vector<SkinFile>(DefaultSkin()); }
    static void TearDownTestSuite() {
        delete s_files;
        s_files = nullptr;
    }
    static std::vector<SkinFile>* s_files;
};
std::vector<SkinFile>* DefaultSkinTest::s_files = nullptr;

TEST_F(DefaultSkinTest, HoldsExactlyThePicturesThePanelsName) {
    std::multiset<std::string> names;
    for (const SkinFile& file : *s_files)
        names.insert(file.name);
    const std::set<std::string> expected = NamesThePanelsUse();
    EXPECT_EQ(std::multiset<std::string>(expected.begin(), expected.end()), names);
}

TEST_F(DefaultSkinTest, EveryButtonStateShowsItsSymbolAndDiffersFromTheOthers) {
    const auto pictures = ByName(*s_files);
    for (const std::string& stem : ButtonStems()) {
        const Canvas& normal = *pictures.at(stem + "_normal.png");
        const Canvas& hover = *pictures.at(stem + "_hover.png");
        const Canvas& pressed = *pictures.at(stem + "_pressed.png");
        EXPECT_EQ(normal.Width(), hover.Width()) << stem;
        EXPECT_EQ(normal.Width(), pressed.Width()) << stem;
        EXPECT_EQ(normal.Height(), hover.Height()) << stem;
        EXPECT_EQ(normal.Height(), pressed.Height()) << stem;
        EXPECT_FALSE(SamePixels(normal, hover)) << stem;
        EXPECT_FALSE(SamePixels(normal, pressed)) << stem;
        EXPECT_FALSE(SamePixels(hover, pressed)) << stem;
        EXPECT_FLOAT_EQ(1.0f, MaxAlpha(normal)) << stem << ": the symbol is solid somewhere";
        EXPECT_EQ(0.0f, normal.At(0, 0).a) << stem << ": corners show the panel behind";
    }
}

TEST_F(DefaultSkinTest, ButtonsFitBetweenTheirNeighboursInThePlaybackPanel) {
    const auto pictures = ByName(*s_files);
    const auto size = [&](const std::string& stem) {
        const Canvas& c = *pictures.at(stem + "_normal.png");
        return std::pair{c.Width(), c.Height()};
    };
    // Play/pause at (10, H-55), stop at (75, H-40).
    EXPECT_LE(size("play").first, 65);
    EXPECT_LE(size("play").second, 55);
    EXPECT_EQ(size("play"), size("pause")) << "they take turns at one place";
    EXPECT_LE(size("stop").second, 40);
    // The toggles and capture stand 55 pixels apart from W-227, 30 pixels above the bottom.
    for (const char* stem : {"time", "object", "captuepic"}) {
        EXPECT_LE(size(stem).first, 55) << stem;
        EXPECT_LE(size(stem).second, 30) << stem;
    }
    // Download at (W-65, H-25) and full screen at (W-40, H-35).
    EXPECT_LE(size("download").first, 25);
    EXPECT_LE(size("download").second, 25);
    EXPECT_LE(size("full_screen").first, 40);
    EXPECT_LE(size("full_screen").second, 35);
    // The snapshot strip is 70 high with its buttons 40 above the bottom.
    for (const char* stem : {"snapshot1", "snapshot2", "snapshot3", "snapshot4", "bt_serchbyimg"})
        EXPECT_LE(size(stem).second, 40) << stem;
    EXPECT_EQ(size("snapshot1"), size("snapshot4"))
        << "the column buttons are laid out by the first";
}

TEST_F(DefaultSkinTest, SliderPicturesFitTheSeventeenPixelSlider) {
    const auto pictures = ByName(*s_files);
    EXPECT_EQ(17, pictures.at("progress_slider_bk.png")->Height());
    EXPECT_EQ(17, pictures.at("progress_slider_over_bk.png")->Height());
    const Canvas& thumb = *pictures.at("progress_slider_humb.png");
    EXPECT_LE(thumb.Height(), 17);
    EXPECT_EQ(0.0f, thumb.At(0, 0).a) << "round thumb";
    EXPECT_FLOAT_EQ(1.0f, thumb.At(thumb.Width() / 2, thumb.Height() / 2).a);
    EXPECT_FALSE(SamePixels(*pictures.at("progress_slider_bk.png"),
                            *pictures.at("progress_slider_over_bk.png")))
        << "the played part stands out";
}

TEST_F(DefaultSkinTest, LogoAndStripAreOpaqueAndTheLogoMeltsIntoItsCornerColour) {
    const auto pictures = ByName(*s_files);
    const Canvas& logo = *pictures.at("center_logo.png");
    const std::vector<uint8_t> bytes = logo.Rgba();
    for (size_t i = 3; i < bytes.size(); i += 4)
        ASSERT_EQ(255, bytes[i]) << "the start panel copies the logo without alpha";
    const auto pixel = [&](int x, int y) {
        const size_t at = (static_cast<size_t>(y) * logo.Width() + x) * 4;
        return std::vector<uint8_t>(bytes.begin() + at, bytes.begin() + at + 4);
    };
    for (int x = 0; x < logo.Width(); ++x) {
        ASSERT_EQ(pixel(0, 0), pixel(x, 0));
        ASSERT_EQ(pixel(0, 0), pixel(x, logo.Height() - 1));
    }
    for (int y = 0; y < logo.Height(); ++y) {
        ASSERT_EQ(pixel(0, 0), pixel(0, y));
        ASSERT_EQ(pixel(0, 0), pixel(logo.Width() - 1, y));
    }
    EXPECT_NE(pixel(0, 0), pixel(logo.Width() / 5, logo.Height() / 2)) << "the emblem shows";

    const Canvas& strip = *pictures.at("dlg_bk.png");
    EXPECT_EQ(70, strip.Height());
    const std::vector<uint8_t> stripBytes = strip.Rgba();
    for (size_t i = 3; i < stripBytes.size(); i += 4)
        ASSERT_EQ(255, stripBytes[i]);
}

TEST(WriteDefaultSkin, WritesEveryPictureAsPngAndReportsAFolderItCannotMake) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() /
        ("vr-skin-test-" +
         std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    std::string error;
    ASSERT_TRUE(WriteDefaultSkin((folder / "skin").string(), error)) << error;
    size_t count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder / "skin")) {
        std::ifstream in(entry.path(), std::ios::binary);
        std::string signature(8, '\0');
        in.read(signature.data(), 8);
        EXPECT_EQ(std::string("\x89PNG\r\n\x1a\n", 8), signature) << entry.path();
        ++count;
    }
    EXPECT_EQ(NamesThePanelsUse().size(), count);

    // A file where the folder should be.
    std::ofstream((folder / "blocker").string()) << "x";
    EXPECT_FALSE(WriteDefaultSkin((folder / "blocker" / "skin").string(), error));
    EXPECT_NE(std::string::npos, error.find("blocker")) << error;
    std::filesystem::remove_all(folder);
}

} // namespace
