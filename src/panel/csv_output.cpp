#include "panel/csv_output.h"

#include <cerrno>
#include <cstring>

#include "core/aggregation_summary.h"
#include "core/file_io.h"
#include "core/text.h"
#include "core/worksheet_layout.h"

namespace mireva {

namespace {

// One output line from worksheet line `c` (0 = the column name line, then the data
// lines from 1).
void appendLine(std::string& out, std::string_view line, size_t c, const std::array<int, kChannelCount>& inUse,
                const std::array<std::string, kChannelCount>& names) {
    const size_t start = out.size();
    if (c == 0) {
        out += "No,";
    } else {
        out += std::to_string((c - 1) / kRowsPerPlace + 1);
        out += ',';
    }
    const bool header = c == 0;
    const bool levelLine = c % kRowsPerPlace == 3;
    const std::vector<std::string_view> fields = splitFields(line);
    // From 測定場所 on; 日付, 時刻 and 測定モード are never written.
    for (size_t i = 2; i < fields.size(); ++i) {
        const size_t k = i - 2;
        const std::string_view field = fields[i];
        if (k == 0) {
            out += field;
            out += ',';
        } else if (k == 2) {
            out += header || levelLine ? field : std::string_view(kEmptyMark);
            out += ',';
        } else if (k >= 3) {
            const size_t channel = k - 3;
            if (channel < static_cast<size_t>(kChannelCount) && inUse[channel]) {
                out += field;
                if (header && !names[channel].empty()) {
                    out += '_';
                    out += names[channel];
                }
                out += ',';
            }
        }
    }
    // The last comma becomes the line end.
    if (out.size() > start && out.back() == ',') out.pop_back();
    out += "\r\n";
}

}  // namespace

std::string worksheetCsv(const WorksheetDocument& worksheet, const std::array<int, kChannelCount>& channelInUse,
                         const std::array<std::string, kChannelCount>& broadcasterNames) {
    std::string out;
    if (!worksheet.hasHeader2) return out;
    out.reserve(worksheet.header2.size() + worksheet.lines.size() * 64);
    appendLine(out, worksheet.header2, 0, channelInUse, broadcasterNames);
    for (size_t d = 0; d < worksheet.lines.size(); ++d) {
        const size_t c = d + 1;
        if (c % kRowsPerPlace == 4 || c % kRowsPerPlace == 6) continue;  // BER A, BER C
        appendLine(out, worksheet.lines[d], c, channelInUse, broadcasterNames);
    }
    return out;
}

bool writeWorksheetCsv(const std::filesystem::path& worksheetPath, const std::filesystem::path& out,
                       const std::array<int, kChannelCount>& channelInUse,
                       const std::array<std::string, kChannelCount>& broadcasterNames, std::string* error) {
    WorksheetDocument worksheet;
    if (!worksheet.load(worksheetPath)) {
        if (error) *error = worksheetPath.string() + ": " + std::strerror(errno ? errno : ENOENT);
        return false;
    }
    return replaceFileContent(out, worksheetCsv(worksheet, channelInUse, broadcasterNames), error);
}

}  // namespace mireva
