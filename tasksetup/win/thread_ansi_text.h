// The picture data conversions of the parameter string on Windows: through the
// calling thread's ANSI code page, as the rest of the control's narrow text.
#pragma once

#include <string>
#include <string_view>

// Usable as AnsiToWide and WideToAnsi of the portable parameter-string code.
std::wstring ThreadAnsiToWide(std::string_view bytes);
std::string WideToThreadAnsiText(std::wstring_view text);
