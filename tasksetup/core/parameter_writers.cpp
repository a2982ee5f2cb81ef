#include "parameter_writers.h"

#include "color_text.h"
#include "number_text.h"

namespace {

void AppendInt(std::wstring& out, std::wstring_view key, int32_t value) {
    out += key;
    AppendDecimal(out, value);
}

void AppendCoordinate(std::wstring& out, std::wstring_view key, double value) {
    out += key;
    AppendFixed(out, value, 6);
}

void AppendColorIfUsed(std::wstring& out, std::wstring_view key, uint32_t color) {
    if (color == kNoColor)
        return;
    out += key;
    AppendColorText(out, color);
}

} // namespace

std::wstring PanelString(const TaskParams& params, const AnsiToWide& widen) {
    std::wstring out;
    AppendInt(out, L"type=", params.type);
    AppendInt(out, L"&sensitivity=", params.sensitivity);
    AppendInt(out, L"&fineness=", params.fineness);
    AppendInt(out, L"&snap_type=", params.snap_type);
    AppendInt(out, L"&thickness=", params.thickness);
    AppendInt(out, L"&task_priority=", params.task_priority);
    AppendInt(out, L"&summary_width=", params.summary_width);
    AppendInt(out, L"&summary_height=", params.summary_height);
    out += L"&drop_frm_rate=";
    AppendFixed(out, params.drop_frm_rate, 1);

    // The object part belongs to the modes that include retrieval.
    if (params.type == 0 || params.type == 1) {
        AppendInt(out, L"&obj_enable=1&obj_type=", params.obj_type);
        AppendColorIfUsed(out, L"&retrieve_avgcolor=", params.avg_color);
        AppendColorIfUsed(out, L"&retrieve_uppercolor=", params.upper_color);
        AppendColorIfUsed(out, L"&retrieve_lowercolor=", params.lower_color);
    }

    // A search picture needs both the picture and its mask; "0" is never written.
    if (!params.request_image_data.empty() && !params.request_mask_data.empty()) {
        out += L"&enable_search_by_image=1&request_image_data=";
        out += widen(params.request_image_data);
        out += L"&request_mask_data=";
        out += widen(params.request_mask_data);
    }
    return out;
}

std::wstring RegionString(const RegionSetting& region) {
    std::wstring out = L"UDR_exist=1&UDR_setting=<udr><attr>";
    AppendDecimal(out, region.attr);
    out += L"</attr><polynum>1</polynum><polyinfo><vertnum>4</vertnum><vertinfo>";
    for (int i = 0; i < RegionSetting::kVertexCount; ++i) {
        out += L"<x>";
        AppendFixed(out, region.x[i], 6);
        out += L"</x><y>";
        AppendFixed(out, region.y[i], 6);
        out += L"</y>";
    }
    out += L"</vertinfo></polyinfo></udr>";
    return out;
}

std::wstring TripwireString(const TripwireSetting& tripwire) {
    std::wstring out;
    AppendCoordinate(out, L"tripwire_x1=", tripwire.x1);
    AppendCoordinate(out, L"&tripwire_y1=", tripwire.y1);
    AppendCoordinate(out, L"&tripwire_x2=", tripwire.x2);
    AppendCoordinate(out, L"&tripwire_y2=", tripwire.y2);
    AppendInt(out, L"&tripwire_crossdir=", tripwire.crossdir);
    return out;
}

std::wstring JoinParameterStrings(std::wstring_view panel, std::wstring_view region,
                                  std::wstring_view tripwire) {
    std::wstring out(panel);
    if (!region.empty()) {
        out += L'&';
        out += region;
    }
    if (!tripwire.empty()) {
        out += L'&';
        out += tripwire;
    }
    return out;
}
