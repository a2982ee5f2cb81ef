// How many frames a second StreamLink.dll sustains: receiving, decoding,
// calling a draw function that draws an overlay like the synopsis one (corner
// brackets and a time label per object) and presenting into a window, at
// 704x576 and 1280x720. The media is streamed unpaced (1000 frames a second
// asked of the server), so the client's own pipeline sets the rate.
//
//   streamlink_benchmark HOST DATA_FOLDER [FRAMES] [RUNS]
//
// HOST runs the sample server's media service; DATA_FOLDER is its data folder
// ("...\AstRP_1v2") as this program sees it, where the benchmark media are
// written. outside/streamlink/bench/run-benchmark.sh sets both up.
#include "gdi.h"
#include "sample_video.h"
#include "streamlink.h"
#include "window.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr UINT kNotify = 1124;
using Clock = std::chrono::steady_clock;

class BenchWindow : public CustomWindow {
public:
    ~BenchWindow() override { Destroy(); }
    int lastStatus = 0;
    std::vector<int> statuses;

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) override {
        if (message != kNotify)
            return false;
        statuses.push_back(static_cast<int>(wParam));
        result = 0;
        return true;
    }
};

SampleVideo BenchVideo(int width, int height, int frames) {
    SampleVideo video;
    video.width = width;
    video.height = height;
    video.fps = 1000;
    video.frameCount = frames;
    for (int i = 0; i < 6; ++i) {
        SceneObject o;
        o.objectId = 1 + i % 2;
        o.tubeId = 1 + i / 2;
        o.firstFrame = 0;
        o.lastFrame = frames - 1;
        o.w = width / 10;
        o.h = height / 5;
        o.x0 = i * width / 7;
        o.y0 = 10;
        o.x1 = width - o.w - i * width / 9;
        o.y1 = height - o.h - 10;
        o.color = 0x404040u + 0x203010u * static_cast<uint32_t>(i);
        o.synopsisStart = 0;
        video.objects.push_back(o);
    }
    return video;
}

struct Overlay {
    std::atomic<int> drawn{0};
    std::atomic<int> firstFrame{-1};
    Clock::time_point firstAt;
};

// Corner brackets and a time label for each object of the frame's metadata,
// as the synopsis overlay draws them.
void DrawOverlay(void*, HDC dc, const SC_FrameInfo* frame, void* user) {
    auto* overlay = static_cast<Overlay*>(user);
    if (overlay->drawn++ == 0) {
        overlay->firstAt = Clock::now();
        overlay->firstFrame = frame->frameNumber;
    }
    if (!frame->metadataPresent || frame->metadataLength < 16)
        return;
    GdiPen pen(CreatePen(PS_SOLID, 1, RGB(255, 200, 0)));
    SelectObjectScope usePen(dc, pen.Get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 0, 0));
    const unsigned char* m = frame->metadata;
    const auto u32 = [](const unsigned char* p) {
        return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
    };
    const uint32_t count = std::min<uint32_t>(u32(m + 4), (frame->metadataLength - 16) / 80);
    for (uint32_t i = 0; i < count; ++i) {
        const unsigned char* r = m + 16 + i * 80;
        const int x = static_cast<int>(u32(r + 52)), y = static_cast<int>(u32(r + 56));
        const int w = static_cast<int>(u32(r + 60)), h = static_cast<int>(u32(r + 64));
        const POINT corners[][2] = {
            {{x, y}, {x + w / 5, y}},         {{x + 4 * w / 5, y}, {x + w, y}},
            {{x + w, y}, {x + w, y + h / 5}}, {{x + w, y + 4 * h / 5}, {x + w, y + h}},
            {{x, y + h}, {x + w / 5, y + h}}, {{x, y}, {x, y + h / 5}}};
        for (const auto& segment : corners)
            Polyline(dc, segment, 2);
        const uint32_t seconds = u32(r + 12) / 25;
        wchar_t label[16];
        swprintf(label, 16, L"%02u:%02u:%02u", seconds / 3600, seconds % 3600 / 60, seconds % 60);
        TextOutW(dc, x, y + h, label, 8);
    }
}

