// The sample-data generator: a few tasks with their videos, tube and object
// files, and the catalogue that describes them.
#pragma once

#include "catalog.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

struct GeneratedFile {
    std::string relative; // below the data folder, "/" separators
    std::vector<uint8_t> bytes;
};

struct SampleData {
    Catalog catalog;
    std::vector<GeneratedFile> files;
};

// The same data every time: tasks 7, 12, 31 and 45 and uploaded video 3.
SampleData MakeSampleData();

// The catalogue file's name at the top of a data directory; the files lie
// below the folder named like the server's data folder.
inline constexpr const char* kCatalogFileName = "catalog.ini";
std::filesystem::path FilesRoot(const std::filesystem::path& dataDir);

// Writes the catalogue and every file into dataDir (created when missing).
bool WriteSampleData(const SampleData& data, const std::filesystem::path& dataDir,
                     std::string& error);
