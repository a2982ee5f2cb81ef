// Downloads that never leave a half-written file under the final name.
#pragma once

#include <string>

enum class ExistingFile { Keep, Replace };

// Downloads url into a name private to this thread beside path and moves the
// finished file into place, so no reader sees a partial file and two
// downloads never append into one. With Keep, a file that another download
// placed first stays and counts as the result. Returns whether path holds a
// downloaded file afterwards.
bool DownloadWholeFile(const std::wstring& url, const std::wstring& path, ExistingFile existing);
