#include "base64.h"

#include <gtest/gtest.h>

namespace {

TEST(Base64, EncodesTheStandardVectorsWithPaddingAndTheFullAlphabet) {
    // RFC 4648, section 10.
    EXPECT_EQ("", Base64Encode(""));
    EXPECT_EQ("Zg==", Base64Encode("f"));
    EXPECT_EQ("Zm8=", Base64Encode("fo"));
    EXPECT_EQ("Zm9v", Base64Encode("foo"));
    EXPECT_EQ("Zm9vYg==", Base64Encode("foob"));
    EXPECT_EQ("Zm9vYmE=", Base64Encode("fooba"));
    EXPECT_EQ("Zm9vYmFy", Base64Encode("foobar"));
    // Bytes above 0x7F, zero bytes, and the last two letters of the alphabet.
    EXPECT_EQ("AP/+", Base64Encode(std::string("\x00\xff\xfe", 3)));
    EXPECT_EQ("+/8=", Base64Encode(std::string("\xfb\xff", 2)));
}

} // namespace
