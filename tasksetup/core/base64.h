// Standard Base64 (RFC 4648 alphabet, "=" padding, no line breaks), as the
// search picture and its mask travel in parameter strings.
#pragma once

#include <optional>
#include <string>
#include <string_view>

std::string EncodeBase64(std::string_view bytes);

// The bytes of text, or nothing when text is not Base64: a character outside
// the alphabet, padding anywhere but at the end, or a length that no encoding
// gives. Blanks and line breaks are skipped, as encoders that wrap lines
// insert them.
std::optional<std::string> DecodeBase64(std::string_view text);
