#include "multibyte_chunks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

CodePageShape Gbk() {
    CodePageShape shape;
    shape.kind = CodePageShape::Kind::DoubleByte;
    for (int b = 0x81; b <= 0xFE; ++b)
        shape.leadByte[b] = true;
    return shape;
}

CodePageShape Utf8() {
    CodePageShape shape;
    shape.kind = CodePageShape::Kind::Utf8;
    return shape;
}

// Feeds text in chunks of the given sizes and returns what each convert call saw.
std::vector<std::string> Pieces(const CodePageShape& shape, const std::string& text,
                                std::vector<size_t> sizes) {
    MultibyteChunkJoiner joiner(shape);
    std::vector<std::string> seen;
    const auto convert = [&seen](const char* bytes, size_t count) {
        seen.emplace_back(bytes, count);
    };
    size_t at = 0;
    for (size_t size : sizes) {
        joiner.Feed(text.data() + at, size, convert);
        at += size;
    }
    joiner.Finish(convert);
    return seen;
}

// "中文" in GBK is D6 D0 CE C4.
const std::string kGbk = "a\xD6\xD0\xCE\xC4z";

TEST(MultibyteChunkJoiner, DoubleByteCharacterSplitBetweenChunksIsConvertedWhole) {
    EXPECT_EQ((std::vector<std::string>{"a", "\xD6\xD0\xCE\xC4z"}), Pieces(Gbk(), kGbk, {2, 4}));
    EXPECT_EQ((std::vector<std::string>{"a\xD6\xD0", "\xCE\xC4z"}), Pieces(Gbk(), kGbk, {4, 2}));
}

TEST(MultibyteChunkJoiner, TrailByteThatLooksLikeALeadIsNotHeldBack) {
    // D6 D0: D0 is a trail here though it is also a lead byte value.
    EXPECT_EQ((std::vector<std::string>{"a\xD6\xD0"}), Pieces(Gbk(), "a\xD6\xD0", {3}));
}

TEST(MultibyteChunkJoiner, ChunkHoldingOnlyALeadByteWaitsForTheNext) {
    EXPECT_EQ((std::vector<std::string>{"a", "\xD6\xD0", "\xCE\xC4z"}),
              Pieces(Gbk(), kGbk, {1, 1, 1, 3}));
}

TEST(MultibyteChunkJoiner, UnfinishedCharacterAtTheEndIsHandedOverByFinish) {
    EXPECT_EQ((std::vector<std::string>{"a", "\xD6"}), Pieces(Gbk(), "a\xD6", {2}));
}

TEST(MultibyteChunkJoiner, SingleByteCodePagePassesChunksThrough) {
    EXPECT_EQ((std::vector<std::string>{"a\xD6", "\xD0z"}),
              Pieces(CodePageShape{}, "a\xD6\xD0z", {2, 2}));
}

TEST(MultibyteChunkJoiner, Utf8SequencesSplitAnywhereAreJoined) {
    // x, U+4E2D (3 bytes), U+1F600 (4 bytes), y: two chunks cut after every byte.
    const std::string text = "x\xE4\xB8\xAD\xF0\x9F\x98\x80y";
    const std::string x = "x", zhong = "\xE4\xB8\xAD", grin = "\xF0\x9F\x98\x80", y = "y";
    const struct {
        size_t cut;
        std::vector<std::string> pieces;
    } cases[] = {
        {1, {x, zhong + grin + y}}, {2, {x, zhong + grin + y}}, {3, {x, zhong + grin + y}},
        {4, {x + zhong, grin + y}}, {5, {x + zhong, grin + y}}, {6, {x + zhong, grin + y}},
        {7, {x + zhong, grin + y}}, {8, {x + zhong + grin, y}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.pieces, Pieces(Utf8(), text, {c.cut, text.size() - c.cut})) << "cut " << c.cut;
}

} // namespace
