#include "debug_output.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(DebugLine, FormatsWideAndNarrowArgumentsIntoOneLine) {
    std::vector<std::wstring> lines;
    SetDebugLineSink([&lines](const std::wstring& line) { lines.push_back(line); });
    DebugLine(L"load tbi file: %ls failed,error : %d", L"C:\\a\\b.tbi", 2);
    DebugLine(L"%hs|%ls|%u", "narrow", L"\x4E2D", 7u);
    SetDebugLineSink(nullptr);
    DebugLine(L"not seen");
    ASSERT_EQ(2u, lines.size());
    EXPECT_EQ(L"load tbi file: C:\\a\\b.tbi failed,error : 2", lines[0]);
    EXPECT_EQ(L"narrow|\x4E2D|7", lines[1]);
}

TEST(DebugLine, LongLinesAreNotCut) {
    std::wstring seen;
    SetDebugLineSink([&seen](const std::wstring& line) { seen = line; });
    const std::wstring longText(5000, L'x');
    DebugLine(L"<%ls>", longText.c_str());
    SetDebugLineSink(nullptr);
    EXPECT_EQ(L"<" + longText + L">", seen);
}

} // namespace
