// Checks of the files and folders a user names as inputs (a location table, a data
// folder, a settings file). Each gives the reason when the input cannot be used, so
// that an input that cannot be read is reported with its path and reason instead of
// being taken for an empty one.
#pragma once

#include <filesystem>
#include <string>

namespace mireva {

// Empty when the whole file can be read; otherwise the reason in the system's words
// ("No such file or directory", "Is a directory", "Input/output error", ...).
std::string fileReadFailure(const std::filesystem::path& path);

// Empty when every entry of the folder can be listed; otherwise the reason ("Not a
// directory", "Permission denied", ...).
std::string folderListFailure(const std::filesystem::path& path);

}  // namespace mireva
