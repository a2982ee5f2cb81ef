#include "thread_ansi_text.h"

#include "thread_codepage.h"

std::wstring ThreadAnsiToWide(std::string_view bytes) {
    std::wstring text;
    AppendAnsiAsWide(bytes.data(), bytes.size(), text);
    return text;
}

std::string WideToThreadAnsiText(std::wstring_view text) {
    return WideToThreadAnsi(std::wstring(text));
}
