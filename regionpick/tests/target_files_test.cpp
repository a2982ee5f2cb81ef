// The files a confirmed picker run leaves, read back byte for byte and
// picture by picture, through both exports.
#include "picker_driver.h"
#include "picker_library.h"
#include "picker_steps.h"
#include "target_mask.h"
#include "test_fixture.h"
#include "test_pictures.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

// The triangle (0.25, 0.25), (0.75, 0.25), (0.5, 0.75) on 400 x 200 is
// (100, 50), (300, 50), (200, 150); its box is 200 x 100 from (100, 50), and
// row r holds the columns r to 199 - r.
std::vector<uint8_t> TriangleMaskBytes() {
    std::vector<uint8_t> mask;
    for (int row = 0; row < 100; ++row)
        for (int column = 0; column < 200; ++column)
            mask.push_back(column >= row && column < 200 - row ? 0xFF : 0x00);
    return mask;
}

// Checks obj.jpg and mask.jpg against the box of a gradient source picture.
void ExpectTargetPictures(const PickerLibrary& library, int sourceWidth, int sourceHeight,
                          const MaskBox& box, const std::vector<uint8_t>& mask) {
    Image obj;
    EXPECT_TRUE(obj.Load(library.ObjPath())) << "cannot decode obj.jpg";
    EXPECT_EQ(obj.Width(), box.width);
    EXPECT_EQ(obj.Height(), box.height);
    const PictureDifference difference =
        CompareWithGradient(obj, box.x, box.y, sourceWidth, sourceHeight);
    EXPECT_LT(difference.mean, 3.0) << "obj.jpg is not the source's box";
    EXPECT_LT(difference.largest, 48);

    Image maskPicture;
    EXPECT_TRUE(maskPicture.Load(library.MaskPicturePath())) << "cannot decode mask.jpg";
    EXPECT_EQ(maskPicture.Width(), box.width);
    EXPECT_EQ(maskPicture.Height(), box.height);
    // JPEG blurs the edge between white and black a little.
    EXPECT_LT(MaskDisagreements(maskPicture, mask), mask.size() / 50 + 1);
}

// Imports picture into a Dlg2 run and outlines the example triangle.
std::function<void(PickerDriver&)> TriangleScript(const std::wstring& picture, bool closed) {
    return [picture, closed](PickerDriver& picker) {
        picker.Import(picture);
        MakeRoomForNaturalSize(picker);
        const PixelRect shown = picker.PictureRect(400, 200);
        ASSERT_EQ(shown.Width(), 400);
        picker.Press(11001);
        if (closed)
            ClickOutline(picker, shown, {{100, 50}, {300, 50}, {200, 150}, {100, 50}});
        else
            ClickOutline(picker, shown, {{100, 50}, {300, 50}, {200, 150}});
        picker.PostPress(IDOK);
    };
}

TEST(TargetFiles, TriangleClosedOrNotGivesItsBoxAndExactMaskAndNothingElse) {
    Watchdog watchdog(90);
    for (const bool closed : {true, false}) {
        const std::string name = closed ? "files_triangle_closed" : "files_triangle_open";
        PickerLibrary library(name);
        ASSERT_TRUE(library.Loaded());
        const std::wstring picture = PictureFolder(name) + L"\\scene.png";
        ASSERT_TRUE(WriteGradientPicture(picture, 400, 200));
        const Dlg2Run run = RunDlg2(library, TriangleScript(picture, closed));
        EXPECT_EQ(run.failure, "");
        ASSERT_EQ(run.result, 1);
        EXPECT_EQ(std::wstring(run.buffers.obj), library.ObjPath());
        EXPECT_EQ(std::wstring(run.buffers.mask), library.MaskPath());
        const std::vector<uint8_t> mask = ReadBytes(library.MaskPath());
        EXPECT_EQ(mask, TriangleMaskBytes());
        ExpectTargetPictures(library, 400, 200, MaskBox{100, 50, 200, 100}, mask);
        // Nothing but the three files was written beside the library.
        EXPECT_EQ(
            FolderEntries(library.Folder()),
            (std::vector<std::wstring>{L"CommonKit.dll", L"RegionPick.dll", L"SearchPicture"}));
        EXPECT_EQ(FolderEntries(library.OutputFolder()),
                  (std::vector<std::wstring>{L"mask.bin", L"mask.jpg", L"obj.jpg"}));
    }
}

