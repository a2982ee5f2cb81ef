#include "region_text.h"

#include "number_text.h"
#include "text_number.h"

#include <algorithm>
#include <optional>

namespace {

struct OpenTags {
    std::wstring_view attr, vertnum, x, y;
    size_t skip; // characters skipped after the opening text
};

constexpr OpenTags kKeyValueTags{L"<attr", L"<vertnum", L"<x", L"<y", 1};
constexpr OpenTags kXmlTags{L"<attr>", L"<vertnum>", L"<x>", L"<y>", 0};

// The text after the first open (plus skip characters) up to the next close.
std::optional<std::wstring_view> Cut(std::wstring_view text, std::wstring_view open, size_t skip,
                                     std::wstring_view close) {
    const size_t at = text.find(open);
    if (at == std::wstring_view::npos)
        return std::nullopt;
    const size_t start = std::min(text.size(), at + open.size() + skip);
    const size_t end = text.find(close, start);
    if (end == std::wstring_view::npos)
        return std::nullopt;
    return text.substr(start, end - start);
}

} // namespace

bool ParseRegionText(std::wstring_view text, RegionTextForm form, RegionSetting& region) {
    const OpenTags& tags = form == RegionTextForm::Xml ? kXmlTags : kKeyValueTags;
    RegionSetting parsed = region;

    const auto attr = Cut(text, tags.attr, tags.skip, L"</attr>");
    if (!attr)
        return false;
    parsed.attr = ParseDecimalInt(*attr);

    const auto vertnum = Cut(text, tags.vertnum, tags.skip, L"</vertnum>");
    if (!vertnum)
        return false;
    const int32_t count = ParseDecimalInt(*vertnum);
    if (count > RegionSetting::kVertexCount)
        return false;

    std::wstring_view rest = text;
    for (int32_t i = 0; i < count; ++i) {
        const auto x = Cut(rest, tags.x, tags.skip, L"</x>");
        const auto y = Cut(rest, tags.y, tags.skip, L"</y>");
        if (!x || !y)
            return false;
        parsed.x[i] = ParseDecimalDouble(*x);
        parsed.y[i] = ParseDecimalDouble(*y);
        // The next vertex is searched after this one; a "</y>" exists, as y was cut.
        rest.remove_prefix(rest.find(L"</y>") + 4);
    }
    region = parsed;
    return true;
}
