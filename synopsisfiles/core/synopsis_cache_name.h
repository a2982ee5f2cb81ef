// Where a fetched tube or object file is kept: one file per server address,
// flow number and kind in the local cache folder.
#pragma once

#include "server_requests.h"

#include <cstdint>
#include <string>
#include <string_view>

// "<server>_<flowNumber>.tbi" (tube) or ".obi" (object). Every character of
// the server address that cannot stand in a Windows file name becomes "_":
// the ":" before a port would name an alternate data stream, and "\" or "/"
// would lead out of the cache folder.
std::wstring SynopsisCacheFileName(std::wstring_view server, int32_t flowNumber,
                                   SynopsisFileKind kind);
