// The location table as the editor holds it: one row of seven texts per line of the
// file, kept as code page 932 bytes exactly as the file holds them, and the two ways
// between such rows and a file: loading every line after the header, and writing the
// header plus one line per row with NO renumbered 1, 2, 3… in row order.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace mireva {

enum LocationColumn : int {
    kColNo,
    kColDataType,
    kColDate,
    kColFileType,
    kColFileName,
    kColPlacement1,
    kColPlacement2,
    kLocationColumnCount
};

// One line of the table: NO, DATA_TYPE, DATE, FILE_TYPE, FILE_NAME, PLACEMENT1,
// PLACEMENT2 (code page 932).
struct LocationTableRow {
    std::array<std::string, kLocationColumnCount> field;

    std::string& operator[](int column) { return field[static_cast<size_t>(column)]; }
    const std::string& operator[](int column) const { return field[static_cast<size_t>(column)]; }
    bool operator==(const LocationTableRow&) const = default;
};

// "NO,DATA_TYPE,DATE,FILE_TYPE,FILE_NAME,PLACEMENT1,PLACEMENT2"
std::string_view locationTableHeader();

// Every line after the first, split at commas into its first seven fields (missing
// fields stay empty, fields after the seventh are dropped). NO stays as written.
// Blank lines are passed over.
std::vector<LocationTableRow> parseLocationTableRows(std::string_view content);

// Reads a table file for the editor. False (and no rows) when the path does not name
// a readable regular file.
bool loadLocationTableRows(const std::filesystem::path& path, std::vector<LocationTableRow>& rows);

// The file form of the rows: the header, then per row its position + 1 as NO and the
// six other texts, joined with commas; every line ends in CR LF.
std::string formatLocationTable(const std::vector<LocationTableRow>& rows);

// Writes the table through a scratch file beside the target, so a failed write leaves
// an existing file untouched. False with a description in `error` on failure.
bool writeLocationTable(const std::filesystem::path& path, const std::vector<LocationTableRow>& rows,
                        std::string* error = nullptr);

}  // namespace mireva
