#include "text_number.h"

#include <gtest/gtest.h>

namespace {

TEST(ParseDecimalInt, ReadsLikeAtoi) {
    EXPECT_EQ(120, ParseDecimalInt(L"120"));
    EXPECT_EQ(-5, ParseDecimalInt(L"  -5xyz"));
    EXPECT_EQ(7, ParseDecimalInt(L"\t+7"));
    EXPECT_EQ(0, ParseDecimalInt(L""));
    EXPECT_EQ(0, ParseDecimalInt(L"x1"));
    EXPECT_EQ(0, ParseDecimalInt(L"- 1"));
    EXPECT_EQ(12, ParseDecimalInt("12.9"));
}

TEST(ParseDecimalInt, SaturatesOutsideInt32) {
    EXPECT_EQ(2147483647, ParseDecimalInt(L"2147483647"));
    EXPECT_EQ(2147483647, ParseDecimalInt(L"2147483648"));
    EXPECT_EQ(-2147483647 - 1, ParseDecimalInt(L"-2147483648"));
    EXPECT_EQ(-2147483647 - 1, ParseDecimalInt(L"-99999999999999999999999"));
    EXPECT_EQ(2147483647, ParseDecimalInt("99999999999999999999999"));
}

} // namespace
