#include "server_requests.h"

#include "server_path.h"
#include "tag_value.h"

namespace {

struct PathQueryForm {
    const wchar_t* format; // text before the number
    const wchar_t* open;
    const wchar_t* close;
};

const PathQueryForm& FormOf(PathQuery query) {
    static const PathQueryForm kForms[] = {
        {L"/query_ex.php?flowNumber=", L"<summarypath>", L"</summarypath>"},
        {L"/querytranscodestatus.php?UserUploadVideoId=", L"<destURI><![CDATA[", L"]]></destURI>"},
        {L"/taskDetail.php?flowNumber=", L"<sourceUrl>", L"</sourceUrl>"},
    };
    return kForms[static_cast<int>(query)];
}

std::wstring Http(std::wstring_view server) {
    return L"http://" + std::wstring(server);
}

} // namespace

std::wstring PathQueryUrl(PathQuery query, std::wstring_view server, int32_t id) {
    return Http(server) + FormOf(query).format + std::to_wstring(id);
}

int ReadPathQueryReply(PathQuery query, std::wstring_view reply, std::wstring_view server,
                       std::wstring& path, std::wstring& url) {
    const PathQueryForm& form = FormOf(query);
    std::wstring value;
    if (!CutBetween(reply, form.open, form.close, value))
        return 0;
    path = value;
    return ServerPathToUrl(server, path, url);
}

std::wstring FragmentQueryUrl(std::wstring_view server, std::wstring_view fileName, int32_t ss,
                              int32_t endpos) {
    return Http(server) + L"/getorgvideofragmenturl.php?filename=" + std::wstring(fileName) +
           L"&ss=" + std::to_wstring(ss) + L"&endpos=" + std::to_wstring(endpos);
}

int ReadFragmentReply(std::wstring_view reply, std::wstring_view server, std::wstring& url) {
    std::wstring value;
    if (!CutBetween(reply, L"<url>", L"</url>", value)) {
        url.clear();
        return 0;
    }
    url = Http(server) + value;
    return 1;
}

std::wstring TubeInfoQueryUrl(std::wstring_view server, int32_t flowNumber) {
    return Http(server) + L"/Server.php?command=QueryTubeBasicInfoFilename&FlowNumber=" +
           std::to_wstring(flowNumber);
}

bool ReadTubeInfoReply(std::wstring_view reply, std::wstring_view server, SynopsisFileKind kind,
                       std::wstring& url) {
    if (reply.empty() || GetTagValue(reply, L"ret") != L"0")
        return false;
    std::wstring fileUrl;
    if (!CutBetween(reply, L"<fileurl>", L"</fileurl>", fileUrl) || fileUrl.empty())
        return false;

    std::wstring result = Http(server);
    for (size_t i = 0; i < fileUrl.size(); ++i) {
        if (fileUrl[i] == L'\\' && i + 1 < fileUrl.size() && fileUrl[i + 1] == L'\\') {
            result += L'/';
            ++i;
        } else {
            result += fileUrl[i];
        }
    }
    const wchar_t* extension = kind == SynopsisFileKind::Tube ? L"tbi" : L"obi";
    result.replace(result.size() >= 3 ? result.size() - 3 : 0, 3, extension);
    url = result;
    return true;
}
