// Registry keys read back whole, for tests of self-registration.
#pragma once

#include <windows.h>

#include <map>
#include <string>

// Every key below a key, as "sub\\key" ("" for the key itself) -> (value
// name -> text; values that are not strings read "<not a string>").
using RegistryTree = std::map<std::wstring, std::map<std::wstring, std::wstring>>;

// The tree below root\path; empty when the key does not exist.
RegistryTree ReadRegistryTree(HKEY root, const std::wstring& path);
bool RegistryKeyExists(HKEY root, const std::wstring& path);
