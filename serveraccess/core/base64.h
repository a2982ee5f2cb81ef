// Base64 with the standard alphabet and "=" padding (RFC 4648, section 4),
// without line breaks: how picture files travel inside form bodies.
#pragma once

#include <optional>
#include <string>
#include <string_view>

std::string Base64Encode(std::string_view bytes);

// The bytes of Base64 text, or nothing when it is not Base64: a character
// outside the alphabet, padding anywhere but at the end, or a length no
// encoding gives. Blanks and line breaks are skipped, as encoders that wrap
// lines insert them.
std::optional<std::string> Base64Decode(std::string_view text);
