// Conversions between UTF-16 and the calling thread's ANSI code page, the
// encoding the server's replies and form bodies travel in.
#pragma once

#include "multibyte_chunks.h"

#include <string>

// How characters are laid out in the thread's ANSI code page (CP_THREAD_ACP).
CodePageShape ThreadAnsiCodePageShape();

// Appends bytes converted from CP_THREAD_ACP to text.
void AppendAnsiAsWide(const char* bytes, size_t count, std::wstring& text);

// text converted to CP_THREAD_ACP, without a terminating zero.
std::string WideToThreadAnsi(const std::wstring& text);
