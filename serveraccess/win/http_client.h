// Plain, synchronous HTTP/1.0 exchanges with the server over WinInet. Each
// operation opens and closes its own session on the calling thread.
#pragma once

#include "http_url.h"

#include <functional>
#include <string>

// GET url and read the whole reply as text in the thread's ANSI code page.
// Returns 0 only for a null url; an unreachable server gives 1 and an empty
// reply, so callers judge success by the reply's content.
int HttpGetText(const wchar_t* url, std::wstring& reply);

// POST body (converted to the thread's ANSI code page) as a urlencoded form and
// read the reply as HttpGetText does. Returns 0 for a null url, else whether
// the request could be sent.
int HttpPostForm(const wchar_t* url, const std::wstring& body, std::wstring& reply);

// GET url and append its body to the file at localPath. Returns 1 when the
// server answered 200 and the whole body was written; otherwise 0, and the
// file is left as it was (a file that did not exist is not created).
int HttpDownloadFile(const wchar_t* url, const wchar_t* localPath);

// Told the bytes received so far and the length the server announced (-1
// when it announced none) after every piece; returning false stops the
// download, which then fails like a broken one.
using DownloadProgress = std::function<bool(long long received, long long announced)>;
int HttpDownloadFile(const wchar_t* url, const wchar_t* localPath,
                     const DownloadProgress& progress);
