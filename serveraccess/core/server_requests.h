// The catalogue of server requests the controls make: how each URL is formed
// and how its reply is read. Sending is left to the HTTP client.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The three queries that answer with a server file path.
enum class PathQuery {
    Synopsis,   // query_ex.php: the task's synopsis video, <summarypath>
    Transcoded, // querytranscodestatus.php: an uploaded video after transcoding, <destURI>
    Source,     // taskDetail.php: the task's source video, <sourceUrl>
};

std::wstring PathQueryUrl(PathQuery query, std::wstring_view server, int32_t id);

// Reads a path query's reply: the text between the query's first opening and
// first closing tag becomes path (untouched when a tag is missing: result 0),
// which ServerPathToUrl then cleans and turns into url (result 1, or 0 with
// url untouched).
int ReadPathQueryReply(PathQuery query, std::wstring_view reply, std::wstring_view server,
                       std::wstring& path, std::wstring& url);

// getorgvideofragmenturl.php: the address of a stretch of a source video.
// fileName is placed unchanged; the caller escapes it if needed.
std::wstring FragmentQueryUrl(std::wstring_view server, std::wstring_view fileName, int32_t ss,
                              int32_t endpos);

// Reads the <url> of a fragment reply into "http://" + server + value.
// Returns 0 with url emptied when a tag is missing.
int ReadFragmentReply(std::wstring_view reply, std::wstring_view server, std::wstring& url);

// Server.php?command=QueryTubeBasicInfoFilename: where a task's tube and
// object files lie.
std::wstring TubeInfoQueryUrl(std::wstring_view server, int32_t flowNumber);

enum class SynopsisFileKind { Tube = 0, Object = 1 };

// Reads a tube-info reply: "<ret>" must hold exactly "0"; the "<fileurl>" value
// has its doubled backslashes turned into "/", is prefixed with "http://" and
// the server, and its last three characters become "tbi" or "obi". Returns
// false (url untouched) for an empty reply, another result, or a missing tag.
bool ReadTubeInfoReply(std::wstring_view reply, std::wstring_view server, SynopsisFileKind kind,
                       std::wstring& url);
