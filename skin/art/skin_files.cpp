#include "skin_files.h"

#include <filesystem>
#include <fstream>

bool WriteSkinFile(const std::string& folder, const std::string& relativeName,
                   const std::string& bytes, std::string& error) {
    const std::filesystem::path path = std::filesystem::path(folder) / relativeName;
    std::error_code failure;
    std::filesystem::create_directories(path.parent_path(), failure);
    if (failure) {
        error = "cannot create " + path.parent_path().string() + ": " + failure.message();
        return false;
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (bytes.empty() || !out) {
        error = "cannot write " + path.string();
        return false;
    }
    return true;
}
