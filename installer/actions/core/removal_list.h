// What the uninstall removes beside the installed files: the folders and
// files the controls make at run time. The package hands the list to the
// custom action as one text, "PROGRAM_FOLDER|entry|entry...", where an entry
// ending in "\" is a folder removed with everything in it and any other
// entry a file name pattern ("*" and "?") in the program folder.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct RemovalList {
    std::wstring programFolder; // absolute, without a trailing "\"
    std::vector<std::wstring> folders;
    std::vector<std::wstring> filePatterns;
};

// The list, or nothing when the text is malformed or any entry could reach
// outside the program folder (a separator, "..", a drive) or the program
// folder is not an absolute folder below a drive's root. Removing runs with
// the installer's rights, so nothing doubtful is accepted.
std::optional<RemovalList> ParseRemovalList(const std::wstring& text);
