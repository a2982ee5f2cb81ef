// What the sample server knows about its tasks: read from and written to the
// catalogue file at the top of its data folder.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// One analysis task. Paths are server file paths ("E:\AstRP_1v2\..."), in the
// form the server's replies carry them.
struct SampleTask {
    int32_t flowNumber = 0;
    std::string name;
    std::string synopsisPath; // the task's synopsis video
    std::string sourcePath;   // the task's source video
    std::string tubePath;     // the task's tube file; the object file lies beside it (.obi)
    // Task parameters as the task-detail reply lists them, in order.
    std::vector<std::pair<std::string, std::string>> params;
};

// A video an operator uploaded, with the path of its transcoded copy.
struct UploadedVideo {
    int32_t id = 0;
    std::string transcodedPath;
};

struct Catalog {
    std::vector<SampleTask> tasks;
    std::vector<UploadedVideo> uploads;

    const SampleTask* FindTask(int32_t flowNumber) const;
    const UploadedVideo* FindUpload(int32_t id) const;
};

// The catalogue file: "[task N]" and "[upload N]" sections of "key=value"
// lines; "param.KEY=VALUE" lines keep their order. Lines starting with "#" are
// comments.
std::string WriteCatalog(const Catalog& catalog);
// Returns nothing when the text is not a catalogue; error says where.
std::optional<Catalog> ReadCatalog(const std::string& text, std::string& error);

// The part of a server path after the data folder, with "/" separators and no
// leading separator ("summary/12/summary.mp4"); empty when the folder is absent.
std::string RelativeOfServerPath(const std::string& serverPath);

inline constexpr const char* kServerDataFolderName = "AstRP_1v2";
inline constexpr const char* kServerDrive = "E:\\";
// The server path of a file below the data folder, given with "/" separators.
std::string ServerPathOf(const std::string& relative);

// Where the snapshot of a video below the data folder lies, also below it:
// "video/12/cam01.mp4" -> "snapshot/video/12/cam01.jpg".
std::string SnapshotRelativeOf(const std::string& videoRelative);
