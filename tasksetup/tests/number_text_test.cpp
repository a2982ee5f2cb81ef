#include "color_text.h"
#include "number_text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <limits>

namespace {

std::wstring Fixed(double value, int precision) {
    std::wstring out;
    AppendFixed(out, value, precision);
    return out;
}

TEST(AppendFixed, WritesLikePrintfFixed) {
    EXPECT_EQ(L"1.0", Fixed(1.0f, 1));
    EXPECT_EQ(L"1.5", Fixed(1.5f, 1));
    EXPECT_EQ(L"2.5", Fixed(2.55f, 1)); // the float lies just below 2.55
    EXPECT_EQ(L"0.250000", Fixed(0.25, 6));
    EXPECT_EQ(L"-0.333333", Fixed(-1.0 / 3.0, 6));
    EXPECT_EQ(L"0.000003", Fixed(0.0000025, 6));
    EXPECT_EQ(L"12345678901.000000", Fixed(12345678901.0, 6));
    EXPECT_EQ(L"-0.000000", Fixed(-0.0, 6));
}

TEST(AppendFixed, ExtremesStayNumbers) {
    const std::wstring max = Fixed(DBL_MAX, 6);
    EXPECT_EQ(309u + 7u, max.size());
    EXPECT_EQ(L"179769313486231570814527423731704356798070567525844996598917476803157",
              max.substr(0, 69));
    EXPECT_EQ(L".000000", max.substr(309));
    EXPECT_EQ(DBL_MAX, ParseDecimalDouble(max));
    EXPECT_EQ(L"0.000000", Fixed(std::numeric_limits<double>::infinity(), 6));
    EXPECT_EQ(L"0.0", Fixed(std::numeric_limits<double>::quiet_NaN(), 1));
}

TEST(ParseDecimalReal, ReadsLikeAtof) {
    EXPECT_EQ(2.5f, ParseDecimalFloat(L"2.5"));
    EXPECT_EQ(0.1, ParseDecimalDouble(L"0.1")); // correctly rounded
    EXPECT_EQ(-150.0, ParseDecimalDouble(L" \t-1.5e2xyz"));
    EXPECT_EQ(0.5, ParseDecimalDouble(L"+.5"));
    EXPECT_EQ(5.0, ParseDecimalDouble(L"5."));
    EXPECT_EQ(1.0, ParseDecimalDouble(L"1e"));  // exponent without digits ends the number
    EXPECT_EQ(1.0, ParseDecimalDouble(L"1e+")); // likewise
    EXPECT_EQ(1.0, ParseDecimalDouble(L"1,5")); // a comma is no decimal separator
    EXPECT_EQ(25.0, ParseDecimalDouble(L"0.25E2"));
}

TEST(ParseDecimalReal, NonDecimalTextReadsAsZero) {
    for (const wchar_t* text : {L"", L"abc", L".", L"-", L"+-1", L"inf", L"-infinity", L"nan",
                                L"0x10", L"e5", L"\x0661"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(0.0, ParseDecimalDouble(text));
        EXPECT_EQ(0.0f, ParseDecimalFloat(text));
    }
}

TEST(ParseDecimalReal, OutOfRangeSaturatesOrVanishes) {
    EXPECT_EQ(DBL_MAX, ParseDecimalDouble(L"1e400"));
    EXPECT_EQ(-DBL_MAX, ParseDecimalDouble(L"-1e400"));
    EXPECT_EQ(DBL_MAX, ParseDecimalDouble(L"0.0001e99999999999999999999"));
    EXPECT_EQ(0.0, ParseDecimalDouble(L"1e-400"));
    EXPECT_EQ(0.0, ParseDecimalDouble(L"1000e-99999999999999999999"));
    EXPECT_EQ(FLT_MAX, ParseDecimalFloat(L"1e39"));
    EXPECT_EQ(-FLT_MAX, ParseDecimalFloat(L"-340282356779733661637539395458142568448"));
    EXPECT_EQ(0.0f, ParseDecimalFloat(L"1e-50"));
    EXPECT_EQ(FLT_MAX, ParseDecimalFloat(L"340282346638528859811704183484516925440.0"));
    // Many digits are read whole, not cut off.
    EXPECT_EQ(1e30, ParseDecimalDouble(L"1" + std::wstring(30, L'0') + L".5"));
}

TEST(ParseHexNumber, ReadsLikeStrtoulBase16) {
    EXPECT_EQ(0xFF0000u, ParseHexNumber(L"0xFF0000"));
    EXPECT_EQ(0xFFu, ParseHexNumber(L"ff"));
    EXPECT_EQ(0x1Au, ParseHexNumber(L"  0X1a"));
    EXPECT_EQ(0x12u, ParseHexNumber(L"12g4"));
    EXPECT_EQ(0u, ParseHexNumber(L"0x"));
    EXPECT_EQ(0u, ParseHexNumber(L"zz"));
    EXPECT_EQ(0u, ParseHexNumber(L""));
    EXPECT_EQ(0xFFFFFFFFu, ParseHexNumber(L"-1"));
    EXPECT_EQ(0xFFFFFFFFu, ParseHexNumber(L"0x100000000"));
    EXPECT_EQ(0xFFFFFFFFu, ParseHexNumber(L"-0x123456789ABCDEF"));
}

TEST(ColorText, TextOrderIsRedGreenBlue) {
    EXPECT_EQ(0x0000FFu, ColorFromHexText(L"0xFF0000")); // red
    EXPECT_EQ(0x563412u, ColorFromHexText(L"0x123456"));
    EXPECT_EQ(0x0000FFu, ColorFromDecimalText(L"16711680")); // 0xFF0000 in decimal
    EXPECT_EQ(0xFFFFFFFFu, ColorFromHexText(L"-1"));

    std::wstring out;
    AppendColorText(out, 0x0000FF);
    out += L' ';
    AppendColorText(out, 0x0A0B0C);
    out += L' ';
    AppendColorText(out, 0x7F563412); // the high byte is not part of the text
    EXPECT_EQ(L"0xFF0000 0x0C0B0A 0x123456", out);
}

} // namespace
