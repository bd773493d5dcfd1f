#include "panel/csv_output.h"

#include "core/aggregation_summary.h"
#include "core/text.h"
#include "core/worksheet_layout.h"

namespace mireva {

namespace {

// The block row of line c, counting from the channel line (0) after the band group line.
BlockRow blockRowOf(size_t c) { return static_cast<BlockRow>((c - 1) % kRowsPerPlace); }

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
    const bool levelLine = !header && blockRowOf(c) == BlockRow::Level;
    // From 測定場所 on; 日付, 時刻 and 測定モード are never written.
    forEachField(line, [&](size_t i, std::string_view field) {
        if (i < 2) return true;
        const size_t k = i - 2;
        if (k == 0) {
            out += field;
            out += ',';
        } else if (k == 2) {
            out += header || levelLine ? field : std::string_view(kEmptyMark);
            out += ',';
        } else if (k >= 3) {
            const size_t channel = k - 3;
            if (channel >= static_cast<size_t>(kChannelCount)) return false;
            if (inUse[channel]) {
                out += field;
                if (header && !names[channel].empty()) {
                    out += '_';
                    out += names[channel];
                }
                out += ',';
            }
        }
        return true;
    });
    // The last comma becomes the line end.
    if (out.size() > start && out.back() == ',') out.pop_back();
    out += "\r\n";
}

}  // namespace

std::string worksheetCsv(const WorksheetLines& worksheet, const std::array<int, kChannelCount>& channelInUse,
                         const std::array<std::string, kChannelCount>& broadcasterNames) {
    std::string out;
    out.reserve(worksheet.content().size() / 2);
    if (worksheet.lineCount() == 0) return out;  // the band group line is not written
    // The places are the whole blocks: the output of a trailing partial block is taken
    // back once the worksheet ends before its last line.
    size_t blockStart = 0;
    size_t c = 0;
    for (; c + 1 < worksheet.lineCount(); ++c) {
        const std::string_view line = worksheet.line(c + 1);
        const bool blockLine = c > 0;
        if (blockLine && blockRowOf(c) == BlockRow::Frequency) blockStart = out.size();
        if (blockLine && (blockRowOf(c) == BlockRow::BerA || blockRowOf(c) == BlockRow::BerC)) continue;
        appendLine(out, line, c, channelInUse, broadcasterNames);
    }
    if (c > 1 && (c - 1) % kRowsPerPlace != 0) out.resize(blockStart);
    return out;
}

std::string worksheetCsv(const WorksheetDocument& worksheet, const std::array<int, kChannelCount>& channelInUse,
                         const std::array<std::string, kChannelCount>& broadcasterNames) {
    return worksheetCsv(WorksheetLines(worksheet), channelInUse, broadcasterNames);
}

}  // namespace mireva
