// A getvideosnapshot.php reply as the server (or anything answering in its
// place) sends it: the picture URL cut out of it must give a download name
// that stays inside the download folder, and Base64 text from a stored task
// must decode to what encodes back to it.
#include "base64.h"
#include "snapshot_request.h"
#include "text_conversion.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::wstring reply = WidenBytes(bytes);
    if (const auto url = SnapshotPictureUrl(reply, L"127.0.0.1:80")) {
        if (const auto name = DownloadFileName(*url)) {
            if (name->empty() || name->find_first_of(L"\\/:") != std::wstring::npos ||
                *name == L"." || *name == L"..") {
                std::fprintf(stderr, "unsafe download name: %ls\n", name->c_str());
                std::abort();
            }
        }
    }
    if (const auto decoded = Base64Decode(bytes)) {
        if (!Base64Decode(Base64Encode(*decoded)) ||
            *Base64Decode(Base64Encode(*decoded)) != *decoded)
            std::abort();
    }
    return 0;
}
