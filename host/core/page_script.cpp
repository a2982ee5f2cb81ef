#include "page_script.h"

#include <map>

namespace {

struct Word {
    std::wstring text;
    bool quoted = false;
};

bool SplitLine(const std::wstring& line, std::vector<Word>& words, std::wstring& error) {
    size_t i = 0;
    while (i < line.size()) {
        const wchar_t c = line[i];
        if (c == L' ' || c == L'\t' || c == L'\r') {
            ++i;
            continue;
        }
        if (c == L'#')
            break;
        Word word;
        if (c == L'"') {
            word.quoted = true;
            ++i;
            bool closed = false;
            while (i < line.size()) {
                wchar_t d = line[i++];
                if (d == L'"') {
                    closed = true;
                    break;
                }
                if (d == L'\\' && i < line.size()) {
                    const wchar_t e = line[i++];
                    d = e == L'n' ? L'\n' : e == L't' ? L'\t' : e;
                }
                word.text += d;
            }
            if (!closed) {
                error = L"unterminated quoted text";
                return false;
            }
        } else {
            while (i < line.size() && line[i] != L' ' && line[i] != L'\t' && line[i] != L'\r')
                word.text += line[i++];
        }
        words.push_back(word);
    }
    return true;
}

bool ParseInteger(const std::wstring& text, int64_t& value) {
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && text[i] == L'-') {
        negative = true;
        ++i;
    }
    int base = 10;
    if (i + 1 < text.size() && text[i] == L'0' && (text[i + 1] == L'x' || text[i + 1] == L'X')) {
        base = 16;
        i += 2;
    }
    if (i >= text.size() || text.size() - i > 16)
        return false;
    uint64_t result = 0;
    for (; i < text.size(); ++i) {
        const wchar_t c = text[i];
        int digit = -1;
        if (c >= L'0' && c <= L'9')
            digit = c - L'0';
        else if (base == 16 && c >= L'a' && c <= L'f')
            digit = c - L'a' + 10;
        else if (base == 16 && c >= L'A' && c <= L'F')
            digit = c - L'A' + 10;
        if (digit < 0)
            return false;
        result = result * base + static_cast<uint64_t>(digit);
    }
    if (result > 0xFFFFFFFFull)
        return false;
    value = negative ? -static_cast<int64_t>(result) : static_cast<int64_t>(result);
    return true;
}

// Smallest number of words each verb needs after it (the checks of meaning
// happen when the command runs).
const std::map<std::wstring, size_t>& MinimumWords() {
    static const std::map<std::wstring, size_t> table = {
        {L"timeout", 1},      {L"window", 2},    {L"register", 1},   {L"create", 6},
        {L"call", 2},         {L"expect-hr", 1}, {L"expect-ret", 1}, {L"on", 4},
        {L"expect-event", 2}, {L"wait", 1},      {L"click", 3},      {L"dblclick", 3},
        {L"rclick", 3},       {L"capture", 2},   {L"destroy", 1},    {L"print", 0},
        {L"press", 2},        {L"navigate", 2},  {L"wait-color", 2},
    };
    return table;
}

} // namespace

ScriptValue ValueOfWord(const std::wstring& word, bool quoted) {
    ScriptValue value;
    value.text = word;
    if (quoted)
        return value;
    if (word == L"*") {
        value.kind = ScriptValue::Kind::Any;
        return value;
    }
    if (word.size() == 2 && word[0] == L'$' && word[1] >= L'1' && word[1] <= L'9') {
        value.kind = ScriptValue::Kind::EventArgument;
        value.eventArgument = word[1] - L'0';
        return value;
    }
    if (ParseInteger(word, value.integer))
        value.kind = ScriptValue::Kind::Integer;
    return value;
}

std::optional<std::vector<ScriptCommand>> ParsePageScript(const std::wstring& text,
                                                          ScriptError& error) {
    std::vector<ScriptCommand> commands;
    int lineNumber = 0;
    size_t at = 0;
    while (at <= text.size()) {
        const size_t end = std::min(text.find(L'\n', at), text.size());
        const std::wstring line = text.substr(at, end - at);
        at = end + 1;
        ++lineNumber;

        std::vector<Word> words;
        std::wstring message;
        if (!SplitLine(line, words, message)) {
            error = ScriptError{lineNumber, message};
            return std::nullopt;
        }
        if (words.empty())
            continue;
        ScriptCommand command;
        command.line = lineNumber;
        command.verb = words[0].text;
        const auto known = MinimumWords().find(command.verb);
        if (words[0].quoted || known == MinimumWords().end()) {
            error = ScriptError{lineNumber, L"unknown command '" + command.verb + L"'"};
            return std::nullopt;
        }
        if (words.size() - 1 < known->second) {
            error = ScriptError{lineNumber, L"'" + command.verb + L"' needs " +
                                                std::to_wstring(known->second) + L" arguments"};
            return std::nullopt;
        }
        for (size_t i = 1; i < words.size(); ++i) {
            command.words.push_back(words[i].text);
            command.values.push_back(ValueOfWord(words[i].text, words[i].quoted));
        }
        commands.push_back(std::move(command));
    }
    return commands;
}
