// worksheet.csv held in memory as its code page 932 lines, exactly as the file holds
// them (line ends stripped, lines cut as WorksheetLines cuts them). Readers use it to
// look at fields; operations that change the worksheet change lines and save the
// document through the worksheet's writer (WorksheetFileWriter), so that lines they
// do not touch are copied byte for byte.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/channel_catalog.h"
#include "core/text.h"
#include "core/worksheet_layout.h"

namespace mireva {

class WorksheetLines;

class WorksheetDocument {
public:
    // False when the file cannot be opened (errno tells why); the document is then empty.
    bool load(const std::filesystem::path& path);
    // Reads from bytes held in memory (same rules as load).
    void parse(std::string_view content);
    // Takes the lines of a worksheet read as lines.
    void assign(const WorksheetLines& file);

    std::string header1;             // band group line
    std::string header2;             // column name line
    std::vector<std::string> lines;  // data lines after the two headers
    bool hasHeader1 = false;
    bool hasHeader2 = false;

    // Whole places only: a trailing partial block is not a place.
    int placeCount() const { return static_cast<int>(lines.size() / kRowsPerPlace); }
    const std::string& line(int place, BlockRow row) const {
        return lines[static_cast<size_t>(place) * kRowsPerPlace + static_cast<int>(row)];
    }
    std::string& line(int place, BlockRow row) {
        return lines[static_cast<size_t>(place) * kRowsPerPlace + static_cast<int>(row)];
    }

    // The file's bytes: every line followed by CR LF.
    std::string serialize() const;
    // Writes the same bytes over `target` in one step, line by line (the whole file is
    // never built in memory). On a failure `target` keeps its content, and `error` gets
    // the target and the reason, `errorNumber` the errno value.
    bool save(const std::filesystem::path& target, std::string* error = nullptr, int* errorNumber = nullptr) const;
};

// Place name of a block row: field 3 up to its colon.
std::string_view placeNameOf(std::string_view line);

// Calls `visit(channel, text)` for the channel fields of a block row, channel index 0
// upward, as far as the line has them (at most the catalog's 510).
template <class Visit>
void forEachChannelField(std::string_view line, Visit&& visit) {
    FieldCursor fields(line);
    if (!fields.skip(kLeadingFields)) return;
    std::string_view text;
    for (int channel = 0; channel < kChannelCount && fields.next(text); ++channel) visit(channel, text);
}

}  // namespace mireva
