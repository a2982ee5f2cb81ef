#include "view_params.h"

#include "tag_value.h"
#include "text_number.h"

namespace {

int32_t TagNumber(std::wstring_view text, std::wstring_view key) {
    return ParseDecimalInt(GetTagValue(text, key));
}

} // namespace

SegmentParams ParseSegmentParams(std::wstring_view text) {
    SegmentParams params;
    params.startFrame = TagNumber(text, L"startFrame");
    params.endFrame = TagNumber(text, L"endFrame");
    params.compId = TagNumber(text, L"compid");
    params.tubeId = TagNumber(text, L"tubeid");
    return params;
}

ServerVideoParams ParseServerVideoParams(std::wstring_view text) {
    ServerVideoParams params;
    params.path = GetTagValue(text, L"path");
    params.startFrame = TagNumber(text, L"startframe");
    params.endFrame = TagNumber(text, L"endframe");
    return params;
}
