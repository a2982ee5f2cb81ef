#include "number_text.h"

#include "text_number.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace {

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r' || c == L'\v' || c == L'\f';
}

bool IsDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

// Moves a counter of decimal positions, which stops growing far beyond any
// representable magnitude.
void Step(int64_t& counter, int64_t by) {
    constexpr int64_t kLimit = int64_t{1} << 40;
    if (counter > -kLimit && counter < kLimit)
        counter += by;
}

// The decimal number at the start of text, copied into the narrow form
// std::from_chars reads (which takes no blanks and no '+'), with the power of
// ten of its leading significant digit so that an out-of-range result can be
// told apart as overflow or underflow.
struct DecimalSpan {
    std::string chars;
    int64_t scale = 0; // > 0: the number's magnitude is at least 1
    bool negative = false;
};

bool ScanDecimal(std::wstring_view text, DecimalSpan& span) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) {
        span.negative = text[i] == L'-';
        ++i;
    }
    bool anyDigit = false;
    bool significant = false;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        span.chars.push_back(static_cast<char>(text[i]));
        anyDigit = true;
        significant = significant || text[i] != L'0';
        if (significant)
            Step(span.scale, 1);
    }
    if (i < text.size() && text[i] == L'.') {
        span.chars.push_back('.');
        for (++i; i < text.size() && IsDigit(text[i]); ++i) {
            span.chars.push_back(static_cast<char>(text[i]));
            anyDigit = true;
            if (!significant && text[i] == L'0')
                Step(span.scale, -1);
            significant = significant || text[i] != L'0';
        }
    }
    if (!anyDigit)
        return false;
    // An exponent counts only when at least one digit follows "e" and its sign.
    if (i < text.size() && (text[i] == L'e' || text[i] == L'E')) {
        size_t j = i + 1;
        bool negativeExponent = false;
        if (j < text.size() && (text[j] == L'+' || text[j] == L'-')) {
            negativeExponent = text[j] == L'-';
            ++j;
        }
        if (j < text.size() && IsDigit(text[j])) {
            span.chars.push_back('e');
            if (negativeExponent)
                span.chars.push_back('-');
            int64_t exponent = 0;
            for (; j < text.size() && IsDigit(text[j]); ++j) {
                span.chars.push_back(static_cast<char>(text[j]));
                if (exponent < (int64_t{1} << 40))
                    exponent = exponent * 10 + (text[j] - L'0');
            }
            Step(span.scale, negativeExponent ? -exponent : exponent);
        }
    }
    return true;
}

template <typename Real> Real ParseDecimalReal(std::wstring_view text) {
    DecimalSpan span;
    if (!ScanDecimal(text, span))
        return Real(0);
    Real value = 0;
    const auto [end, error] =
        std::from_chars(span.chars.data(), span.chars.data() + span.chars.size(), value);
    if (error == std::errc::result_out_of_range)
        value = span.scale > 0 ? std::numeric_limits<Real>::max() : Real(0);
    else if (error != std::errc())
        value = 0;
    else if (!std::isfinite(value))
        value = std::numeric_limits<Real>::max();
    return span.negative ? -std::fabs(value) : std::fabs(value);
}

} // namespace

void AppendDecimal(std::wstring& out, int32_t value) {
    std::array<char, 16> buffer;
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    out.append(buffer.data(), result.ptr);
}

void AppendFixed(std::wstring& out, double value, int precision) {
    if (!std::isfinite(value))
        value = 0.0;
    if (precision < 0)
        precision = 0;
    if (precision > 20)
        precision = 20;
    // The largest double has 309 digits before the point.
    std::array<char, 400> buffer;
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, precision);
    if (result.ec != std::errc()) {
        out.push_back(L'0');
        return;
    }
    out.append(buffer.data(), result.ptr);
}

float ParseDecimalFloat(std::wstring_view text) {
    return ParseDecimalReal<float>(text);
}

double ParseDecimalDouble(std::wstring_view text) {
    return ParseDecimalReal<double>(text);
}

uint32_t ParseHexNumber(std::wstring_view text) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) {
        negative = text[i] == L'-';
        ++i;
    }
    if (i + 1 < text.size() && text[i] == L'0' && (text[i + 1] == L'x' || text[i + 1] == L'X'))
        i += 2;
    uint64_t value = 0;
    for (; i < text.size() && HexDigitValue(text[i]) >= 0; ++i) {
        value = value * 16 + static_cast<uint64_t>(HexDigitValue(text[i]));
        if (value > 0xFFFFFFFFu)
            return 0xFFFFFFFFu;
    }
    const auto result = static_cast<uint32_t>(value);
    return negative ? 0u - result : result;
}
