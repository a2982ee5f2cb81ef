#include "snapshot_page.h"

#include "frame_renderer.h"
#include "jpeg_writer.h"

#include <algorithm>
#include <map>

namespace {

constexpr int kMargin = 12;

std::string HtmlEscape(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

SnapshotPicture PictureOf(int32_t flow, const SceneObject& o, bool objectClass) {
    SnapshotPicture picture;
    picture.tubeId = o.tubeId;
    picture.objectId = o.objectId;
    picture.startFrame = o.firstFrame;
    picture.frameCount = o.lastFrame - o.firstFrame + 1;
    picture.shownFrame = o.firstFrame + (o.lastFrame - o.firstFrame) / 2;
    picture.box = o.BoxAt(picture.shownFrame);
    const std::string name = objectClass
                                 ? std::to_string(o.tubeId) + "_" + std::to_string(o.objectId)
                                 : std::to_string(o.tubeId);
    picture.relative =
        "snapshot/" + std::to_string(flow) + (objectClass ? "/obj/" : "/tube/") + name + ".jpg";
    return picture;
}

} // namespace

std::vector<SnapshotPicture> SnapshotPictures(int32_t flow, const SampleVideo& source,
                                              bool objectClass) {
    std::vector<SnapshotPicture> pictures;
    std::map<int32_t, size_t> tubes; // tube -> its picture
    for (const SceneObject& o : source.objects) {
        if (objectClass) {
            pictures.push_back(PictureOf(flow, o, true));
            continue;
        }
        const auto found = tubes.find(o.tubeId);
        if (found == tubes.end()) {
            tubes[o.tubeId] = pictures.size();
            pictures.push_back(PictureOf(flow, o, false));
            continue;
        }
        // A tube spans all its objects.
        SnapshotPicture& tube = pictures[found->second];
        const int32_t end = std::max(tube.startFrame + tube.frameCount, o.lastFrame + 1);
        tube.startFrame = std::min(tube.startFrame, o.firstFrame);
        tube.frameCount = end - tube.startFrame;
    }
    return pictures;
}

std::string SnapshotJpeg(const SampleVideo& source, const SnapshotPicture& picture) {
    SampleVideo video = source;
    video.pictures = PictureFormat::kBgra32;
    const std::vector<uint8_t> frame = RenderFrame(video, picture.shownFrame - video.firstFrame);
    const int left = std::max(0, picture.box.x - kMargin);
    const int top = std::max(0, picture.box.y - kMargin);
    const int right = std::min(video.width, picture.box.x + picture.box.w + kMargin);
    const int bottom = std::min(video.height, picture.box.y + picture.box.h + kMargin);
    if (right <= left || bottom <= top ||
        frame.size() != static_cast<size_t>(video.width) * video.height * 4)
        return std::string();
    const int width = right - left, height = bottom - top;
    std::vector<uint8_t> rgb;
    rgb.reserve(static_cast<size_t>(width) * height * 3);
    for (int y = top; y < bottom; ++y) {
        // The rendered picture is bottom-up, BGRA.
        const uint8_t* row =
            frame.data() + static_cast<size_t>(video.height - 1 - y) * video.width * 4;
        for (int x = left; x < right; ++x) {
            const uint8_t* pixel = row + static_cast<size_t>(x) * 4;
            rgb.push_back(pixel[2]);
            rgb.push_back(pixel[1]);
            rgb.push_back(pixel[0]);
        }
    }
    return EncodeJpeg(rgb, width, height);
}

std::string SnapshotClickUrl(int32_t flow, size_t index, bool objectClass, int fps,
                             const SnapshotPicture& picture) {
    // Two parts the viewer does not read (task, picture number), the start
    // frame and the frame count, then the markers past index 12: "tube" and
    // "obj" (an object of the object file) or "omp" (a tube's component).
    // The start time names the middle of the start frame, so the viewer's
    // seconds-times-rate arithmetic lands on that frame whatever the rounding.
    const int64_t startMs =
        (2 * static_cast<int64_t>(picture.startFrame) + 1) * 500 / std::max(fps, 1);
    return "rpsnap:" + std::to_string(flow) + ":" + std::to_string(index + 1) + ":" +
           std::to_string(picture.startFrame) + ":" + std::to_string(picture.frameCount) + ":tube" +
           std::to_string(picture.tubeId) + (objectClass ? "obj" : "omp") +
           std::to_string(picture.objectId) + "_snap:start_time=" + std::to_string(startMs) +
           ":frame_rate=" + std::to_string(fps);
}

std::string SnapshotPageHtml(int32_t flow, const std::string& title, bool objectClass, int fps,
                             const std::vector<SnapshotPicture>& pictures) {
    std::string html =
        "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">\n<title>" + HtmlEscape(title) +
        "</title>\n"
        "<style>\n"
        "body{margin:0;background:#202428;color:#d0d4d8;font:12px sans-serif}\n"
        "h1{font-size:14px;margin:6px 8px}\n"
        "#pics{display:flex;flex-wrap:wrap}\n"
        ".pic{box-sizing:border-box;width:25%;padding:4px;cursor:pointer}\n"
        ".pic img{display:block;width:100%;height:auto;background:#000}\n"
        ".pic span{display:block;padding:2px 0}\n"
        "</style>\n"
        "<script>\n"
        "// The viewer's buttons call these two.\n"
        "function setPicsPerRow(n) {\n"
        "  n = parseInt(n, 10);\n"
        "  if (!(n >= 1 && n <= 4)) return;\n"
        "  var pics = document.getElementById('pics').children;\n"
        "  for (var i = 0; i < pics.length; i++) pics[i].style.width = (100 / n) + '%';\n"
        "}\n"
        "function downloadPics() {\n"
        "  var pics = document.getElementById('pics').children;\n"
        "  for (var i = 0; i < pics.length; i++)\n"
        "    tellViewer('rpdownload:' + pics[i].getAttribute('data-file'));\n"
        "}\n"
        "// The viewer learns of clicks and downloads from navigations it\n"
        "// intercepts; a hidden frame takes them, so one the viewer lets\n"
        "// through never replaces this page.\n"
        "function tellViewer(url) {\n"
        "  var frame = document.createElement('iframe');\n"
        "  frame.className = 'viewer-request';\n"
        "  frame.style.display = 'none';\n"
        "  frame.src = url;\n"
        "  document.body.appendChild(frame);\n"
        "}\n"
        "function pick(pic, rightClick) {\n"
        "  tellViewer(pic.getAttribute('data-snap') + (rightClick ? ':rightclick' : ''));\n"
        "  return false;\n"
        "}\n"
        "</script>\n</head>\n<body>\n<h1>" +
        HtmlEscape(title) + "</h1>\n<div id=\"pics\">\n";
    for (size_t i = 0; i < pictures.size(); ++i) {
        const SnapshotPicture& p = pictures[i];
        const std::string label = objectClass ? "tube " + std::to_string(p.tubeId) + " object " +
                                                    std::to_string(p.objectId)
                                              : "tube " + std::to_string(p.tubeId);
        html += "<div class=\"pic\" data-snap=\"" +
                HtmlEscape(SnapshotClickUrl(flow, i, objectClass, fps, p)) + "\" data-file=\"" +
                HtmlEscape(p.relative) +
                "\" onclick=\"return pick(this, false)\" oncontextmenu=\"return pick(this, "
                "true)\"><img src=\"/" +
                HtmlEscape(p.relative) + "\" alt=\"\"><span>" + label + "</span></div>\n";
    }
    html += "</div>\n</body></html>\n";
    return html;
}

std::string UnknownTaskPageHtml(int32_t flow) {
    return "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>task " +
           std::to_string(flow) + "</title></head>\n<body><p>没有任务 " + std::to_string(flow) +
           " (no task " + std::to_string(flow) + " on this server)</p></body></html>\n";
}
