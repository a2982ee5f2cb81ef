// Reading the frame dialog's skin file: what counts as a number, and which
// unusable values keep their default with or without a message.
#include "frame_settings.h"

#include <gtest/gtest.h>

#include <map>

namespace {

FrameSettings Read(const std::map<std::wstring, std::wstring>& file,
                   std::vector<std::wstring>& messages) {
    return ReadFrameSettings(
        [&](const wchar_t* key) {
            const auto found = file.find(key);
            return found == file.end() ? std::wstring() : found->second;
        },
        messages);
}

TEST(SkinNumber, ReadsLeadingDecimalNumbersWithinTheRange) {
    const struct {
        const wchar_t* text;
        int32_t expected; // -1: no number
    } cases[] = {
        {L"12", 12},  {L"  7", 7},     {L"+5", 5},    {L"12px", 12},
        {L"0", 0},    {L"4096", 4096}, {L"", -1},     {L"abc", -1},
        {L"-", -1},   {L"-3", -1},     {L"4097", -1}, {L"99999999999999999999", -1},
        {L" x1", -1}, {L"\t30\r", 30}, {L"0x10", 0},
    };
    for (const auto& c : cases) {
        const std::optional<int32_t> value = SkinNumber(c.text, 0, 4096);
        EXPECT_EQ(value.value_or(-1), c.expected) << std::wstring(c.text).size();
    }
    EXPECT_EQ(SkinNumber(L"-2147483648", INT32_MIN, INT32_MAX), INT32_MIN);
    EXPECT_EQ(SkinNumber(L"-2147483649", INT32_MIN, INT32_MAX), std::nullopt);
}

TEST(FrameSettingsFile, TakesEveryKeyGivenAndComplainsOnlyAboutUnusableSizes) {
    std::vector<std::wstring> messages;
    const FrameSettings s = Read({{L"BKColR", L"10"},
                                  {L"BKColG", L"300"}, // not a colour: default, silently
                                  {L"BKColB", L"abc"},
                                  {L"HasMaxButton", L"0"},
                                  {L"HasMinButton", L"-1"}, // any number counts
                                  {L"Resizable", L"1"},
                                  {L"CircleAngle", L"-4"},
                                  {L"TitleHeight", L"40"},
                                  {L"StatusHeight", L"many"},
                                  {L"BorderWidth", L"6"},
                                  {L"TitleLeftAndRightWidth", L"5000"},
                                  {L"TitleCenterWidth", L"20"}},
                                 messages);
    EXPECT_EQ(messages, std::vector<std::wstring>({L"框架圆角大小有误！", L"状态栏高度有误！",
                                                   L"标题栏图片左边、右边宽度有误！"}));
    EXPECT_EQ(std::vector<int32_t>({s.bkColR, s.bkColG, s.bkColB, s.hasMaxButton, s.hasMinButton,
                                    s.resizable, s.circleAngle, s.titleHeight, s.statusHeight,
                                    s.borderWidth, s.titleSideWidth, s.titleCenterWidth}),
              std::vector<int32_t>({10, 128, 128, 0, -1, 1, 5, 40, 35, 6, 32, 20}));
}

} // namespace
