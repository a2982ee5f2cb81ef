#include "synopsis_cache_name.h"

namespace {

bool AllowedInFileName(wchar_t c) {
    return c >= 32 && std::wstring_view(L"<>:\"/\\|?*").find(c) == std::wstring_view::npos;
}

} // namespace

std::wstring SynopsisCacheFileName(std::wstring_view server, int32_t flowNumber,
                                   SynopsisFileKind kind) {
    std::wstring name;
    for (wchar_t c : server)
        name += AllowedInFileName(c) ? c : L'_';
    name += L'_' + std::to_wstring(flowNumber);
    name += kind == SynopsisFileKind::Tube ? L".tbi" : L".obi";
    return name;
}