TEST(TargetFiles, WithoutAnOutlineTheWholePictureIsTheTarget) {
    Watchdog watchdog(60);
    PickerLibrary library("files_whole");
    ASSERT_TRUE(library.Loaded());
    std::wstring picture = PictureFolder("files_whole") + L"\\scene.png", mask;
    ASSERT_TRUE(WriteGradientPicture(picture, 640, 480));
    int result = -1;
    const std::string failure = DriveWhile([](PickerDriver& picker) { picker.PostPress(IDOK); },
                                           [&] { result = library.Dlg()(picture, mask); });
    EXPECT_EQ(failure, "");
    ASSERT_EQ(result, 1);
    EXPECT_EQ(picture, library.ObjPath());
    EXPECT_EQ(mask, library.MaskPath());
    const std::vector<uint8_t> bytes = ReadBytes(library.MaskPath());
    EXPECT_EQ(bytes, std::vector<uint8_t>(307200, 0xFF));
    ExpectTargetPictures(library, 640, 480, MaskBox{0, 0, 640, 480}, bytes);
}

TEST(TargetFiles, ASecondConfirmedRunReplacesAllThreeFiles) {
    Watchdog watchdog(90);
    PickerLibrary library("files_second_run");
    ASSERT_TRUE(library.Loaded());
    const std::wstring folder = PictureFolder("files_second_run");
    const std::wstring first = folder + L"\\first.png";
    std::wstring second = folder + L"\\second.png", mask;
    ASSERT_TRUE(WriteGradientPicture(first, 400, 200));
    ASSERT_TRUE(WriteGradientPicture(second, 64, 40));
    const Dlg2Run run = RunDlg2(library, TriangleScript(first, true));
    ASSERT_EQ(run.failure, "");
    ASSERT_EQ(run.result, 1);
    ASSERT_EQ(ReadBytes(library.MaskPath()).size(), 200u * 100u);

    int result = -1;
    const std::string failure = DriveWhile(
        [](PickerDriver& picker) {
            MakeRoomForNaturalSize(picker);
            const PixelRect shown = picker.PictureRect(64, 40);
            picker.Press(11001);
            ClickOutline(picker, shown, {{8, 4}, {40, 4}, {40, 30}, {8, 30}, {8, 4}});
            picker.PostPress(IDOK);
        },
        [&] { result = library.Dlg()(second, mask); });
    EXPECT_EQ(failure, "");
    ASSERT_EQ(result, 1);
    const std::vector<uint8_t> bytes = ReadBytes(library.MaskPath());
    EXPECT_EQ(bytes, std::vector<uint8_t>(32 * 26, 0xFF)); // a rectangle fills its box
    ExpectTargetPictures(library, 64, 40, MaskBox{8, 4, 32, 26}, bytes);
}

