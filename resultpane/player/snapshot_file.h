// Writing a captured frame's file: created anew (replacing any file of that
// name) and shared for reading while it is written.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// True when every byte was written; a partly written file is removed.
bool WriteSnapshotFile(const std::wstring& path, const std::vector<uint8_t>& bytes);
