#include "parameter_parsers.h"

#include "color_text.h"
#include "number_text.h"
#include "parameter_lookup.h"
#include "region_text.h"
#include "text_number.h"

namespace {

// Reads fields of one text through one of the two lookups; each read returns
// false when the key is missing and then leaves the field alone.
class FieldReader {
public:
    using Lookup = std::wstring (*)(std::wstring_view, std::wstring_view);

    FieldReader(std::wstring_view text, Lookup lookup) : m_text(text), m_lookup(lookup) {}

    std::wstring Value(std::wstring_view key) const { return m_lookup(m_text, key); }

    bool Int(std::wstring_view key, int32_t& field) const {
        return Read(key, field, [](std::wstring_view v) { return ParseDecimalInt(v); });
    }
    bool Double(std::wstring_view key, double& field) const {
        return Read(key, field, ParseDecimalDouble);
    }
    bool Float(std::wstring_view key, float& field) const {
        return Read(key, field, ParseDecimalFloat);
    }

    int32_t IntOrZero(std::wstring_view key) const {
        int32_t value = 0;
        Int(key, value);
        return value;
    }

private:
    template <typename Field, typename Convert>
    bool Read(std::wstring_view key, Field& field, Convert convert) const {
        const std::wstring value = Value(key);
        if (!IsFound(value))
            return false;
        field = convert(value);
        return true;
    }

    std::wstring_view m_text;
    Lookup m_lookup;
};

// UDR_exist is optional; when it is 1 the region text must be there and read.
bool ReadRegion(const FieldReader& read, RegionTextForm form, RegionSetting& region) {
    if (read.IntOrZero(L"UDR_exist") != 1)
        return true;
    const std::wstring setting = read.Value(L"UDR_setting");
    return IsFound(setting) && ParseRegionText(setting, form, region);
}

// tripwire_crossdir is optional; when present the four coordinates must be too.
bool ReadTripwire(const FieldReader& read, TripwireSetting& tripwire) {
    TripwireSetting parsed = tripwire;
    if (!read.Int(L"tripwire_crossdir", parsed.crossdir))
        return true;
    if (!read.Double(L"tripwire_x1", parsed.x1) || !read.Double(L"tripwire_y1", parsed.y1) ||
        !read.Double(L"tripwire_x2", parsed.x2) || !read.Double(L"tripwire_y2", parsed.y2))
        return false;
    tripwire = parsed;
    return true;
}

bool IncludesRetrieval(const TaskParams& params) {
    return params.type == 0 || params.type == 1;
}

void ReadHexColor(const FieldReader& read, std::wstring_view key, uint32_t& color) {
    const std::wstring value = read.Value(key);
    if (IsFound(value))
        color = ColorFromHexText(value);
}

void ReadEnabledColor(const FieldReader& read, std::wstring_view key, std::wstring_view enableKey,
                      uint32_t& color) {
    const std::wstring value = read.Value(key);
    const std::wstring enable = read.Value(enableKey);
    if (IsFound(value) && IsFound(enable) && enable != L"0")
        color = ColorFromDecimalText(value);
}

} // namespace

bool ParseParameterString(std::wstring_view text, TaskParams& params, RegionSetting& region,
                          TripwireSetting& tripwire, const WideToAnsi& narrow) {
    const FieldReader read(text, LookupValue);
    if (!read.Int(L"type", params.type) || !read.Int(L"sensitivity", params.sensitivity) ||
        !read.Int(L"fineness", params.fineness))
        return false;
    if (!ReadRegion(read, RegionTextForm::KeyValue, region) || !ReadTripwire(read, tripwire))
        return false;
    if (!read.Int(L"task_priority", params.task_priority) ||
        !read.Int(L"thickness", params.thickness) || !read.Int(L"snap_type", params.snap_type) ||
        !read.Float(L"drop_frm_rate", params.drop_frm_rate) ||
        !read.Int(L"summary_height", params.summary_height) ||
        !read.Int(L"summary_width", params.summary_width))
        return false;
    if (!IncludesRetrieval(params))
        return true;

    if (!read.Int(L"obj_type", params.obj_type))
        return false;
    ReadHexColor(read, L"retrieve_avgcolor", params.avg_color);
    ReadHexColor(read, L"retrieve_uppercolor", params.upper_color);
    ReadHexColor(read, L"retrieve_lowercolor", params.lower_color);

    params.enable_search_by_image = read.IntOrZero(L"enable_search_by_image");
    if (params.enable_search_by_image != 1)
        return true;
    const std::wstring image = read.Value(L"request_image_data");
    if (!IsFound(image))
        return false;
    params.request_image_data = narrow(image);
    const std::wstring mask = read.Value(L"request_mask_data");
    if (!IsFound(mask))
        return false;
    params.request_mask_data = narrow(mask);
    return true;
}

bool ParseTaskDetailXml(std::wstring_view reply, TaskParams& params, RegionSetting& region,
                        TripwireSetting& tripwire) {
    const FieldReader read(reply, LookupTag);
    if (!read.Int(L"type", params.type) || !read.Int(L"sensitivity", params.sensitivity))
        return false;
    if (!ReadRegion(read, RegionTextForm::Xml, region) || !ReadTripwire(read, tripwire))
        return false;
    if (!read.Int(L"task_priority", params.task_priority) ||
        !read.Int(L"thickness", params.thickness) ||
        !read.Int(L"summary_height", params.summary_height) ||
        !read.Int(L"summary_width", params.summary_width))
        return false;
    if (!IncludesRetrieval(params))
        return true;

    if (!read.Int(L"obj_type", params.obj_type))
        return false;
    ReadEnabledColor(read, L"retrieve_avgcolor", L"enable_avgcolor", params.avg_color);
    ReadEnabledColor(read, L"retrieve_uppercolor", L"enable_uppercolor", params.upper_color);
    ReadEnabledColor(read, L"retrieve_lowercolor", L"enable_lowercolor", params.lower_color);
    params.enable_search_by_image = read.IntOrZero(L"enable_search_by_image");
    return true;
}
