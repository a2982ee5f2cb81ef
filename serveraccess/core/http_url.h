// Splitting of the "http://host[:port]/object" URLs the controls build.
#pragma once

#include <cstdint>
#include <string>

// Splits url into host, object and port. The first seven characters are taken
// to be "http://" without being checked. object is everything after the first
// "/" that follows them (the whole url when there is none, in which case host
// is empty). A ":" in the host ends it and the decimal number after it becomes
// the port (16 bits); otherwise port is set to 80. Returns 0 only for a null
// url, which leaves the outputs untouched.
int SplitHttpUrl(const wchar_t* url, std::wstring& host, std::wstring& object, uint16_t& port);
