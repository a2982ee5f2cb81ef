// Where the control's snapshot comes from: the server's snapshot request for
// an uploaded video or a source file, or a picture the page names itself, and
// the local file a downloaded snapshot is kept in.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// The getvideosnapshot.php request that fileUrl asks for: decimal digits at
// its start (a positive number) name an uploaded video, "file=" (exactly, at
// the start) a source file whose query is passed on as given. Nothing for
// anything else (a local path or an "http://" URL of a picture). Characters
// that cannot stand in a request line (blanks and control characters) are
// percent-escaped so the query never spills into the request's other lines.
std::optional<std::wstring> SnapshotRequestUrl(std::wstring_view fileUrl, std::wstring_view server);

// The picture URL a snapshot reply names: the text between the first
// "<snapshot>" and the "</snapshot>" after it, backslashes turned into
// slashes, after "http://" and the server. Nothing when the tags are missing
// or the value is empty.
std::optional<std::wstring> SnapshotPictureUrl(std::wstring_view reply, std::wstring_view server);

// Whether a working URL is downloaded rather than opened as a local file.
bool IsHttpUrl(std::wstring_view url);

// The name a downloaded picture is kept under in the download folder: the
// URL's last path component (after the last "/" or "\", before any "?" or
// "#"), with every character a file name cannot hold replaced by "_".
// Nothing when no usable name is left (empty, only dots, or a device name
// such as "CON"), so a server's reply can never name a file outside the
// folder or a device.
std::optional<std::wstring> DownloadFileName(std::wstring_view url);
