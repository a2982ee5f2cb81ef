// The synopsis overlay on a picture of its own, with metadata blocks made
// here: the label's font and place at the picture's edges, blocks that must
// draw nothing or only part of what they claim, and frames without metadata.
// Which object a point hits is the portable core's, tested there.
#include "big_endian.h"
#include "gdi.h"
#include "image.h"
#include "synopsis_overlay.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr uint32_t kBoxColour = 0xFFC800;
constexpr uint32_t kRed = 0xFF0000;

struct Object {
    uint32_t x, y, w, h;
    uint32_t compid = 1;
    uint64_t sourceFrame = 90000;
};

std::vector<uint8_t> Block(const std::vector<Object>& objects, uint32_t check = 1,
                           uint32_t count = 0xFFFFFFFF) {
    std::vector<uint8_t> bytes;
    BigEndianWriter w(bytes);
    w.U32(check);
    w.U32(count == 0xFFFFFFFF ? static_cast<uint32_t>(objects.size()) : count);
    w.U64(0);
    for (const Object& o : objects) {
        w.U32(7);
        w.U32(o.compid);
        w.U64(o.sourceFrame);
        w.U64(1000);
        w.U64(0);
        w.U64(40000);
        w.U64(0);
        w.U32(250);
        for (uint32_t v : {o.x, o.y, o.w, o.h, 0u, 0u, 0u})
            w.U32(v);
    }
    return bytes;
}

// A black picture of its own and the overlay drawing on it.
class Picture {
public:
    Picture(int width, int height) : m_width(width), m_height(height), m_dc(nullptr) {
        m_image.Create(width, height);
        m_old = SelectObject(m_dc.Get(), m_image.Bitmap());
    }
    ~Picture() { SelectObject(m_dc.Get(), m_old); }

    void Draw(SynopsisOverlay& overlay, const std::vector<uint8_t>& block, bool present = true) {
        SC_FrameInfo frame = {};
        frame.structSize = sizeof(frame);
        frame.frameWidth = static_cast<unsigned short>(m_width);
        frame.frameHeight = static_cast<unsigned short>(m_height);
        frame.metadataPresent = present ? 1 : 0;
        frame.metadata = block.data();
        frame.metadataLength = static_cast<unsigned int>(block.size());
        overlay.Draw(m_dc.Get(), frame);
        GdiFlush();
    }
    uint32_t At(int x, int y) const { return m_image.PixelAt(x, y) & 0xFFFFFF; }
    // The rectangle holding every pixel of a colour (text edges blended
    // with the black picture count as red too); empty when there is none.
    RECT Extent(uint32_t colour) const {
        const auto matches = [&](uint32_t pixel) {
            if (colour != kRed)
                return pixel == colour;
            return (pixel >> 16) >= 100 && (pixel & 0xFFFF) == 0;
        };
        RECT r = {m_width, m_height, 0, 0};
        for (int y = 0; y < m_height; ++y)
            for (int x = 0; x < m_width; ++x)
                if (matches(At(x, y))) {
                    r.left = std::min<LONG>(r.left, x);
                    r.top = std::min<LONG>(r.top, y);
                    r.right = std::max<LONG>(r.right, x + 1);
                    r.bottom = std::max<LONG>(r.bottom, y + 1);
                }
        return r;
    }

private:
    int m_width, m_height;
    Image m_image;
    MemoryDC m_dc;
    HGDIOBJ m_old = nullptr;
};

TEST(SynopsisOverlay, TheLabelsFontFollowsThePictureWidthAndItsPlaceStaysInside) {
    struct Case {
        int width, height;
        Object object;
        int minHeight, maxHeight; // of the label's red extent
        LONG left, top;           // where it starts, -1 where it does not matter
        bool atRightEdge;
    };
    const Case cases[] = {
        {352, 288, {20, 20, 40, 40}, 5, 12, 20, 60, false},      // 8 points, below the box
        {353, 288, {20, 20, 40, 40}, 13, 22, 20, 60, false},     // 15 points
        {704, 576, {100, 540, 50, 30}, 13, 22, 102, 540, false}, // beside the box's top instead
        {704, 576, {680, 100, 20, 20}, 13, 22, -1, 120, true},   // pulled in from the right edge
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " at " << c.object.x << "," << c.object.y);
        SynopsisOverlay overlay;
        overlay.SetShowBoxes(0);
        Picture picture(c.width, c.height);
        picture.Draw(overlay, Block({c.object}));
        const RECT label = picture.Extent(kRed);
        ASSERT_LT(label.left, label.right) << "a label is drawn";
        EXPECT_GE(label.bottom - label.top, c.minHeight);
        EXPECT_LE(label.bottom - label.top, c.maxHeight);
        if (c.left >= 0) {
            EXPECT_NEAR(c.left, label.left, 2);
        }
        EXPECT_NEAR(c.top, label.top, 6);
        EXPECT_LE(label.bottom, c.height);
        EXPECT_LE(label.right, c.width);
        if (c.atRightEdge) {
            EXPECT_GE(label.right, c.width - 4) << "it ends at the edge";
        }
    }
}

TEST(SynopsisOverlay, BlocksThatClaimMoreThanTheyHoldDrawOnlyWholeRecords) {
    SynopsisOverlay overlay;
    Picture picture(704, 576);
    const Object first{100, 100, 50, 50, 1}, second{300, 100, 50, 50, 2};

    // Two records claimed, one present (and most of the second): one box.
    std::vector<uint8_t> block = Block({first, second});
    block.resize(block.size() - 1);
    picture.Draw(overlay, block);
    EXPECT_EQ(kBoxColour, picture.At(100, 95));
    EXPECT_NE(kBoxColour, picture.At(300, 95));
    ASSERT_EQ(1u, overlay.FrameObjects()->size());

    // A frame without metadata keeps the last objects clickable.
    picture.Draw(overlay, {}, false);
    EXPECT_EQ(1u, overlay.FrameObjects()->size());

    // A block whose check value exceeds 10000 draws nothing and clears them.
    Picture fresh(704, 576);
    fresh.Draw(overlay, Block({first}, 10001));
    EXPECT_TRUE(overlay.FrameObjects()->empty());
    EXPECT_EQ(0, fresh.Extent(kBoxColour).right);
    EXPECT_EQ(0, fresh.Extent(kRed).right);
}

} // namespace
