// Locating a meter file below the data folder. The meter writes its tree on a FAT card
// and tables are often typed by hand, so the case of a folder or file name in the table
// need not match the card; where the exact path does not exist, each component is
// matched without regard to ASCII letter case, as the card's own file system does.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace mireva {

// True when every component (code page 932 texts from the location table) names an
// entry inside its folder: none is ".." and none holds a separator ("/" or "\\"), so
// that the components cannot name an absolute path or a path above the folder.
bool staysInFolder(const std::vector<std::string>& components);

// `folder` joined with the components as written (converted to the file system's encoding).
std::filesystem::path exactMeterPath(const std::filesystem::path& folder, const std::vector<std::string>& components);

// Names of the folders listed so far in one run, sorted, so that a card with many
// mistyped names is listed once per folder.
using FolderListings = std::map<std::filesystem::path, std::vector<std::string>>;

// The path of the file named by `components` (code page 932 texts from the location
// table) below `folder`: the exact path when it exists, otherwise the path whose
// components match case-insensitively (an exact component is preferred, then the first
// match in name order). When nothing matches, the exact path (which then fails to open).
std::filesystem::path locateMeterFile(const std::filesystem::path& folder, const std::vector<std::string>& components,
                                      FolderListings* listings = nullptr);

}  // namespace mireva