bool Pump(BenchWindow& window, int status, DWORD timeoutMs) {
    const ULONGLONG start = GetTickCount64();
    while (GetTickCount64() - start < timeoutMs) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
        if (std::find(window.statuses.begin(), window.statuses.end(), status) !=
            window.statuses.end())
            return true;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    return false;
}

// One run: frames presented per second from the first drawn frame to the end.
double MeasureRun(const std::string& host, const std::string& serverPath, int width, int height,
                  int frames) {
    BenchWindow video, notify;
    const RECT area{0, 0, width, height};
    if (!video.Create(L"StreamLinkBenchVideo", WS_POPUP | WS_VISIBLE, 0, area, nullptr) ||
        !notify.Create(L"StreamLinkBenchNotify", WS_CHILD, 0, RECT{0, 0, 1, 1}, video.Hwnd()))
        return 0;
    const SC_PLAYER player = SC_OpenPlayer(kNotify, notify.Hwnd());
    Overlay overlay;
    double fps = 0;
    if (player && SC_ConnectServer(player, host.c_str(), 1980, "kerbo", "kerbo") &&
        Pump(notify, SC_STATUS_CONNECTED, 5000) && SC_OpenMedia(player, serverPath.c_str()) &&
        Pump(notify, SC_STATUS_MEDIA_READY, 5000)) {
        SC_RigisterDrawFun(player, &DrawOverlay, &overlay);
        SC_Play(player);
        if (Pump(notify, SC_STATUS_MEDIA_END, 120000)) {
            const double seconds =
                std::chrono::duration<double>(Clock::now() - overlay.firstAt).count();
            const int counted = frames - 1 - overlay.firstFrame;
            if (overlay.drawn != frames)
                std::printf("  (only %d of %d frames drawn)\n", overlay.drawn.load(), frames);
            fps = counted / seconds;
        }
    }
    if (player)
        SC_ClosePlayer(player);
    return fps;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: streamlink_benchmark HOST DATA_FOLDER [FRAMES] [RUNS]\n");
        return 2;
    }
    const std::string host = argv[1];
    const std::string folder = argv[2];
    const int frames = argc > 3 ? std::max(100, std::atoi(argv[3])) : 1500;
    const int runs = argc > 4 ? std::max(1, std::atoi(argv[4])) : 3;
    const struct {
        int width, height;
        double target;
    } sizes[] = {{704, 576, 100.0}, {1280, 720, 25.0}};
    int failures = 0;
    for (const auto& size : sizes) {
        const std::string name = std::to_string(size.width) + "x" + std::to_string(size.height);
        CreateDirectoryA((folder + "\\bench").c_str(), nullptr);
        const std::string file = folder + "\\bench\\" + name + ".mp4";
        const std::string text = WriteSampleVideo(BenchVideo(size.width, size.height, frames));
        FILE* out = std::fopen(file.c_str(), "wb");
        if (!out || std::fwrite(text.data(), 1, text.size(), out) != text.size()) {
            std::fprintf(stderr, "cannot write %s\n", file.c_str());
            return 1;
        }
        std::fclose(out);
        std::vector<double> results;
        for (int run = 0; run < runs; ++run)
            results.push_back(MeasureRun(host, "E:\\AstRP_1v2\\bench\\" + name + ".mp4", size.width,
                                         size.height, frames));
        std::sort(results.begin(), results.end());
        const double median = results[results.size() / 2];
        std::printf("%s: %d frames a run, %d runs: median %.1f fps (best %.1f, worst %.1f), "
                    "%.1fx real time at 25 fps; target %.0f fps: %s\n",
                    name.c_str(), frames, runs, median, results.back(), results.front(),
                    median / 25.0, size.target, median >= size.target ? "met" : "NOT met");
        failures += median >= size.target ? 0 : 1;
    }
    return failures == 0 ? 0 : 1;
}
