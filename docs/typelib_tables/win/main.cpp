// typelib_tables MODULE OBJECT_ID OUTPUT
// Writes the page author's tables for the control whose type library MODULE
// carries (a DLL with TYPELIB 1, or a .tlb) into OUTPUT as UTF-8 Markdown.
// OBJECT_ID is the id the markup example gives the control's element.
#include "console_output.h"
#include "markdown_tables.h"
#include "typelib_reader.h"

#include <windows.h>

#include <cwchar>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

std::string Narrow(const wchar_t* text) {
    std::string result;
    for (; *text; ++text)
        result += static_cast<char>(*text); // element ids are ASCII
    return result;
}

bool WriteAll(const wchar_t* path, const std::string& text) {
    std::ofstream file(std::filesystem::path(path), std::ios::binary);
    file.write(text.data(), static_cast<std::streamsize>(text.size()));
    file.close();
    return !file.fail();
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) {
        PrintLine(L"usage: typelib_tables MODULE OBJECT_ID OUTPUT");
        return 2;
    }
    TypeLibrary library;
    const HRESULT hr = ReadTypeLibrary(argv[1], library);
    if (FAILED(hr)) {
        wchar_t code[16];
        swprintf(code, 16, L"0x%08lX", static_cast<unsigned long>(hr));
        PrintLine(std::wstring(L"cannot read the type library of ") + argv[1] + L": " + code);
        return 1;
    }
    if (!WriteAll(argv[3], MarkdownTables(library, Narrow(argv[2])))) {
        PrintLine(std::wstring(L"cannot write ") + argv[3]);
        return 1;
    }
    return 0;
}
