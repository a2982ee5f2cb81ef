// The viewer's own download prompt, for where the system shows none: asks
// where to save the file, then downloads it with its progress shown in a
// small window that can cancel it. The file is written under a private name
// beside the chosen one and moved into place only when it is complete, so a
// broken or cancelled download never leaves a partial file under the final
// name.
//
// Each prompt runs on a thread of its own, so the panel that asked has
// returned long before and the page stays responsive; the thread keeps the
// module loaded (and the module's lock taken) until it has finished.
#pragma once

#include <windows.h>

#include <string>

// The progress window's class, and the save dialog's title.
inline constexpr const wchar_t* kDownloadProgressClass = L"VrDownloadProgress";
inline constexpr const wchar_t* kDownloadPromptTitle = L"下载";

// Starts a prompt for url; the progress window is placed over owner.
void StartDownloadPrompt(HWND owner, const std::wstring& url);

// Prompts started and not yet finished.
long RunningDownloadPrompts();
