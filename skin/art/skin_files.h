// Writing generated skin files into their folder.
#pragma once

#include <string>

// Writes bytes to folder/relativeName, creating the folders it names; false
// with a reason in error when that fails or bytes is empty.
bool WriteSkinFile(const std::string& folder, const std::string& relativeName,
                   const std::string& bytes, std::string& error);
