// Small worksheets built in memory, shaped as the aggregation writes them: the two
// header lines of the catalog, then eight lines per place with a value or "－" in
// every channel field.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/aggregation_summary.h"
#include "core/channel_catalog.h"
#include "core/cp932.h"
#include "core/text.h"
#include "core/worksheet_document.h"
#include "core/worksheet_layout.h"

namespace mireva::test {

// The value text (code page 932) of channel `c` in row `row` of place `p`; "－" for none.
using ValueOf = std::function<std::string(int p, BlockRow row, int c)>;

inline const std::string& worksheetHeader1() {
    static const std::string header = [] {
        const ChannelCatalog& cat = ChannelCatalog::instance();
        std::string line = ",,,,,";
        for (int c = 0; c < kChannelCount; ++c) {
            const BandGroup& g = cat.group(cat.groupOf(c));
            if (g.first == c) line += g.label;
            line += ',';
        }
        return line;
    }();
    return header;
}

inline const std::string& worksheetHeader2() {
    static const std::string header = [] {
        const ChannelCatalog& cat = ChannelCatalog::instance();
        std::string line = toCp932("日付,時刻,測定場所,測定モード,レベルオフセット(dB),").bytes;
        for (int c = 0; c < kChannelCount; ++c) line += cat.channel(c).name + ",";
        return line;
    }();
    return header;
}

// ":周波数" and so on, code page 932.
inline const std::string& rowSuffix(BlockRow row) {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> v;
        for (const char* n : {"周波数", "局発", "レベル", "BER A", "BER", "BER C", "MER", "C/N"})
            v.push_back(toCp932(std::string(":") + n).bytes);
        return v;
    }();
    return names[static_cast<int>(row)];
}

// A block line of place `p` (named "P<p+1>"). Channels from `valueChannels` on hold "－".
inline std::string blockLine(int p, BlockRow row, const ValueOf& value, const std::string& offsets,
                             int valueChannels = kChannelCount) {
    const ChannelCatalog& cat = ChannelCatalog::instance();
    static const std::string mode = "," + cat.modeFieldOf(1) + ",";
    std::string line = "2026/01/15,10:" + std::to_string(10 + p % 50) + ",";
    line += "P" + std::to_string(p + 1) + rowSuffix(row);
    line += mode;
    line += offsets;
    for (int c = 0; c < valueChannels; ++c) {
        line += ',';
        line += value(p, row, c);
    }
    static std::vector<std::string> tails(kChannelCount + 1);
    std::string& tail = tails[valueChannels];
    if (tail.empty() && valueChannels < kChannelCount)
        for (int c = valueChannels; c < kChannelCount; ++c) tail += std::string(",") + kEmptyMark;
    line += tail;
    return line;
}

inline WorksheetDocument makeWorksheet(int places, const ValueOf& value, int valueChannels = kChannelCount) {
    WorksheetDocument ws;
    ws.header1 = worksheetHeader1();
    ws.header2 = worksheetHeader2();
    ws.hasHeader1 = ws.hasHeader2 = true;
    const std::string& offsets = ChannelCatalog::instance().initialOffsetsText();
    for (int p = 0; p < places; ++p)
        for (int r = 0; r < kRowsPerPlace; ++r)
            ws.lines.push_back(blockLine(p, static_cast<BlockRow>(r), value, offsets, valueChannels));
    return ws;
}

// Every field "－" except the ones `value` names.
inline std::string none() { return kEmptyMark; }

// Field `c` (channel index) of a block line.
inline std::string channelText(const std::string& line, int c) {
    size_t start = 0;
    for (int i = 0; i < channelField(c); ++i) start = line.find(',', start) + 1;
    return line.substr(start, line.find(',', start) - start);
}

// The offset summary (field レベルオフセット(dB)) of a block line.
inline std::string_view offsetsField(const std::string& line) { return fieldAt(line, kLeadingFields - 1); }

}  // namespace mireva::test