TEST(TargetFiles, PalettePicturesAndTheLastTargetPictureItselfCanBeOutlined) {
    Watchdog watchdog(90);
    PickerLibrary library("files_other_sources");
    ASSERT_TRUE(library.Loaded());
    const std::wstring palette = PictureFolder("files_other_sources") + L"\\grey.bmp";
    ASSERT_TRUE(WriteGreyPaletteBmp(palette, 400, 200));
    const Dlg2Run run = RunDlg2(library, TriangleScript(palette, true));
    EXPECT_EQ(run.failure, "");
    ASSERT_EQ(run.result, 1);
    const std::vector<uint8_t> mask = ReadBytes(library.MaskPath());
    EXPECT_EQ(mask, TriangleMaskBytes());
    Image obj;
    ASSERT_TRUE(obj.Load(library.ObjPath()));
    EXPECT_EQ(obj.Width(), 200);
    EXPECT_EQ(obj.Height(), 100);
    EXPECT_NEAR(obj.PixelAt(100, 50) & 0xFF, 200 * 255 / 399, 6); // the grey of column 200

    // The operator picks the target picture just written as the next
    // picture: it is read and then replaced.
    std::wstring picture = library.ObjPath(), maskPath;
    int result = -1;
    const std::string failure = DriveWhile([](PickerDriver& picker) { picker.PostPress(IDOK); },
                                           [&] { result = library.Dlg()(picture, maskPath); });
    EXPECT_EQ(failure, "");
    ASSERT_EQ(result, 1);
    EXPECT_EQ(ReadBytes(library.MaskPath()), std::vector<uint8_t>(200 * 100, 0xFF));
    Image again;
    ASSERT_TRUE(again.Load(library.ObjPath()));
    EXPECT_EQ(again.Width(), 200);
    EXPECT_EQ(again.Height(), 100);
}

// Outlining part of the last target picture itself: obj.jpg is replaced by
// the cut-out before mask.bin is written, and the mask must still be that of
// the picture the outline was drawn on, the same as for a copy of it.
TEST(TargetFiles, OutliningPartOfTheLastTargetPictureGivesTheMaskOfWhatWasShown) {
    Watchdog watchdog(120);
    PickerLibrary library("files_outline_last");
    ASSERT_TRUE(library.Loaded());
    const std::wstring source = PictureFolder("files_outline_last") + L"\\scene.png";
    ASSERT_TRUE(WriteGradientPicture(source, 400, 200));
    ASSERT_EQ(RunDlg2(library, TriangleScript(source, true)).result, 1); // obj.jpg: 200 x 100
    const std::wstring copy = PictureFolder("files_outline_last") + L"\\copy.jpg";
    ASSERT_TRUE(CopyFileW(library.ObjPath().c_str(), copy.c_str(), FALSE));

    const auto outlineLeftPart = [](PickerDriver& picker) {
        MakeRoomForNaturalSize(picker);
        const PixelRect shown = picker.PictureRect(200, 100);
        ASSERT_EQ(shown.Width(), 200);
        picker.Press(11001);
        ClickOutline(picker, shown, {{20, 20}, {100, 20}, {60, 80}, {20, 20}});
        picker.PostPress(IDOK);
    };
    const auto outlineOn = [&](std::wstring picture) {
        std::wstring maskPath;
        int result = -1;
        EXPECT_EQ(DriveWhile(outlineLeftPart, [&] { result = library.Dlg()(picture, maskPath); }),
                  "");
        EXPECT_EQ(result, 1);
        Image obj;
        EXPECT_TRUE(obj.Load(library.ObjPath()));
        return std::make_tuple(ReadBytes(library.MaskPath()), obj.Width(), obj.Height());
    };

    const auto [copyMask, copyWidth, copyHeight] = outlineOn(copy);
    ASSERT_EQ(copyMask.size(), static_cast<size_t>(copyWidth) * copyHeight);
    ASSERT_TRUE(CopyFileW(copy.c_str(), library.ObjPath().c_str(), FALSE));
    const auto [lastMask, lastWidth, lastHeight] = outlineOn(library.ObjPath());
    EXPECT_EQ(lastWidth, copyWidth);
    EXPECT_EQ(lastHeight, copyHeight);
    EXPECT_EQ(lastMask, copyMask);
}

