// The control's rules that need no window: Base64 of the search picture, the
// panel's lists, where a snapshot is requested and stored, and the tripwire's
// side test where the slopes have no value.
#include "base64.h"
#include "panel_choices.h"
#include "snapshot_request.h"
#include "view_geometry.h"

#include <gtest/gtest.h>

namespace {

TEST(Base64, EncodesInGroupsOfFourWithPadding) {
    const struct {
        std::string bytes;
        std::string text;
    } cases[] = {{"", ""},
                 {"M", "TQ=="},
                 {"Ma", "TWE="},
                 {"Man", "TWFu"},
                 {std::string("\xFF\xFE\x00\x01", 4), "//4AAQ=="}};
    for (const auto& c : cases) {
        EXPECT_EQ(c.text, Base64Encode(c.bytes));
        EXPECT_EQ(c.bytes, Base64Decode(c.text).value_or("<none>"));
    }
    for (const char* bad : {"A", "AB=C", "AB==A", "A===", "AB*D", "ABC=="})
        EXPECT_FALSE(Base64Decode(bad)) << bad;
    EXPECT_EQ("\x01\x02\x03", Base64Decode("AQ\r\nID").value_or("<none>"));
}

TEST(PanelChoices, OutputSizesAreTheOnesTheSnapshotExceeds) {
    using Entries = std::vector<std::wstring>;
    EXPECT_EQ((Entries{L"自适应", L"700*500", L"352*288"}), OutputSizeEntries(700, 500));
    EXPECT_EQ((Entries{L"自适应", L"1920*1080", L"352*288", L"720*576", L"1280*720"}),
              OutputSizeEntries(1920, 1080));
    EXPECT_EQ((Entries{L"自适应", L"720*600", L"352*288"}), OutputSizeEntries(720, 600));
    EXPECT_EQ((Entries{L"自适应"}), OutputSizeEntries(0, 1080));
}

TEST(PanelChoices, DropRateEntryWithinATenth) {
    const struct {
        float rate;
        int index;
    } cases[] = {{1.0f, 0}, {2.55f, 3}, {2.75f, 0}, {6.05f, 10}, {0.0f, 0}, {2.6f, 3}};
    for (const auto& c : cases)
        EXPECT_EQ(c.index, DropRateIndexNear(c.rate)) << c.rate;
    EXPECT_EQ(L"2.5倍速", DropRateEntries()[3]);
    EXPECT_FLOAT_EQ(1.0f, DropRateOfIndex(11));
}

TEST(SnapshotRequest, DigitsAskForAnUploadAndFileEqualsForASourceFile) {
    const struct {
        std::wstring fileUrl;
        std::wstring url; // empty: no request
    } cases[] = {
        {L"123", L"http://H/getvideosnapshot.php?UserUploadVideoId=123"},
        {L"42abc", L"http://H/getvideosnapshot.php?UserUploadVideoId=42"},
        {L"file=/data/a.avi", L"http://H/getvideosnapshot.php?file=/data/a.avi"},
        // Line breaks and blanks never reach the request line as they are.
        {L"file=E:\\v 1.mp4\r\n", L"http://H/getvideosnapshot.php?file=E:\\v%201.mp4%0D%0A"},
        {L"0", L""},
        {L"abc", L""},
        {L"File=/data/a.avi", L""},
        {L"http://H/x.jpg", L""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.url, SnapshotRequestUrl(c.fileUrl, L"H").value_or(L"")) << c.fileUrl;
}

TEST(SnapshotRequest, ReplyNamesThePictureWithSlashes) {
    EXPECT_EQ(L"http://H:80/img/s1.jpg",
              SnapshotPictureUrl(L"<r><snapshot>\\img\\s1.jpg</snapshot></r>", L"H:80").value());
    for (const wchar_t* reply :
         {L"", L"<snapshot></snapshot>", L"<snapshot>\\a.jpg", L"</snapshot><snapshot>"})
        EXPECT_FALSE(SnapshotPictureUrl(reply, L"H")) << reply;
}

TEST(SnapshotRequest, DownloadNameNeverLeavesTheFolder) {
    const struct {
        const wchar_t* url;
        const wchar_t* name; // nullptr: no usable name
    } cases[] = {
        {L"http://H/img/s1.jpg", L"s1.jpg"},
        {L"http://H/../../evil.jpg", L"evil.jpg"},
        {L"http://H/a\\..\\..\\evil.jpg", L"evil.jpg"},
        {L"http://H/C:evil.jpg", L"C_evil.jpg"},
        {L"http://H/s.jpg?size=2", L"s.jpg"},
        {L"http://H/img/", nullptr},
        {L"http://H/img/..", nullptr},
        {L"http://H/CON.jpg", nullptr},
        {L"http://H/com1", nullptr},
        {L"http://H/x.jpg. ", L"x.jpg"},
    };
    for (const auto& c : cases) {
        const auto name = DownloadFileName(c.url);
        if (c.name == nullptr)
            EXPECT_FALSE(name) << c.url;
        else
            EXPECT_EQ(c.name, name.value_or(L"<none>")) << c.url;
    }
}

// Where a slope has no value the cross product decides; it agrees with the
// slope rule for clicks just right of p1.
TEST(TripwireSide, VerticalLinesAndClicksStraightAboveP1) {
    const struct {
        ViewPoint p1, p2, click;
        bool sideA;
    } cases[] = {
        {{100, 50}, {100, 250}, {150, 100}, true},  // downward line, click right
        {{100, 50}, {100, 250}, {50, 100}, false},  // downward line, click left
        {{100, 250}, {100, 50}, {150, 100}, false}, // upward line, click right
        {{50, 100}, {250, 150}, {50, 20}, true},    // straight above p1
        {{50, 100}, {250, 150}, {50, 180}, false},  // straight below p1
        {{50, 100}, {250, 150}, {51, 20}, true},    // just right of it: slope rule
        {{100, 100}, {100, 100}, {100, 100}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.sideA, IsClickOnSideA(c.p1, c.p2, c.click)) << c.click.x << "," << c.click.y;
}

TEST(ViewGeometry, PictureFitsWithItsAspectRatio) {
    EXPECT_EQ((ViewRect{0, 140, 640, 360}), FitPicture(1920, 1080, ViewRect{0, 0, 640, 640}));
    EXPECT_EQ((ViewRect{20, 10, 300, 400}), FitPicture(300, 400, ViewRect{10, 10, 320, 400}));
}

} // namespace
