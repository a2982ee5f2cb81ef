// The task's snapshot page (snapshot1pagedb.php): a picture per object or per
// tube, cut from the source video where the object is, and the script the
// viewer drives: setPicsPerRow(n), downloadPics(), and "rpsnap" / "rpdownload:"
// navigations for clicks and downloads.
#pragma once

#include "sample_video.h"

#include <cstdint>
#include <string>
#include <vector>

struct SnapshotPicture {
    std::string relative; // the JPEG below the data folder ("snapshot/12/obj/1_2.jpg")
    int32_t tubeId = 0;
    int32_t objectId = 0; // within its tube
    int32_t startFrame = 0;
    int32_t frameCount = 0;
    int32_t shownFrame = 0; // the source frame the picture is cut from
    Box box;                // where, in that frame
};

// One picture per object (object class) or per tube (its first object), in
// the order of the video's objects. flow names the folder of the pictures.
std::vector<SnapshotPicture> SnapshotPictures(int32_t flow, const SampleVideo& source,
                                              bool objectClass);

// The picture's JPEG: the object's box with a margin, from the rendered frame.
std::string SnapshotJpeg(const SampleVideo& source, const SnapshotPicture& picture);

// The page of task flow: title, pictures and script. fps gives start times.
std::string SnapshotPageHtml(int32_t flow, const std::string& title, bool objectClass, int fps,
                             const std::vector<SnapshotPicture>& pictures);
std::string UnknownTaskPageHtml(int32_t flow);

// The "rpsnap" URL a click on picture reports (without the ":rightclick"
// the page adds for a right click). index counts the page's pictures.
std::string SnapshotClickUrl(int32_t flow, size_t index, bool objectClass, int fps,
                             const SnapshotPicture& picture);
