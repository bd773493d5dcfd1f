// Where the system keeps its working files: one data folder per user holding the
// worksheet family, the error log, the channel settings family and Mireva.ini.
// On Linux the folder is $XDG_DATA_HOME/ORVANE (or ~/.local/share/ORVANE).
#pragma once

#include <filesystem>
#include <string>

namespace mireva {

class DataLocations {
public:
    DataLocations() = default;
    explicit DataLocations(std::filesystem::path folder) : folder_(std::move(folder)) {}

    // The per-user folder of this platform (not created).
    static std::filesystem::path perUserFolder();

    // Creates the per-user folder with its parents and probes it by opening
    // worksheet.csv for appending (creating it empty). On failure `error` says what
    // failed and the locations still point at the per-user folder.
    static DataLocations resolve(std::string* error = nullptr);

    const std::filesystem::path& folder() const { return folder_; }
    std::filesystem::path worksheet() const { return folder_ / "worksheet.csv"; }
    std::filesystem::path worksheetReset() const { return folder_ / "worksheet_reset.csv"; }
    std::filesystem::path worksheetTmp() const { return folder_ / "worksheet_tmp.csv"; }
    std::filesystem::path errorLog() const { return folder_ / "errorlog.csv"; }
    std::filesystem::path checklist() const { return folder_ / "checklist.txt"; }
    std::filesystem::path checklistTmp() const { return folder_ / "checklist_tmp.txt"; }
    std::filesystem::path bcnamelist() const { return folder_ / "bcnamelist.txt"; }
    std::filesystem::path bcnamelistTmp() const { return folder_ / "bcnamelist_tmp.txt"; }
    std::filesystem::path bermercnlist() const { return folder_ / "bermercnlist.txt"; }
    std::filesystem::path bermercnlistTmp() const { return folder_ / "bermercnlist_TMP"; }
    std::filesystem::path settingsFile() const { return folder_ / "Mireva.ini"; }

private:
    std::filesystem::path folder_;
};

}  // namespace mireva
