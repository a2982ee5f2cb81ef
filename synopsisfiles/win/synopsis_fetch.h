// Fetching a task's tube or object file from the server into the local cache
// folder, once: a file already there is used as it is.
#pragma once

#include "server_requests.h"

#include <cstdint>
#include <string>

// The cache folder: "tbi" beside the module that holds this code.
std::wstring SynopsisCacheFolder();

// Asks the server where the task's files lie (every time), then returns the
// local path of the file of the given kind in the cache folder, downloading
// it first when it is not there yet. Returns an empty path when the server
// has no file for the task or the download fails; a failed download leaves
// no file behind.
std::wstring FetchSynopsisFile(const std::wstring& serverAddress, int32_t flowNumber,
                               SynopsisFileKind kind);

// The same with the cache folder given (created when missing).
std::wstring FetchSynopsisFileInto(const std::wstring& folder, const std::wstring& serverAddress,
                                   int32_t flowNumber, SynopsisFileKind kind);
