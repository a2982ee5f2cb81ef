#include "page_script.h"

#include <gtest/gtest.h>

namespace {

std::vector<ScriptCommand> Parse(const std::wstring& text) {
    ScriptError error;
    auto commands = ParsePageScript(text, error);
    EXPECT_TRUE(commands) << "line " << error.line;
    return commands.value_or(std::vector<ScriptCommand>{});
}

ScriptError ErrorOf(const std::wstring& text) {
    ScriptError error;
    EXPECT_FALSE(ParsePageScript(text, error));
    return error;
}

TEST(PageScript, WordsValuesAndComments) {
    const auto commands =
        Parse(L"# a page\r\n"
              L"create pane {d4d43952-57fc-40e5-ace5-7ef522b19e73} 0 0 714 586\r\n"
              L"\r\n"
              L"call pane Ocx_ViewResultEx 12 0x10 -3 \"a \\\"b\\\" #c\"  # note\n"
              L"  wait 100");
    ASSERT_EQ(3u, commands.size());
    EXPECT_EQ(2, commands[0].line);
    EXPECT_EQ(L"create", commands[0].verb);
    EXPECT_EQ(6u, commands[0].words.size());
    EXPECT_EQ(ScriptValue::Kind::Text, commands[0].values[1].kind); // the class id

    const ScriptCommand& call = commands[1];
    EXPECT_EQ(4, call.line);
    ASSERT_EQ(6u, call.values.size());
    EXPECT_EQ(ScriptValue::Kind::Integer, call.values[2].kind);
    EXPECT_EQ(12, call.values[2].integer);
    EXPECT_EQ(16, call.values[3].integer);
    EXPECT_EQ(-3, call.values[4].integer);
    EXPECT_EQ(ScriptValue::Kind::Text, call.values[5].kind);
    EXPECT_EQ(L"a \"b\" #c", call.values[5].text);
    EXPECT_EQ(L"wait", commands[2].verb);
}

TEST(PageScript, QuotedNumbersStayText) {
    const auto commands = Parse(L"call pane Ocx_Init \"12\" \"\" $2 * 12abc");
    ASSERT_EQ(1u, commands.size());
    EXPECT_EQ(ScriptValue::Kind::Text, commands[0].values[2].kind);
    EXPECT_EQ(L"", commands[0].values[3].text);
    EXPECT_EQ(ScriptValue::Kind::EventArgument, commands[0].values[4].kind);
    EXPECT_EQ(2, commands[0].values[4].eventArgument);
    EXPECT_EQ(ScriptValue::Kind::Any, commands[0].values[5].kind);
    EXPECT_EQ(ScriptValue::Kind::Text, commands[0].values[6].kind);
}

TEST(PageScript, IntegersBeyond32BitsAreText) {
    EXPECT_EQ(ScriptValue::Kind::Integer, ValueOfWord(L"0xFFFFFFFF", false).kind);
    EXPECT_EQ(ScriptValue::Kind::Text, ValueOfWord(L"0x100000000", false).kind);
    EXPECT_EQ(ScriptValue::Kind::Text, ValueOfWord(L"-", false).kind);
    EXPECT_EQ(ScriptValue::Kind::Text, ValueOfWord(L"0x", false).kind);
}

TEST(PageScript, ErrorsNameTheirLine) {
    EXPECT_EQ(2, ErrorOf(L"wait 1\nfly away").line);
    EXPECT_EQ(1, ErrorOf(L"call pane").line);
    EXPECT_EQ(3, ErrorOf(L"\n\nprint \"open").line);
    EXPECT_EQ(1, ErrorOf(L"\"call\" pane Ocx_Init").line);
}

} // namespace
