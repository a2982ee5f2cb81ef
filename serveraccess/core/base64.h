// Base64 with the standard alphabet and "=" padding (RFC 4648, section 4),
// without line breaks: how picture files travel inside form bodies.
#pragma once

#include <string>
#include <string_view>

std::string Base64Encode(std::string_view bytes);
