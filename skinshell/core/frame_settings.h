// The frame dialog's look as its skin file sets it: section "Frame" of
// "skin.ini", one number per key, each with a default and, for the sizes, a
// message that tells the operator when the key is missing or wrong.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct FrameSettings {
    int32_t bkColR = 128;
    int32_t bkColG = 128;
    int32_t bkColB = 128;
    int32_t hasMaxButton = 1;
    int32_t hasMinButton = 1;
    int32_t resizable = 0;
    int32_t circleAngle = 5; // ellipse width and height of the window region's corners
    int32_t titleHeight = 50;
    int32_t statusHeight = 35;
    int32_t borderWidth = 8;     // left and right border pieces
    int32_t titleSideWidth = 32; // left and right tiles of the title and status strips
    int32_t titleCenterWidth = 128;
};

struct FrameSettingKey {
    const wchar_t* key;
    int32_t FrameSettings::*field;
    int32_t minimum;
    int32_t maximum;
    const wchar_t* message; // shown when the key is missing or wrong; none for some keys
};

// Every key in the order the file is read.
std::span<const FrameSettingKey> FrameSettingKeys();

// The number a value holds, read the way a decimal string-to-integer
// conversion reads it (leading blanks, a sign, the digits up to the first
// other character); nothing when the text holds no digits or the number lies
// outside [minimum, maximum].
std::optional<int32_t> SkinNumber(std::wstring_view text, int32_t minimum, int32_t maximum);

// Reads every key through lookup (the key's text, empty when it is missing).
// A missing, empty or unusable value keeps the default; the messages of such
// keys are appended to messages in key order.
FrameSettings ReadFrameSettings(const std::function<std::wstring(const wchar_t* key)>& lookup,
                                std::vector<std::wstring>& messages);
