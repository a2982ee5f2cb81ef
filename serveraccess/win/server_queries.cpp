#include "server_queries.h"

#include "http_client.h"

namespace {

int QueryPath(PathQuery query, const std::wstring& server, int32_t id, std::wstring& path,
              std::wstring& url) {
    const std::wstring request = PathQueryUrl(query, server, id);
    std::wstring reply;
    HttpGetText(request.c_str(), reply);
    return ReadPathQueryReply(query, reply, server, path, url);
}

} // namespace

int QuerySynopsisPath(const std::wstring& server, int32_t flowNumber, std::wstring& path,
                      std::wstring& url) {
    return QueryPath(PathQuery::Synopsis, server, flowNumber, path, url);
}

int QueryTranscodedPath(const std::wstring& server, int32_t uploadedVideoId, std::wstring& path,
                        std::wstring& url) {
    return QueryPath(PathQuery::Transcoded, server, uploadedVideoId, path, url);
}

int QuerySourcePath(const std::wstring& server, int32_t flowNumber, std::wstring& path,
                    std::wstring& url) {
    return QueryPath(PathQuery::Source, server, flowNumber, path, url);
}

int QueryFragmentUrl(const std::wstring& server, const std::wstring& fileName, int32_t ss,
                     int32_t endpos, std::wstring& url) {
    const std::wstring request = FragmentQueryUrl(server, fileName, ss, endpos);
    std::wstring reply;
    if (!HttpGetText(request.c_str(), reply)) {
        url.clear();
        return 0;
    }
    return ReadFragmentReply(reply, server, url);
}
