// Rules about file names that need no file system.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The last component of a path: what follows the last "\", "/" or drive
// colon ("" when the path ends in a separator).
std::wstring FileNameFromPath(std::wstring_view path);

// The length of a name in the units the server's name limit is counted in:
// one per ASCII character and two per other character (a Chinese character
// is two bytes in the server's multibyte code page). A character outside the
// basic plane counts four, however the platform's wide strings hold it.
size_t FileNameUnits(std::wstring_view name);
