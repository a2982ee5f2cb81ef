// The server's scripts (the ".php" requests), independent of the HTTP layer
// so they can be tested without sockets. New scripts register in the table of
// MakeScriptTable.
#pragma once

#include "catalog.h"
#include "search_tasks.h"

#include <filesystem>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

struct ScriptRequest {
    std::string method;
    // Query (and form) parameters, decoded; a script reads the first value.
    std::multimap<std::string, std::string> params;
    std::string body;

    // The first value of key, or empty, as PHP's $_REQUEST gives it.
    std::string Param(const std::string& key) const;
    bool Has(const std::string& key) const { return params.count(key) > 0; }
};

struct ScriptReply {
    int status = 200;
    std::string contentType = "text/xml";
    std::string body;
};

// What scripts may use: the catalogue and the folder that holds the files.
struct ServerState {
    Catalog catalog;
    std::filesystem::path filesRoot;
    std::mutex writeLock;           // scripts that write files below filesRoot take it
    SearchTaskRegistry searchTasks; // tasks submitted by submittask.php
};

using Script = std::function<ScriptReply(ServerState&, const ScriptRequest&)>;

// Script name (lower case, with ".php") to script.
std::map<std::string, Script> MakeScriptTable();

// A whole file's bytes, or nothing when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path);
