#include "escape_url.h"

namespace {

void ReplaceAll(std::wstring& text, wchar_t from, const wchar_t* to) {
    std::wstring out;
    out.reserve(text.size());
    for (wchar_t c : text) {
        if (c == from)
            out += to;
        else
            out += c;
    }
    text.swap(out);
}

} // namespace

std::wstring EscapeUrl(std::wstring_view text) {
    static const struct {
        wchar_t from;
        const wchar_t* to;
    } kTable[] = {{L'%', L"%25"}, {L'#', L"%23"}, {L'+', L"%2B"}, {L' ', L"%20"}, {L'&', L"%26"},
                  {L'?', L"%3F"}, {L'=', L"%3D"}, {L'!', L"%21"}, {L'^', L"%5E"}};
    std::wstring result(text);
    for (const auto& entry : kTable)
        ReplaceAll(result, entry.from, entry.to);
    return result;
}
