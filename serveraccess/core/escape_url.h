// Escaping of text placed into URLs handed to the server or the shell.
#pragma once

#include <string>
#include <string_view>

// Replaces, in this order and each over the whole text, "%" "#" "+" " " "&"
// "?" "=" "!" "^" by their %XX escapes. Nothing else is escaped: ":" and "/"
// stay, so whole URLs can be passed through it. "%" goes first so the escapes
// added later are not escaped again.
std::wstring EscapeUrl(std::wstring_view text);
