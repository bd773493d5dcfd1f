#include "panel/level_offsets.h"

#include "core/aggregation_summary.h"
#include "core/channel_catalog.h"
#include "core/worksheet_layout.h"
#include "panel/level_numbers.h"

namespace mireva {

const std::array<OffsetGroupItem, kOffsetGroupItems>& offsetGroupItems() {
    static const std::array<OffsetGroupItem, kOffsetGroupItems> items = {{
        {"地デジ", 0, 39},
        {"BS/CS", 40, 89},
        {"CATV", 90, 239},
        {"CATV上り", 240, 251},
        {"JCSAT-3A/4B", 252, 311},
        {"SCC-B/C", 312, 358},
        {"FM", 365, 376},
        {"ｽｶﾊﾟｰ!ﾌﾟﾚﾐｱﾑ光", 377, 489},
        {"LTE", 359, 364},
        {"PILOT", 490, 509},
        {"ALL", 0, 509},
    }};
    return items;
}

PanelMessages validateOffsetText(std::string_view typed) {
    PanelMessages messages;
    if (typed.empty()) return messages;
    for (char ch : typed) {
        const bool allowed = (ch >= '0' && ch <= '9') || ch == '.';
        if (!allowed) return {{panel_text::kOffsetBadCharacter, false}};
        if (typed.front() == '.') return {{panel_text::kOffsetNoIntegerPart, false}};
    }
    if (typed.back() == '.') messages.push_back({panel_text::kOffsetNoFraction, false});
    // The last period that stands before the last character: two or more characters
    // after it mean a second decimal place.
    const size_t lastPeriod = typed.substr(0, typed.size() - 1).rfind('.');
    if (lastPeriod != std::string_view::npos && typed.size() - 1 - lastPeriod >= 2)
        messages.push_back({panel_text::kOffsetTooManyDecimals, false});
    return messages;
}

namespace {

// Where each label's value text starts and ends inside a summary.
struct SummaryParts {
    std::array<size_t, 10> begin{};
    std::array<size_t, 10> labelAt{};
    std::array<bool, 10> found{};
};

SummaryParts locate(std::string_view summary) {
    const auto& labels = ChannelCatalog::instance().offsetGroupLabels();
    SummaryParts parts;
    size_t from = 0;
    for (int g = 0; g < 10; ++g) {
        std::string key = labels[g] + ":";
        size_t at = summary.find(key, from);
        if (at == std::string_view::npos) continue;
        parts.found[g] = true;
        parts.labelAt[g] = at;
        parts.begin[g] = at + key.size();
        from = parts.begin[g];
    }
    return parts;
}

}  // namespace

std::array<std::string, 10> splitOffsetSummary(std::string_view summary) {
    SummaryParts parts = locate(summary);
    std::array<std::string, 10> values;
    for (int g = 0; g < 10; ++g) {
        if (!parts.found[g]) continue;
        size_t end = summary.size();
        for (int h = g + 1; h < 10; ++h) {
            if (parts.found[h]) {
                end = parts.labelAt[h];
                break;
            }
        }
        values[g] = std::string(summary.substr(parts.begin[g], end - parts.begin[g]));
    }
    return values;
}

std::string joinOffsetSummary(const std::array<std::string, 10>& values) {
    const auto& labels = ChannelCatalog::instance().offsetGroupLabels();
    std::string out;
    for (int g = 0; g < 10; ++g) {
        out += labels[g];
        out += ':';
        out += values[g];
    }
    return out;
}

namespace {

double shifted(std::string_view oldText, float v, OffsetSign sign) {
    const double old = leadingDecimalAsFloat(oldText);
    return sign == OffsetSign::Plus ? old + static_cast<double>(v) : old - static_cast<double>(v);
}

std::string updatedSummary(std::string_view summary, int group, float v, OffsetSign sign) {
    std::array<std::string, 10> values = splitOffsetSummary(summary);
    for (int g = 0; g < 10; ++g) {
        if (group != kOffsetGroupAll && g != group) continue;
        std::string text;
        appendFixed1(text, shifted(values[g], v, sign));
        text += ' ';
        values[g] = std::move(text);
    }
    return joinOffsetSummary(values);
}

void rewriteLevelLine(std::string& line, const OffsetRequest& request, float v) {
    static const std::string terrestrialLabel = ChannelCatalog::instance().offsetGroupLabels()[0];
    const OffsetGroupItem& item = offsetGroupItems()[request.group];
    rewriteFields(line, [&](int field, std::string_view text, std::string& out) {
        const int channel = field - kLeadingFields;
        if (field == kLeadingFields - 1 && text.find(terrestrialLabel) != std::string_view::npos) {
            out += updatedSummary(text, request.group, v, request.sign);
        } else if (channel >= item.firstChannel && channel <= item.lastChannel && text != kEmptyMark) {
            appendFixed1(out, shifted(text, v, request.sign));
        } else {
            out += text;
        }
    });
}

}  // namespace

int applyOffset(WorksheetDocument& worksheet, const OffsetRequest& request) {
    if (request.group < 0 || request.group >= kOffsetGroupItems) return 0;
    const float v = leadingDecimalAsFloat(request.valueText);
    int rewritten = 0;
    // The places are the whole blocks; the lines of a trailing partial block stay as they are.
    for (int p = 0; p < worksheet.placeCount(); ++p) {
        // The grid row of this place's level line.
        const long long u = static_cast<long long>(p) * kGridRowsPerPlace + static_cast<int>(BlockRow::Level);
        if (u < request.firstRow || u > request.lastRow) continue;
        rewriteLevelLine(worksheet.line(p, BlockRow::Level), request, v);
        ++rewritten;
    }
    return rewritten;
}

}  // namespace mireva
