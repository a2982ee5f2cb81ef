// Turning a server file path into the HTTP URL the server publishes it under.
#pragma once

#include <string>
#include <string_view>

// The server's data folder; what follows it in a server path is reachable over
// HTTP below the server's root.
inline constexpr std::wstring_view kServerDataFolder = L"AstRP_1v2";

// Removes every TAB, LF and CR from path (the cleaned path is left in path),
// takes what follows the first "AstRP_1v2" (or, without it, all but the first
// eight characters), turns "\" into "/" and sets url to
// "http://" + server + "/" + that rest. Returns 1, or 0 when the rest is empty
// (url then stays untouched).
int ServerPathToUrl(std::wstring_view server, std::wstring& path, std::wstring& url);
