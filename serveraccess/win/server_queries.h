// The requests the result viewer makes to learn where a task's videos lie.
// Each blocks the calling thread for one HTTP exchange.
#pragma once

#include "escape_url.h"
#include "server_path.h"
#include "server_requests.h"
#include "tag_value.h"

#include <cstdint>
#include <string>

// Each returns 1 with the server file path and its HTTP URL, or 0. On 0 the
// outputs are untouched, except that a reply whose path yields no URL leaves
// the cleaned path in path.
int QuerySynopsisPath(const std::wstring& server, int32_t flowNumber, std::wstring& path,
                      std::wstring& url);
int QueryTranscodedPath(const std::wstring& server, int32_t uploadedVideoId, std::wstring& path,
                        std::wstring& url);
int QuerySourcePath(const std::wstring& server, int32_t flowNumber, std::wstring& path,
                    std::wstring& url);

// The HTTP URL of a stretch of a source video: ss is the start second and
// endpos the length in seconds. Returns 1, or 0 with url emptied.
int QueryFragmentUrl(const std::wstring& server, const std::wstring& fileName, int32_t ss,
                     int32_t endpos, std::wstring& url);
