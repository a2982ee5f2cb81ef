// The playback panel's numbers and the synopsis metadata, without windows:
// what a metadata block yields whatever its count claims, the labels' texts,
// and the seconds a report or a download carries.
#include "big_endian.h"
#include "download_name.h"
#include "overlay_geometry.h"
#include "playback_values.h"
#include "synopsis_objects.h"

#include <gtest/gtest.h>

namespace {

// A block as the server writes it: header, then count records whose x is
// 100 + i; only `records` records are actually present.
std::vector<uint8_t> Block(uint32_t check, uint32_t count, uint32_t records) {
    std::vector<uint8_t> bytes;
    BigEndianWriter w(bytes);
    w.U32(check);
    w.U32(count);
    w.U64(0);
    for (uint32_t i = 0; i < records; ++i) {
        w.U32(7);                  // tubeid
        w.U32(0x10003);            // compid
        w.U64(0x100000000ull + i); // sourceFrame
        w.U64(70000);              // segmentStart
        w.U64(1);                  // value24
        w.U64(2800000);            // startTimeMs
        w.U64(2);                  // value40
        w.U32(250);                // segmentLength
        w.U32(100 + i);            // x
        w.U32(50);                 // y
        w.U32(40);                 // w
        w.U32(0xFFFFFFF0u);        // h
        w.U32(3);                  // value68
        w.U32(4);                  // value72
        w.U32(0xDEADBEEF);         // not read
    }
    return bytes;
}

TEST(SynopsisObjects, OnlyWholeRecordsWithinTheBlockAreRead) {
    struct Case {
        uint32_t check, count, records;
        size_t trailing; // extra bytes after the records
        size_t expected;
    };
    const Case cases[] = {
        {1, 3, 3, 0, 3},  {10000, 2, 2, 0, 2},      {10001, 2, 2, 0, 0}, {1, 1000000, 2, 0, 2},
        {1, 3, 2, 79, 2}, {1, 0xFFFFFFFF, 0, 0, 0}, {1, 1, 3, 0, 1},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> block = Block(c.check, c.count, c.records);
        block.resize(block.size() + c.trailing, 0xAB);
        EXPECT_EQ(c.expected, ParseSynopsisObjects(block).size())
            << "check " << c.check << " count " << c.count << " records " << c.records;
    }
    const std::vector<uint8_t> header = Block(1, 1, 1);
    EXPECT_TRUE(ParseSynopsisObjects(std::span(header).first(15)).empty());

    const std::vector<SynopsisObject> objects = ParseSynopsisObjects(Block(1, 2, 2));
    ASSERT_EQ(2u, objects.size());
    const SynopsisObject& o = objects[1];
    EXPECT_EQ(7u, o.tubeid);
    EXPECT_EQ(0x10003u, o.compid);
    EXPECT_EQ(0x100000001ull, o.sourceFrame);
    EXPECT_EQ(70000u, o.segmentStart);
    EXPECT_EQ(2800000u, o.startTimeMs);
    EXPECT_EQ(250u, o.segmentLength);
    EXPECT_EQ(101u, o.x);
    EXPECT_EQ(50u, o.y);
    EXPECT_EQ(40u, o.w);
    EXPECT_EQ(0xFFFFFFF0u, o.h);
    EXPECT_EQ(4u, o.value72);
}

TEST(SynopsisObjects, HitsAndFrameOffsets) {
    std::vector<SynopsisObject> objects(3);
    objects[0] = {.compid = 1, .x = 10, .y = 10, .w = 20, .h = 20};
    objects[1] = {.compid = 2, .x = 0, .y = 0, .w = 100, .h = 100};
    objects[2] = {.compid = 3, .x = 0xFFFFFFF0u, .y = 0, .w = 0x20, .h = 5};
    EXPECT_EQ(1u, FindObjectAt(objects, 10, 29)->compid) << "the earlier one wins";
    EXPECT_EQ(2u, FindObjectAt(objects, 30, 10)->compid) << "right edge excluded";
    EXPECT_EQ(3u, FindObjectAt(objects, 0x100000000ull, 0)->compid) << "no 32-bit wrap";
    EXPECT_EQ(nullptr, FindObjectAt(objects, 100, 100));

    SynopsisObject o;
    o.startTimeMs = 2800000; // 2800 s at 25 fps: frame 70000
    o.segmentStart = 69990;
    EXPECT_EQ(10, FrameOffsetOf(o, 25.0f));
    o.startTimeMs = ~0ull;
    EXPECT_EQ(-69990, FrameOffsetOf(o, 25.0f)) << "a start no int32 holds counts as 0";
}

TEST(OverlayGeometry, LabelsAndPictureMapping) {
    EXPECT_EQ(L"01:00:00", SourceTimeLabel(90000, 25.0));
    EXPECT_EQ(L"00:00:03", SourceTimeLabel(99, 25.0));
    EXPECT_EQ(L"27:46:40", SourceTimeLabel(2500000, 25.0)) << "hours are not wrapped";
    EXPECT_EQ(L"00:00:00", SourceTimeLabel(500, 0.0));

    // The label's font and place are checked on drawn pictures (the
    // synopsis overlay's tests).

    EXPECT_EQ((OverlayPoint{352, 144}), *ClientToPicture(176, 72, 352, 288, 704, 576));
    EXPECT_FALSE(ClientToPicture(10, 10, 0, 288, 704, 576));
    EXPECT_FALSE(ClientToPicture(10, 10, 352, 288, 0, 0));
}

TEST(OverlayGeometry, TrackRecordsAndBoxes) {
    const Track track = {
        {100, 352, 288, 10, 20, 30, 40}, {101, 352, 288, 12, 2, 30, 40}, kTubeTrackEnd};
    EXPECT_EQ(nullptr, TrackRecordFor(track, 99));
    EXPECT_EQ(&track[0], TrackRecordFor(track, 100));
    EXPECT_EQ(&track[1], TrackRecordFor(track, 101));
    EXPECT_EQ(nullptr, TrackRecordFor(track, 102)) << "the closing record draws nothing";
    EXPECT_EQ(nullptr, TrackRecordFor(track, 1000));
    EXPECT_EQ(nullptr, TrackRecordFor(Track{}, 0));

    // Scaled from 352x288 to 704x576; the top (only) raised by 5 unless that
    // leaves the picture.
    const OverlayRect a = *TrackBoxRect(track[0], 704, 576);
    EXPECT_EQ(20, a.left);
    EXPECT_EQ(35, a.top);
    EXPECT_EQ(80, a.right);
    EXPECT_EQ(120, a.bottom);
    const OverlayRect b = *TrackBoxRect(track[1], 704, 576);
    EXPECT_EQ(4, b.top);
    EXPECT_FALSE(TrackBoxRect(kTubeTrackEnd, 704, 576));
    EXPECT_FALSE(TrackBoxRect(kObjectTrackEnd, 704, 576));

    const auto cross = CentreCross(OverlayRect{0, 0, 100, 50});
    EXPECT_EQ((OverlaySegment{{40, 25}, {60, 25}}), cross[0]);
    EXPECT_EQ((OverlaySegment{{50, 15}, {50, 35}}), cross[1]);
}

TEST(PlaybackValues, ReportDownloadAndCaptureNumbers) {
    EXPECT_EQ(L"00:00:03/01:00:00", PlayTimeLabel(3.9, 3600));
    EXPECT_EQ(L"01:00:00/00:00:00", PlayTimeLabel(25 * 3600 + 0.5, -3));

    struct Span {
        int32_t start, end;
        double rate;
        int32_t startSecond, seconds;
    };
    const Span spans[] = {
        {50, 100, 25, 0, 5},
        {100, 350, 25, 2, 13},
        {0, 0, 0, 0, 3},
        {250, 500, 12.5, 18, 23},
    };
    for (const Span& s : spans) {
        const FragmentSpan span = FragmentSpanOf(s.start, s.end, s.rate);
        EXPECT_EQ(s.startSecond, span.startSecond) << s.start;
        EXPECT_EQ(s.seconds, span.seconds) << s.start;
    }

    const ReportSeconds seconds = ReportSecondsOf(70010, 70260, 25);
    EXPECT_EQ(2800, seconds.start);
    EXPECT_EQ(2810, seconds.end);
    EXPECT_EQ(3, ReportSecondsOf(0, 63, 0).end) << "no rate counts as 25";

    EXPECT_EQ(L"cam01_12_120.jpg", CaptureFileName(L"E:\\AstRP_1v2\\video\\cam01.x.mp4", 12, 120));
    EXPECT_EQ(0, SliderPositionFor(301, 300));
    EXPECT_EQ(300, SliderPositionFor(300.7, 300));
}

TEST(DownloadName, TheAddressesLastPartUnescapedAndSafe) {
    EXPECT_EQ(L"cam 01_2_13.mp4",
              DownloadFileNameOf(L"http://h:81/fragment/cam%2001_2_13.mp4?x=1"));
    // Escaped separators and characters no file name holds do not survive.
    EXPECT_EQ(L".._.._x_y.mp4", DownloadFileNameOf(L"http://h/a/..%2F..%5Cx%3Ay.mp4"));
    EXPECT_EQ(L"download", DownloadFileNameOf(L"http://h/"));
    EXPECT_EQ(L"download", DownloadFileNameOf(L"http://h/.."));
    EXPECT_EQ(L"download", DownloadFileNameOf(L"h"));
    EXPECT_EQ(L"12 KB / 600 KB", DownloadProgressText(12 * 1024 + 5, 600 * 1024));
    EXPECT_EQ(L"0 KB", DownloadProgressText(100, -1));
}

} // namespace
