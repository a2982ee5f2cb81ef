// Reading the parameter texts that the page passes to the result viewer.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// A stretch of a task's source video with the object to follow in it:
// "<startFrame>120</startFrame><endFrame>480</endFrame><compid>3</compid><tubeid>17</tubeid>".
// Tag names are case-sensitive; a missing tag reads as 0.
struct SegmentParams {
    int32_t startFrame = 0;
    int32_t endFrame = 0;
    int32_t compId = 0;
    int32_t tubeId = 0;
};
SegmentParams ParseSegmentParams(std::wstring_view text);

// A server video to play between two frames:
// "<path>D:\video\cam01.mp4</path><startframe>250</startframe><endframe>750</endframe>".
struct ServerVideoParams {
    std::wstring path;
    int32_t startFrame = 0;
    int32_t endFrame = 0;
};
ServerVideoParams ParseServerVideoParams(std::wstring_view text);
