#include "view_params.h"

#include <gtest/gtest.h>

namespace {

TEST(SegmentParams, FourTaggedNumbers) {
    const SegmentParams p = ParseSegmentParams(L"<startFrame>120</startFrame><endFrame>480</"
                                               L"endFrame><compid>3</compid><tubeid>17</tubeid>");
    EXPECT_EQ(120, p.startFrame);
    EXPECT_EQ(480, p.endFrame);
    EXPECT_EQ(3, p.compId);
    EXPECT_EQ(17, p.tubeId);
}

TEST(SegmentParams, MissingTagsWrongCaseAndJunkReadAsZero) {
    const SegmentParams p = ParseSegmentParams(
        L"<startframe>120</startframe><endFrame>x9</endFrame><compid> -4z</compid>");
    EXPECT_EQ(0, p.startFrame); // tags are case-sensitive
    EXPECT_EQ(0, p.endFrame);
    EXPECT_EQ(-4, p.compId);
    EXPECT_EQ(0, p.tubeId);
    const SegmentParams empty = ParseSegmentParams(L"");
    EXPECT_EQ(0, empty.startFrame + empty.endFrame + empty.compId + empty.tubeId);
}

TEST(ServerVideoParams, LowerCaseKeys) {
    const ServerVideoParams p = ParseServerVideoParams(
        L"<path>D:\\video\\cam01.mp4</path><startframe>250</startframe><endframe>750</endframe>");
    EXPECT_EQ(L"D:\\video\\cam01.mp4", p.path);
    EXPECT_EQ(250, p.startFrame);
    EXPECT_EQ(750, p.endFrame);
    const ServerVideoParams onlyPath =
        ParseServerVideoParams(L"<path>x</path><startFrame>9</startFrame>");
    EXPECT_EQ(L"x", onlyPath.path);
    EXPECT_EQ(0, onlyPath.startFrame);
    EXPECT_EQ(0, onlyPath.endFrame);
}

} // namespace
