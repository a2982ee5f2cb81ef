// snapshot_url_report URL...
// Prints what the viewer reports for each snapshot-page navigation, one line
// each: "snapshot START END STARTSEC ENDSEC COMP TUBE KIND [OFFSET]",
// "download ADDRESS" (for server "SERVER" given as the first argument with
// --server SERVER), or "other". For checking a page's URLs from other tools.
#include "snapshot_url.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    std::wstring server = L"server";
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--server" && i + 1 < argc) {
            const std::string value = argv[++i];
            server.assign(value.begin(), value.end());
            continue;
        }
        // The page's URLs are ASCII.
        const std::wstring url(arg.begin(), arg.end());
        switch (ClassifySnapshotNavigation(url)) {
        case SnapshotNavigation::kSnapshot: {
            const SnapshotClick c = ParseSnapshotUrl(url);
            std::printf("snapshot %d %d %d %d %d %d %d", c.startFrame, c.endFrame, c.startSecond,
                        c.endSecond, c.compNo, c.tubeNo, c.kind);
            if (c.frameOffset)
                std::printf(" %d", *c.frameOffset);
            std::printf("\n");
            break;
        }
        case SnapshotNavigation::kDownload: {
            const std::wstring address = SnapshotDownloadAddress(url, server);
            std::printf("download %s\n", std::string(address.begin(), address.end()).c_str());
            break;
        }
        case SnapshotNavigation::kOther:
            std::printf("other\n");
            break;
        }
    }
    return 0;
}
