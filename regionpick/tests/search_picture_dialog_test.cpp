// The picker dialog as the operator meets it: its look, its warnings, the
// picture import and its name checks, and the outline drawn on the canvas.
#include "mask_reference.h"
#include "picker_driver.h"
#include "picker_library.h"
#include "picker_steps.h"
#include "test_fixture.h"
#include "test_pictures.h"

#include <gtest/gtest.h>

namespace {

constexpr int kImportId = 11002;
constexpr int kOutlineId = 11001;

PixelRect ChildRect(HWND dialog, HWND child) {
    RECT rect = {};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return PixelRect{rect.left, rect.top, rect.right, rect.bottom};
}

void ExpectLaidOut(PickerDriver& picker) {
    HWND dialog = picker.Dialog();
    RECT client = {};
    GetClientRect(dialog, &client);
    const SearchPictureLayout layout =
        LayOutSearchPicture(PixelRect{0, 0, client.right, client.bottom});
    EXPECT_EQ(ChildRect(dialog, picker.Button(kImportId)), layout.importButton);
    EXPECT_EQ(ChildRect(dialog, picker.Button(kOutlineId)), layout.outlineButton);
    EXPECT_EQ(ChildRect(dialog, picker.Button(IDOK)), layout.okButton);
    EXPECT_EQ(ChildRect(dialog, picker.Button(IDCANCEL)), layout.cancelButton);
    EXPECT_EQ(ChildRect(dialog, picker.Canvas()), layout.canvas);
}

// Pen strokes are two pixels wide: look for red around the point.
bool RedNear(const PixelBuffer& pixels, int x, int y) {
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (pixels.At(x + dx, y + dy) == 0xFF0000u)
                return true;
    return false;
}

TEST(SearchPictureDialog, CancelOrClosingReturnsZeroAndLeavesTheBuffersAlone) {
    Watchdog watchdog(90);
    PickerLibrary library("dialog_cancel");
    ASSERT_TRUE(library.Loaded());
    for (const bool byClosing : {false, true}) {
        const Dlg2Run run = RunDlg2(library, [&](PickerDriver& picker) {
            if (byClosing)
                PostMessageW(picker.Dialog(), WM_CLOSE, 0, 0);
            else
                picker.PostPress(IDCANCEL);
        });
        EXPECT_EQ(run.failure, "");
        EXPECT_EQ(run.result, 0);
        EXPECT_TRUE(run.buffers.Untouched());
    }
    // The dialog made its output folder, and cancelling wrote nothing in it.
    EXPECT_TRUE(FolderEntries(library.OutputFolder()).empty());
}

TEST(SearchPictureDialog, LooksAsDescribedAndKeepsItsLayoutWhenResized) {
    Watchdog watchdog(60);
    PickerLibrary library("dialog_look");
    ASSERT_TRUE(library.Loaded());
    std::wstring picture = L"", mask = L"";
    const std::string failure = DriveWhile(
        [&](PickerDriver& picker) {
            HWND dialog = picker.Dialog();
            // Its minimum holds from the moment it opens.
            RECT opened = {};
            GetWindowRect(dialog, &opened);
            EXPECT_GE(opened.right - opened.left, 600);
            EXPECT_GE(opened.bottom - opened.top, 450);
            const LONG style = GetWindowLongW(dialog, GWL_STYLE);
            EXPECT_EQ(style & (WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME),
                      WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME);
            EXPECT_EQ(picker.Text(picker.Button(kImportId)), L"导入图片");
            EXPECT_EQ(picker.Text(picker.Button(kOutlineId)), L"框选目标");
            EXPECT_EQ(picker.Text(picker.Button(IDOK)), L"确定");
            EXPECT_EQ(picker.Text(picker.Button(IDCANCEL)), L"取消");
            // The canvas is a visible child without a control identifier.
            EXPECT_TRUE(IsWindowVisible(picker.Canvas()));
            EXPECT_EQ(GetDlgCtrlID(picker.Canvas()), 0);
            ExpectLaidOut(picker);

            MINMAXINFO limits = {};
            SendMessageW(dialog, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
            EXPECT_EQ(limits.ptMinTrackSize.x, 600);
            EXPECT_EQ(limits.ptMinTrackSize.y, 450);

            picker.Resize(900, 640);
            ExpectLaidOut(picker);
            picker.Resize(700, 520);
            ExpectLaidOut(picker);
            picker.PostPress(IDCANCEL);
        },
        [&] { EXPECT_EQ(library.Dlg()(picture, mask), 0); });
    EXPECT_EQ(failure, "");
    // Cancelled: both strings as they were.
    EXPECT_EQ(picture, L"");
    EXPECT_EQ(mask, L"");
}

TEST(SearchPictureDialog, WithoutAPictureOutliningAndOkAreRefusedAndTheDialogStays) {
    Watchdog watchdog(60);
    PickerLibrary library("dialog_no_picture");
    ASSERT_TRUE(library.Loaded());
    // A file the decoder cannot read is no picture either.
    const std::wstring notAPicture = PictureFolder("dialog_no_picture") + L"\\broken.png";
    ASSERT_TRUE(WriteFileBytes(notAPicture, "not a picture at all"));
    std::wstring picture = notAPicture, mask = L"unchanged";
    const std::string failure = DriveWhile(
        [&](PickerDriver& picker) {
            picker.PostPress(IDOK);
            const SeenMessageBox noPicture = picker.CloseMessageBox();
            EXPECT_EQ(noPicture.caption, L" 警告");
            EXPECT_EQ(noPicture.text, L"未导入待搜索的图片!");
            EXPECT_TRUE(picker.DialogIsOpen());

            picker.PostPress(kOutlineId);
            const SeenMessageBox noOutline = picker.CloseMessageBox();
            EXPECT_EQ(noOutline.caption, L" 警告");
            EXPECT_EQ(noOutline.text, L"请先导入图片后再选择目标！");
            EXPECT_EQ(picker.Text(picker.Button(kOutlineId)), L"框选目标");
            EXPECT_TRUE(picker.DialogIsOpen());
            picker.PostPress(IDCANCEL);
        },
        [&] { EXPECT_EQ(library.Dlg()(picture, mask), 0); });
    EXPECT_EQ(failure, "");
    EXPECT_EQ(picture, notAPicture);
    EXPECT_EQ(mask, L"unchanged");
}

TEST(SearchPictureDialog, ImportRefusesNamesTheServerCannotTake) {
    Watchdog watchdog(120);
    PickerLibrary library("dialog_names");
    ASSERT_TRUE(library.Loaded());
    const std::wstring folder = PictureFolder("dialog_names");
    // Names count one unit per ASCII and two per Chinese character, the
    // extension included, against a limit of 156.
    const std::wstring quoted = folder + L"\\it's.png";
    const std::wstring quotedAndLong = folder + L"\\'" + std::wstring(170, L'q') + L".png";
    const std::wstring chineseTooLong = folder + L"\\" + std::wstring(77, L'\u6c49') + L".png";
    const std::wstring asciiTooLong = folder + L"\\" + std::wstring(153, L'a') + L".png";
    const std::wstring chineseLongest = folder + L"\\" + std::wstring(76, L'\u6c49') + L".png";
    for (const std::wstring& path :
         {quoted, quotedAndLong, chineseTooLong, asciiTooLong, chineseLongest})
        ASSERT_TRUE(WriteGradientPicture(path, 64, 48));

    const Dlg2Run run = RunDlg2(library, [&](PickerDriver& picker) {
        const wchar_t* quoteText = L"文件名不能包含服务器不支持的特殊字符(')";
        const wchar_t* lengthText = L"图片名不能大于 78 个汉字！";
        for (const auto& [path, text] :
             {std::pair{quoted, quoteText}, std::pair{quotedAndLong, quoteText},
              std::pair{chineseTooLong, lengthText}, std::pair{asciiTooLong, lengthText}}) {
            picker.Import(path);
            const SeenMessageBox refusal = picker.CloseMessageBox();
            EXPECT_EQ(refusal.text, text);
            EXPECT_EQ(refusal.caption, L"RegionPick"); // the library's title
        }
        // None of them was taken.
        picker.PostPress(IDOK);
        EXPECT_EQ(picker.CloseMessageBox().text, L"未导入待搜索的图片!");
        // 76 Chinese characters and ".png" are exactly 156 units: taken.
        picker.Import(chineseLongest);
        picker.PostPress(IDOK);
    });
    EXPECT_EQ(run.failure, "");
    EXPECT_EQ(run.result, 1);
    EXPECT_EQ(std::wstring(run.buffers.obj), library.ObjPath());
}

TEST(SearchPictureDialog, UnderItsOtherNameTheLibraryTitlesItsMessagesSoAndWritesBesideItself) {
    Watchdog watchdog(60);
    PickerLibrary library("dialog_ui_name", L"RegionPickUI.dll");
    ASSERT_TRUE(library.Loaded());
    const std::wstring quoted = PictureFolder("dialog_ui_name") + L"\\o'clock.png";
    const std::wstring plain = PictureFolder("dialog_ui_name_plain") + L"\\clock.png";
    ASSERT_TRUE(WriteGradientPicture(quoted, 32, 32));
    ASSERT_TRUE(WriteGradientPicture(plain, 32, 32));
    const Dlg2Run run = RunDlg2(library, [&](PickerDriver& picker) {
        picker.Import(quoted);
        EXPECT_EQ(picker.CloseMessageBox().caption, L"RegionPickUI");
        picker.Import(plain);
        picker.PostPress(IDOK);
    });
    EXPECT_EQ(run.failure, "");
    EXPECT_EQ(run.result, 1);
    EXPECT_EQ(std::wstring(run.buffers.obj), library.ObjPath());
    EXPECT_EQ(std::wstring(run.buffers.mask), library.MaskPath());
    EXPECT_TRUE(FileExists(library.MaskPicturePath()));
}

TEST(SearchPictureDialog, CanvasShowsThePictureOnGreyAndTheOutlineInRed) {
    Watchdog watchdog(60);
    PickerLibrary library("dialog_canvas");
    ASSERT_TRUE(library.Loaded());
    std::wstring picture = PictureFolder("dialog_canvas") + L"\\scene.png", mask;
    ASSERT_TRUE(WriteGradientPicture(picture, 400, 200));
    const std::string failure = DriveWhile(
        [&](PickerDriver& picker) {
            MakeRoomForNaturalSize(picker);
            const PixelRect shown = picker.PictureRect(400, 200);
            ASSERT_EQ(shown.Width(), 400);
            HWND canvas = picker.Canvas();
            auto capture = [&] {
                RedrawWindow(canvas, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
                picker.Sync();
                return CaptureWindow(canvas);
            };
            PixelBuffer pixels = capture();
            ASSERT_GT(pixels.width, 0);
            EXPECT_EQ(pixels.At(1, 1), 0x7D7D7Du); // RGB(125, 125, 125)
            EXPECT_EQ(pixels.At(shown.right + 2, shown.bottom - 1), 0x7D7D7Du);
            EXPECT_EQ(pixels.At(shown.left + 150, shown.top + 60),
                      GradientColour(150, 60, 400, 200));
            EXPECT_EQ(pixels.At(shown.left, shown.top), GradientColour(0, 0, 400, 200));
            EXPECT_EQ(pixels.At(shown.right - 1, shown.bottom - 1),
                      GradientColour(399, 199, 400, 200));

            picker.Press(kOutlineId);
            picker.Sync();
            EXPECT_EQ(picker.Text(picker.Button(kOutlineId)), L"重新框选");
            ClickOutline(picker, shown, {{100, 50}, {300, 50}, {200, 150}});
            picker.MoveMouse(shown.left + 100, shown.top + 120);
            picker.Sync();
            pixels = capture();
            EXPECT_TRUE(RedNear(pixels, shown.left + 200, shown.top + 50));  // first side
            EXPECT_TRUE(RedNear(pixels, shown.left + 250, shown.top + 100)); // second side
            EXPECT_TRUE(RedNear(pixels, shown.left + 150, shown.top + 135)); // to the cursor
            EXPECT_EQ(pixels.At(shown.left + 200, shown.top + 90),
                      GradientColour(200, 90, 400, 200));

            // A right click drops the outline but outlining goes on.
            picker.RightClick(shown.left + 10, shown.top + 10);
            picker.Sync();
            pixels = capture();
            EXPECT_FALSE(RedNear(pixels, shown.left + 200, shown.top + 50));
            ClickOutline(picker, shown, {{20, 20}, {60, 20}, {40, 60}, {21, 21}});
            // Closed near the first vertex: further clicks do nothing.
            ClickOutline(picker, shown, {{300, 150}, {350, 180}});
            pixels = capture();
            EXPECT_TRUE(RedNear(pixels, shown.left + 40, shown.top + 20));
            EXPECT_EQ(pixels.At(shown.left + 325, shown.top + 165),
                      GradientColour(325, 165, 400, 200));
            picker.PostPress(IDOK);
        },
        [&] { EXPECT_EQ(library.Dlg()(picture, mask), 1); });
    EXPECT_EQ(failure, "");
    // The mask is that of the second, closed outline only, closing vertex
    // included.
    const std::vector<PixelPoint> second = {{20, 20}, {60, 20}, {40, 60}, {21, 21}};
    EXPECT_EQ(ReadBytes(library.MaskPath()), ReferenceMask(second, MaskBox{20, 20, 40, 40}));
}

} // namespace
