// Snapshot-URL reading over any UTF-16 text (pairs of input bytes), lone
// surrogates and huge numbers included.
#include "snapshot_url.h"

#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::wstring url;
    for (size_t i = 0; i + 1 < size; i += 2)
        url += static_cast<wchar_t>(data[i] | (data[i + 1] << 8));

    ClassifySnapshotNavigation(url);
    const SnapshotClick click = ParseSnapshotUrl(url);
    const bool rightClick = url.find(L"rightclick") != std::wstring::npos;
    if (click.kind != (rightClick ? 4 : 2))
        std::abort();
    if (click.frameOffset.has_value() != (url.find(L"start_time=") != std::wstring::npos))
        std::abort();
    // The count is at least 75 whatever the fields say.
    if (static_cast<uint32_t>(click.endFrame) - static_cast<uint32_t>(click.startFrame) < 75u)
        std::abort();
    if (click.startSecond < 0 || click.endSecond < 0)
        std::abort();

    const std::wstring address = SnapshotDownloadAddress(url, L"h:1");
    if (address.rfind(L"http://h:1/", 0) != 0)
        std::abort();
    return 0;
}