TEST(TargetFiles, BuffersTooSmallForThePathsGetNothing) {
    Watchdog watchdog(120);
    PickerLibrary library("files_buffers");
    ASSERT_TRUE(library.Loaded());
    const std::wstring picture = PictureFolder("files_buffers") + L"\\scene.png";
    ASSERT_TRUE(WriteGradientPicture(picture, 48, 32));
    const auto objLength = static_cast<uint32_t>(library.ObjPath().size());
    const auto maskLength = static_cast<uint32_t>(library.MaskPath().size());
    auto confirm = [&](PickerDriver& picker) {
        picker.Import(picture);
        picker.PostPress(IDOK);
    };
    struct Sizes {
        uint32_t obj, mask;
        int expected;
    };
    // The terminating zero must fit too: a path as long as its buffer is too long.
    for (const Sizes sizes :
         {Sizes{PathBuffers::kSize, maskLength, 0}, Sizes{0, 0, 0},
          Sizes{objLength, PathBuffers::kSize, 0}, Sizes{objLength + 1, maskLength + 1, 1}}) {
        const Dlg2Run run = RunDlg2(library, confirm, sizes.obj, sizes.mask);
        EXPECT_EQ(run.failure, "");
        EXPECT_EQ(run.result, sizes.expected) << "sizes " << sizes.obj << ", " << sizes.mask;
        if (sizes.expected == 0) {
            EXPECT_TRUE(run.buffers.Untouched());
        } else {
            EXPECT_EQ(std::wstring(run.buffers.obj), library.ObjPath());
            EXPECT_EQ(std::wstring(run.buffers.mask), library.MaskPath());
            EXPECT_EQ(run.buffers.obj[objLength + 1], L'#'); // nothing written past the zero
        }
    }
}

TEST(TargetFiles, FilesThatCouldNotBeWrittenAreNeverReportedAsWritten) {
    Watchdog watchdog(90);
    PickerLibrary library("files_not_written");
    ASSERT_TRUE(library.Loaded());
    const std::wstring folder = PictureFolder("files_not_written");
    const std::wstring first = folder + L"\\first.png";
    std::wstring vanishing = folder + L"\\vanishing.png", mask;
    ASSERT_TRUE(WriteGradientPicture(first, 40, 30));
    ASSERT_TRUE(WriteGradientPicture(vanishing, 50, 20));
    auto importAndConfirm = [&](PickerDriver& picker) {
        picker.Import(first);
        picker.PostPress(IDOK);
    };
    const Dlg2Run firstRun = RunDlg2(library, importAndConfirm);
    ASSERT_EQ(firstRun.failure, "");
    ASSERT_EQ(firstRun.result, 1);

    // The picture goes away before OK: the files of the first run are still
    // there, but they are not this run's.
    std::wstring picture = vanishing;
    int result = -1;
    const std::string failure = DriveWhile(
        [&](PickerDriver& picker) {
            picker.Dialog();
            ASSERT_TRUE(DeleteFileW(vanishing.c_str()));
            picker.PostPress(IDOK);
        },
        [&] { result = library.Dlg()(picture, mask); });
    EXPECT_EQ(failure, "");
    EXPECT_EQ(result, 0);
    EXPECT_EQ(ReadBytes(library.MaskPath()), std::vector<uint8_t>(40 * 30, 0xFF));

    // The output folder cannot be made (a file has its name).
    PickerLibrary blocked("files_blocked_folder");
    ASSERT_TRUE(blocked.Loaded());
    ASSERT_TRUE(WriteFileBytes(blocked.OutputFolder(), "in the way"));
    const Dlg2Run blockedRun = RunDlg2(blocked, importAndConfirm);
    EXPECT_EQ(blockedRun.failure, "");
    EXPECT_EQ(blockedRun.result, 0);
    EXPECT_TRUE(blockedRun.buffers.Untouched());
    EXPECT_EQ(ReadBytes(blocked.OutputFolder()),
              std::vector<uint8_t>({'i', 'n', ' ', 't', 'h', 'e', ' ', 'w', 'a', 'y'}));
}

} // namespace
