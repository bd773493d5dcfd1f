// Finds the measurement files in a copy of the meter's folder tree
// (DATA_TYPE/DATE/FILE_TYPE/FILE_NAME) so the location table editor can add one row
// per file instead of the user typing every file name.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "ingest/location_table_writer.h"

namespace mireva {

struct MeterFolderScan {
    // One row per measurement file in the meter's memory order: by the number in the
    // file name ("S0001.csv", "M0002.csv"), then by date, SINGLE and MULTI mixed, so
    // that NO follows the order of the measurements; names without a number come
    // last, by date and name ("2.csv" before "10.csv"). NO empty, FILE_TYPE "CSV",
    // PLACEMENT fields empty.
    std::vector<LocationTableRow> files;
    // Relative paths (UTF-8, "/" separated) of measurement files whose names cannot
    // stand in the table: a comma or a backslash, or a character code page 932 cannot
    // hold. They are left out of `files`.
    std::vector<std::string> unusable;
};

// Scans `folder` for measurement files: files with the extension csv (any case) in
// the CSV folder of each date folder of the SINGLE and MULTI folders. These three
// folder names match in any letter case (a card read elsewhere may show them in lower
// case); the rows carry them as "SINGLE", "MULTI" and "CSV". `folder` may be
// the data folder itself or any folder inside the tree (a SINGLE or MULTI folder, a
// date folder, a CSV folder); the rows always carry the whole path below the data
// folder. Folders that cannot be read are passed over.
MeterFolderScan scanMeterFolder(const std::filesystem::path& folder);

// The scanned rows that `existing` does not already hold (same DATA_TYPE, DATE,
// FILE_TYPE and FILE_NAME, byte for byte), numbered on from existing.size() + 1.
std::vector<LocationTableRow> rowsNotYetListed(const std::vector<LocationTableRow>& existing,
                                               const std::vector<LocationTableRow>& scanned);

// Orders names as a file manager does: runs of digits compare by their value.
bool naturalLess(const std::string& a, const std::string& b);

}  // namespace mireva
