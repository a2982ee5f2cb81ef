#include "search_task_request.h"

std::wstring SearchTaskDetailUrl(std::wstring_view server, int32_t flowNumber) {
    return L"http://" + std::wstring(server) + L"//taskdetail.php?flowNumber=" +
           std::to_wstring(flowNumber);
}

std::wstring SubmitTaskUrl(std::wstring_view server) {
    return L"http://" + std::wstring(server) + L"//submittask.php";
}

std::optional<std::wstring> CutReplyValue(std::wstring_view reply, std::wstring_view key) {
    const std::wstring open = L"<" + std::wstring(key) + L">";
    const std::wstring close = L"</" + std::wstring(key) + L">";
    const size_t at = reply.find(open);
    if (at == std::wstring_view::npos)
        return std::nullopt;
    const size_t start = at + open.size();
    const size_t end = reply.find(close);
    if (end == std::wstring_view::npos || end <= start)
        return std::wstring();
    return std::wstring(reply.substr(start, end - start));
}

std::optional<SearchTaskSource> ReadSearchTaskSource(std::wstring_view reply) {
    SearchTaskSource source;
    const struct {
        const wchar_t* key;
        std::wstring* value;
    } fields[] = {{L"sourceUrl", &source.sourceUrl}, {L"sensitivity", &source.sensitivity},
                  {L"UDR_exist", &source.udrExist},  {L"UDR_setting", &source.udrSetting},
                  {L"snap_type", &source.snapType},  {L"drop_frm_rate", &source.dropFrameRate}};
    for (const auto& field : fields) {
        auto value = CutReplyValue(reply, field.key);
        if (!value)
            return std::nullopt;
        *field.value = std::move(*value);
    }
    return source;
}

std::wstring SearchTaskBody(const SearchTaskSource& source, int32_t objType,
                            std::string_view objBase64, std::string_view maskBase64) {
    std::wstring path;
    for (wchar_t c : source.sourceUrl)
        path += c == L'\\' ? std::wstring(L"\\\\") : std::wstring(1, c);
    std::wstring body = L"sourceUrl=file://" + path + L"&sensitivity=" + source.sensitivity +
                        L"&UDR_exist=" + source.udrExist + L"&UDR_setting=" + source.udrSetting +
                        L"&enable_search_by_image=1&type=0&obj_enable=1&obj_type=" +
                        std::to_wstring(objType) + L"&snap_type=" + source.snapType +
                        L"&drop_frm_rate=" + source.dropFrameRate;
    // Base64 text is plain ASCII.
    body += L"&request_image_data=";
    body.append(objBase64.begin(), objBase64.end());
    body += L"&request_mask_data=";
    body.append(maskBase64.begin(), maskBase64.end());
    return body;
}
