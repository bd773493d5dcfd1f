#include "ingest/location_table_writer.h"

#include <system_error>

#include "core/file_io.h"
#include "core/text.h"

namespace mireva {

std::string_view locationTableHeader() { return "NO,DATA_TYPE,DATE,FILE_TYPE,FILE_NAME,PLACEMENT1,PLACEMENT2"; }

std::vector<LocationTableRow> parseLocationTableRows(std::string_view content) {
    std::vector<LocationTableRow> rows;
    LineCursor cursor(content);
    std::string_view line;
    if (!cursor.next(line)) return rows;  // the header, whatever it holds
    while (cursor.next(line)) {
        if (line.empty()) continue;  // blank lines (often a trailing one) hold no item
        LocationTableRow row;
        std::vector<std::string_view> fields = splitFields(line);
        for (size_t i = 0; i < fields.size() && i < row.field.size(); ++i) row.field[i] = std::string(fields[i]);
        rows.push_back(std::move(row));
    }
    return rows;
}

bool loadLocationTableRows(const std::filesystem::path& path, std::vector<LocationTableRow>& rows) {
    rows.clear();
    // Only regular files: a path typed half-way may name a folder, a device or a pipe,
    // and reading those would fail or never end.
    if (!fileExists(path)) return false;
    std::string content;
    if (!readWholeFile(path, content)) return false;
    rows = parseLocationTableRows(content);
    return true;
}

std::string formatLocationTable(const std::vector<LocationTableRow>& rows) {
    std::string out;
    out.reserve(64 + rows.size() * 64);
    out.append(locationTableHeader());
    out.append("\r\n");
    for (size_t i = 0; i < rows.size(); ++i) {
        out.append(std::to_string(i + 1));
        for (int c = kColDataType; c < kLocationColumnCount; ++c) {
            out.push_back(',');
            out.append(rows[i][c]);
        }
        out.append("\r\n");
    }
    return out;
}

bool writeLocationTable(const std::filesystem::path& path, const std::vector<LocationTableRow>& rows,
                        std::string* error) {
    return replaceFileContent(path, formatLocationTable(rows), error);
}

}  // namespace mireva
