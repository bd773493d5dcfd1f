// Builds worksheet.csv content for tests: the two header lines from the catalog, then
// eight lines per place. Every channel field holds "－" unless the test sets a level.
#pragma once

#include <functional>
#include <string>

#include "core/channel_catalog.h"
#include "core/cp932.h"
#include "core/worksheet_layout.h"

namespace mireva::test {

inline std::string worksheetHeaders() {
    const ChannelCatalog& catalog = ChannelCatalog::instance();
    std::string line1 = ",,,,,";
    for (int c = 0; c < kChannelCount; ++c) {
        const int g = catalog.groupOf(c);
        if (catalog.group(g).first == c) line1 += catalog.group(g).label;
        line1 += ',';
    }
    std::string line2 = toCp932("日付,時刻,測定場所,測定モード,レベルオフセット(dB),").bytes;
    for (int c = 0; c < kChannelCount; ++c) line2 += catalog.channel(c).name + ",";
    return line1 + "\r\n" + line2 + "\r\n";
}

// level(place, channel) gives the level row's text of a channel ("" for "－").
using LevelOf = std::function<std::string(int place, int channel)>;

inline std::string worksheetPlace(int place, const LevelOf& level) {
    static const char* const items[kRowsPerPlace] = {"周波数", "局発", "レベル", "BER A", "BER", "BER C", "MER", "C/N"};
    std::string out;
    const std::string name = "P" + std::to_string(place + 1);
    for (int k = 0; k < kRowsPerPlace; ++k) {
        std::string line =
            "2024/01/0" + std::to_string(place % 9 + 1) + ",10:00:00," + name + ":" + toCp932(items[k]).bytes;
        line += k == 0 ? ",UHF BS " : (k == 2 ? ",mode" + std::to_string(place + 1) : ",");
        line += k == 2 ? "," + toCp932("地ﾃﾞｼﾞ:0.0 BS/CS:0.0").bytes : ",";
        for (int c = 0; c < kChannelCount; ++c) {
            std::string v;
            if (k == static_cast<int>(BlockRow::Level) && level)
                v = level(place, c);
            else if (k == 0)
                v = std::to_string(c) + ".0";
            line += "," + (v.empty() ? toCp932("－").bytes : v);
        }
        out += line + "\r\n";
    }
    return out;
}

inline std::string makeWorksheet(int places, const LevelOf& level = {}) {
    std::string out = worksheetHeaders();
    for (int p = 0; p < places; ++p) out += worksheetPlace(p, level);
    return out;
}

}  // namespace mireva::test
