// How the server reads the path of a request: a script name or a file below
// the data folder.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

// The lower-cased script name when path names a ".php" script at the top
// ("/query_ex.php", "//submittask.php"); empty otherwise. Script names are
// matched without regard to case, as the server's own file system does.
std::string ScriptNameOf(const std::string& path);

// The file below root that a request path names, or nothing when the path
// has an empty, "." or ".." segment, a backslash or a NUL, or resolves
// (through links) outside root. Leading and doubled slashes are ignored.
std::optional<std::filesystem::path> FileForRequestPath(const std::filesystem::path& root,
                                                        const std::string& path);
