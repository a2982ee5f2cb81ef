// The file name a download is offered under: the last part of its address's
// path, its escapes undone, with what no file name may hold replaced.
#pragma once

#include <string>

// "http://h/fragment/cam%2001_2_13.mp4?x=1" gives "cam 01_2_13.mp4"; an
// address without a usable name gives "download".
std::wstring DownloadFileNameOf(const std::wstring& url);

// "12 KB / 600 KB", or "12 KB" when the length is unknown (negative).
std::wstring DownloadProgressText(long long received, long long announced);
