#include "standards/judgement.h"

#include <algorithm>

#include "core/channel_catalog.h"
#include "core/cp932.h"
#include "core/text.h"

namespace mireva {

bool JudgementResult::isBelowStandardRow(int gridRow) const {
    return std::binary_search(belowStandardRows.begin(), belowStandardRows.end(), gridRow);
}

namespace {

const std::array<int, kChannelCount>& keyOfChannel() {
    static const std::array<int, kChannelCount> keys = [] {
        std::array<int, kChannelCount> k{};
        for (int c = 0; c < kChannelCount; ++c) k[c] = standardKeyOfChannel(c);
        return k;
    }();
    return keys;
}

}  // namespace

void judge(const WorksheetDocument& worksheet, const StandardValues& standards, JudgementResult& result) {
    result.belowStandardRows.clear();
    result.belowStandardDetails.clear();

    double limit[kStandardValueCount];
    for (int k = 0; k < kStandardValueCount; ++k) limit[k] = leadingDecimal(standards[k]);
    const std::array<int, kChannelCount>& keys = keyOfChannel();
    const std::string& emptyMark = sj("－").bytes;

    const int places = worksheet.placeCount();
    for (int p = 0; p < places; ++p) {
        std::string_view line = worksheet.line(p, BlockRow::Level);
        BelowStandardPlace* entry = nullptr;
        forEachChannelField(line, [&](int channel, std::string_view text) {
            if (text == emptyMark || leadingDecimal(text) > limit[keys[channel]]) return;
            if (!entry) {
                BelowStandardPlace place;
                place.place = p;
                place.placeText = std::string(fieldAt(line, 2));
                result.belowStandardDetails.push_back(std::move(place));
                entry = &result.belowStandardDetails.back();
                result.belowStandardRows.push_back(p * kGridRowsPerPlace + 2);
            }
            entry->levels.push_back({channel, std::string(text)});
            result.belowStandardFlag = true;
        });
    }
}

bool judgeFile(const std::filesystem::path& path, const StandardValues& standards, JudgementResult& result) {
    WorksheetDocument worksheet;
    if (!worksheet.load(path)) {
        result.belowStandardRows.clear();
        result.belowStandardDetails.clear();
        return false;
    }
    judge(worksheet, standards, result);
    return true;
}

std::vector<JudgementRow> judgementRows(const std::vector<BelowStandardPlace>& details) {
    std::vector<JudgementRow> rows;
    const ChannelCatalog& catalog = ChannelCatalog::instance();
    for (const BelowStandardPlace& place : details)
        for (const BelowStandardLevel& level : place.levels)
            rows.push_back(
                {place.placeText, judgementBandLabel(level.channel), catalog.channel(level.channel).name, level.level});
    return rows;
}

std::string judgementCsv(const std::vector<JudgementRow>& rows) {
    std::string out = sj("測定場所,帯域,チャンネル,レベル").bytes;
    out += "\r\n";
    for (const JudgementRow& row : rows) {
        out += row.place;
        out += ',';
        out += row.band;
        out += ',';
        out += row.channel;
        out += ',';
        out += row.level;
        out += "\r\n";
    }
    return out;
}

}  // namespace mireva
