#include "frame_settings.h"

#include <algorithm>
#include <array>
#include <limits>

namespace {

// Larger sizes are no skin anyone drew; they would only make the painting
// code work with absurd rectangles.
constexpr int32_t kMaxSize = 4096;
constexpr int32_t kAnyInt = std::numeric_limits<int32_t>::max();

const std::array<FrameSettingKey, 12> kKeys = {{
    {L"BKColR", &FrameSettings::bkColR, 0, 255, nullptr},
    {L"BKColG", &FrameSettings::bkColG, 0, 255, nullptr},
    {L"BKColB", &FrameSettings::bkColB, 0, 255, nullptr},
    {L"HasMaxButton", &FrameSettings::hasMaxButton, -kAnyInt - 1, kAnyInt, nullptr},
    {L"HasMinButton", &FrameSettings::hasMinButton, -kAnyInt - 1, kAnyInt, nullptr},
    {L"Resizable", &FrameSettings::resizable, -kAnyInt - 1, kAnyInt, L"是否可以缩放有误！"},
    {L"CircleAngle", &FrameSettings::circleAngle, 0, kMaxSize, L"框架圆角大小有误！"},
    {L"TitleHeight", &FrameSettings::titleHeight, 0, kMaxSize, L"标题栏高度有误！"},
    {L"StatusHeight", &FrameSettings::statusHeight, 0, kMaxSize, L"状态栏高度有误！"},
    {L"BorderWidth", &FrameSettings::borderWidth, 0, kMaxSize, L"左、右边图片宽度有误！"},
    {L"TitleLeftAndRightWidth", &FrameSettings::titleSideWidth, 0, kMaxSize,
     L"标题栏图片左边、右边宽度有误！"},
    {L"TitleCenterWidth", &FrameSettings::titleCenterWidth, 0, kMaxSize,
     L"标题栏图片中间宽度有误！"},
}};

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r' || c == L'\v' || c == L'\f';
}

} // namespace

std::span<const FrameSettingKey> FrameSettingKeys() {
    return kKeys;
}

std::optional<int32_t> SkinNumber(std::wstring_view text, int32_t minimum, int32_t maximum) {
    size_t at = 0;
    while (at < text.size() && IsBlank(text[at]))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == L'+' || text[at] == L'-'))
        negative = text[at++] == L'-';
    if (at == text.size() || text[at] < L'0' || text[at] > L'9')
        return std::nullopt;
    // Accumulated as a 64-bit magnitude that stops growing past the int32 range.
    constexpr int64_t kBeyond = int64_t{std::numeric_limits<int32_t>::max()} + 2;
    int64_t magnitude = 0;
    for (; at < text.size() && text[at] >= L'0' && text[at] <= L'9'; ++at)
        magnitude = std::min(kBeyond, magnitude * 10 + (text[at] - L'0'));
    const int64_t value = negative ? -magnitude : magnitude;
    if (value < minimum || value > maximum)
        return std::nullopt;
    return static_cast<int32_t>(value);
}

FrameSettings ReadFrameSettings(const std::function<std::wstring(const wchar_t* key)>& lookup,
                                std::vector<std::wstring>& messages) {
    FrameSettings settings;
    for (const FrameSettingKey& key : kKeys) {
        const std::optional<int32_t> value = SkinNumber(lookup(key.key), key.minimum, key.maximum);
        if (value)
            settings.*key.field = *value;
        else if (key.message != nullptr)
            messages.push_back(key.message);
    }
    return settings;
}
