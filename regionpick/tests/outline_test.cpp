#include "outline.h"

#include <gtest/gtest.h>

namespace {

TEST(Outline, ClicksAreIgnoredUntilOutliningStarts) {
    Outline outline;
    EXPECT_FALSE(outline.AddClick(10, 10, 100, 100));
    EXPECT_TRUE(outline.Points().empty());
    EXPECT_EQ(outline.First(), (PixelPoint{-1, -1}));
}

TEST(Outline, VerticesAreKeptRelativeToTheShownPicture) {
    Outline outline;
    outline.Start();
    outline.AddClick(100, 50, 400, 200);
    outline.AddClick(300, 50, 400, 200);
    ASSERT_EQ(outline.Points().size(), 2u);
    EXPECT_EQ(outline.Points()[0], (NormalizedPoint{0.25, 0.25}));
    EXPECT_EQ(outline.Points()[1], (NormalizedPoint{0.75, 0.25}));
    EXPECT_EQ(outline.First(), (PixelPoint{100, 50}));
    // Shown twice as large, the first vertex follows.
    outline.Rescale(800, 400);
    EXPECT_EQ(outline.First(), (PixelPoint{200, 100}));
    EXPECT_EQ(Outline::ToPixels(outline.Points()[1], 800, 400), (PixelPoint{600, 100}));
}

TEST(Outline, OnlyAClickNearTheFirstVertexFromTheSecondVertexOnClosesIt) {
    Outline outline;
    outline.Start();
    // The very first click never closes, even on itself.
    EXPECT_FALSE(outline.AddClick(10, 10, 100, 100));
    EXPECT_TRUE(outline.IsSelecting());
    // Two pixels away: not near.
    EXPECT_FALSE(outline.IsNearFirst(12, 10));
    EXPECT_FALSE(outline.AddClick(12, 10, 100, 100));
    EXPECT_FALSE(outline.AddClick(50, 50, 100, 100));
    // One pixel away both ways closes, and the click is kept as a vertex.
    EXPECT_TRUE(outline.AddClick(11, 9, 100, 100));
    EXPECT_FALSE(outline.IsSelecting());
    EXPECT_EQ(outline.Points().size(), 4u);
    // A closed outline takes no more clicks.
    EXPECT_FALSE(outline.AddClick(70, 70, 100, 100));
    EXPECT_EQ(outline.Points().size(), 4u);
}

TEST(Outline, ClearKeepsOutliningAndStartAndResetBeginAfresh) {
    Outline outline;
    outline.Start();
    outline.AddClick(10, 10, 100, 100);
    outline.AddClick(20, 10, 100, 100);
    outline.Clear();
    EXPECT_TRUE(outline.IsSelecting());
    EXPECT_TRUE(outline.Points().empty());
    EXPECT_EQ(outline.First(), (PixelPoint{-1, -1}));
    // The next click starts a new outline: it becomes the first vertex.
    outline.AddClick(30, 30, 100, 100);
    EXPECT_EQ(outline.First(), (PixelPoint{30, 30}));
    EXPECT_FALSE(outline.IsNearFirst(10, 10));

    outline.Reset();
    EXPECT_FALSE(outline.IsSelecting());
    EXPECT_TRUE(outline.Points().empty());
    outline.Start();
    EXPECT_TRUE(outline.IsSelecting());
    EXPECT_TRUE(outline.Points().empty());
}

} // namespace
