// Removing a folder with everything in it, or the files that match a name.
#pragma once

#include <string>

// Deletes folder and all it holds, silently: whatever cannot be deleted stays.
// Links (junctions, symbolic links) inside are removed as links; what they
// point to is never touched. Returns true when the folder is gone.
bool DeleteFolderTree(const std::wstring& folder);

// Deletes the files (not folders) directly in folder whose names match
// pattern ("*" and "?"). Returns how many were deleted.
int DeleteMatchingFiles(const std::wstring& folder, const std::wstring& pattern);
