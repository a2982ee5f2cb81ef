// Diagnostics: one formatted line each to the debugger output.
#pragma once

#include <functional>
#include <string>

// printf-style formatting of wide text; use %ls for wide strings and %hs for
// narrow ones (plain %s means different things to different C runtimes).
void DebugLine(const wchar_t* format, ...);

// Tests install a sink to see the lines as well; pass nullptr to remove it.
// The sink is called on the thread that writes the line.
void SetDebugLineSink(std::function<void(const std::wstring&)> sink);
