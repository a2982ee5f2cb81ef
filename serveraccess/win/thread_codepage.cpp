#include "thread_codepage.h"

#include <windows.h>

#include <climits>

CodePageShape ThreadAnsiCodePageShape() {
    CodePageShape shape;
    CPINFOEXW info = {};
    if (!GetCPInfoExW(CP_THREAD_ACP, 0, &info))
        return shape;
    if (info.CodePage == CP_UTF8) {
        shape.kind = CodePageShape::Kind::Utf8;
    } else if (info.MaxCharSize == 2) {
        shape.kind = CodePageShape::Kind::DoubleByte;
        for (int r = 0; r + 1 < MAX_LEADBYTES && info.LeadByte[r] != 0; r += 2) {
            for (unsigned b = info.LeadByte[r]; b <= info.LeadByte[r + 1]; ++b)
                shape.leadByte[b] = true;
        }
    }
    return shape;
}

void AppendAnsiAsWide(const char* bytes, size_t count, std::wstring& text) {
    while (count > 0) {
        // MultiByteToWideChar takes an int length; chunks are small, but stay safe.
        const int part = count > INT_MAX / 2 ? INT_MAX / 2 : static_cast<int>(count);
        const int needed = MultiByteToWideChar(CP_THREAD_ACP, 0, bytes, part, nullptr, 0);
        if (needed <= 0)
            return;
        const size_t at = text.size();
        text.resize(at + static_cast<size_t>(needed));
        MultiByteToWideChar(CP_THREAD_ACP, 0, bytes, part, text.data() + at, needed);
        bytes += part;
        count -= static_cast<size_t>(part);
    }
}

std::string WideToThreadAnsi(const std::wstring& text) {
    if (text.empty() || text.size() > INT_MAX / 4)
        return std::string();
    const int length = static_cast<int>(text.size());
    const int needed =
        WideCharToMultiByte(CP_THREAD_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0)
        return std::string();
    std::string bytes(static_cast<size_t>(needed), '\0');
    WideCharToMultiByte(CP_THREAD_ACP, 0, text.data(), length, bytes.data(), needed, nullptr,
                        nullptr);
    return bytes;
}
