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
    const std::string text = "x\xE4\xB8\xAD\xF0\x9F\x98\x80y"; // x, U+4E2D, U+1F600, y
    for (size_t cut = 1; cut < text.size(); ++cut) {
        std::string joined;
        for (const std::string& piece : Pieces(Utf8(), text, {cut, text.size() - cut})) {
            EXPECT_TRUE(CompleteCharsLength(Utf8(),
                                            reinterpret_cast<const unsigned char*>(piece.data()),
                                            piece.size()) == piece.size())
                << "piece cut inside a character at " << cut;
            joined += piece;
        }
        EXPECT_EQ(text, joined);
    }
}

} // namespace
