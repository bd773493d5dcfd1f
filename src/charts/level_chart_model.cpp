#include "charts/level_chart_model.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <cstring>

#include "core/cp932.h"
#include "core/text.h"
#include "core/worksheet_layout.h"

namespace mireva {
namespace {

bool isBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

// The number a level text starts with, when it is one a chart can draw.
bool readNumber(std::string_view text, double& value) {
    const std::optional<double> read = readLeadingDecimal(text);
    if (!read) return false;
    value = *read;
    // A number beyond the range of a double reads as the largest one: no bar can show it.
    return std::fabs(value) < std::numeric_limits<double>::max();
}

// A step of 1, 2 or 5 times a power of ten giving at most about eight intervals.
double niceStep(double range) {
    if (!(range > 0)) return 10;
    const double raw = range / 8;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0, 10.0})
        if (raw <= m * magnitude) return m * magnitude;
    return 10 * magnitude;
}

}  // namespace

bool holdsLevel(std::string_view text) {
    const std::string_view t = trimBlanks(text);
    return !t.empty() && t != sj("－").bytes;
}

std::vector<ChannelLevel> bandLevelsOfLine(std::string_view line, int bandTab) {
    std::vector<ChannelLevel> levels;
    const ChannelCatalog& catalog = ChannelCatalog::instance();
    size_t start = 0;
    for (int field = 0; start <= line.size(); ++field) {
        const size_t comma = line.find(',', start);
        const size_t end = comma == std::string_view::npos ? line.size() : comma;
        const int channel = field - kLeadingFields;
        if (channel >= kChannelCount) break;
        if (channel >= 0 && catalog.channel(channel).tab == bandTab + 1)
            levels.push_back({channel, line.substr(start, end - start)});
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    return levels;
}

LevelChartModel buildLevelChart(int placeNumber, std::string_view placeName, int bandTab,
                                const std::vector<ChannelLevel>& levels, const StandardValues& standards,
                                const BroadcasterNameList& names) {
    const ChannelCatalog& catalog = ChannelCatalog::instance();
    LevelChartModel m;
    m.placeNumber = placeNumber;
    m.placeName = std::string(placeName);
    m.bandTab = bandTab;
    if (bandTab >= 0 && bandTab < kBandTabCount) m.bandLabel = catalog.bandTabLabels()[static_cast<size_t>(bandTab)];
    m.title = "No." + std::to_string(placeNumber) + sj("　").bytes + m.placeName + sj("　").bytes + m.bandLabel;

    double limit[kStandardValueCount];
    bool limitDrawn[kStandardValueCount];
    for (int k = 0; k < kStandardValueCount; ++k) {
        limit[k] = leadingDecimal(standards[static_cast<size_t>(k)]);
        double v = 0;
        limitDrawn[k] = readNumber(standards[static_cast<size_t>(k)], v);
    }

    double low = 0, high = 0;
    bool anyNumber = false;
    for (const ChannelLevel& level : levels) {
        if (level.channel < 0 || level.channel >= kChannelCount) continue;
        if (catalog.channel(level.channel).tab != bandTab + 1 || !holdsLevel(level.text)) continue;
        LevelBar bar;
        bar.channel = level.channel;
        bar.channelText = catalog.channel(level.channel).name;
        bar.broadcaster = names[static_cast<size_t>(level.channel)];
        bar.valueText = std::string(trimBlanks(level.text));
        bar.standardKey = standardKeyOfChannel(level.channel);
        std::string_view number = bar.valueText;
        if (number.front() == '<' || number.front() == '>') {
            bar.bound = number.front() == '<' ? LevelBound::Under : LevelBound::Over;
            number.remove_prefix(1);
        }
        bar.hasNumber = readNumber(number, bar.value);
        if (!bar.hasNumber) bar.value = 0;
        // The judgement reads the whole text, so "<40" counts as 0 there: the colour
        // keeps to that verdict while the bar stands at the stated bound.
        bar.belowStandard = leadingDecimal(level.text) <= limit[bar.standardKey];
        bar.colour = bar.belowStandard ? kBelowStandardBarColour : kLevelBarColour;
        if (bar.hasNumber) {
            low = anyNumber ? std::min(low, bar.value) : std::min(0.0, bar.value);
            high = anyNumber ? std::max(high, bar.value) : std::max(0.0, bar.value);
            anyNumber = true;
        }
        m.bars.push_back(std::move(bar));
    }

    // One line per run of bars of the same standard group.
    for (size_t i = 0; i < m.bars.size();) {
        size_t j = i;
        const int key = m.bars[i].standardKey;
        while (j + 1 < m.bars.size() && m.bars[j + 1].standardKey == key) ++j;
        if (limitDrawn[key]) {
            StandardLine line;
            line.key = key;
            line.label = standardValueLabel(key).bytes;
            line.valueText = standards[static_cast<size_t>(key)];
            line.value = limit[key];
            line.firstBar = static_cast<int>(i);
            line.lastBar = static_cast<int>(j);
            low = std::min(low, line.value);
            high = std::max(high, line.value);
            m.standards.push_back(std::move(line));
        }
        i = j + 1;
    }

    if (high - low <= 0) high = low + 10;
    m.axisStep = niceStep(high - low);
    m.axisMin = std::floor(low / m.axisStep) * m.axisStep;
    m.axisMax = std::ceil(high / m.axisStep) * m.axisStep;
    // Room above the highest bar or line for its text.
    if (m.axisMax - high < m.axisStep * 0.25) m.axisMax += m.axisStep;
    if (m.axisMax <= m.axisMin) m.axisMax = m.axisMin + m.axisStep;
    return m;
}

namespace {
constexpr const char* kTabKeys[kBandTabCount] = {"UHF",     "BSCS", "CATV", "CATVUP", "JCSAT3A",
                                                 "JCSAT4B", "SCC",  "FM",   "SKYP",   "LTEPILOT"};
}

const char* bandTabKey(int tab) { return tab >= 0 && tab < kBandTabCount ? kTabKeys[tab] : ""; }

int bandTabOfName(std::string_view name) {
    for (int t = 0; t < kBandTabCount; ++t) {
        const std::string_view key = kTabKeys[t];
        if (key.size() == name.size() && std::equal(key.begin(), key.end(), name.begin(), [](char a, char b) {
                return a == (b >= 'a' && b <= 'z' ? static_cast<char>(b - 'a' + 'A') : b);
            }))
            return t;
        if (name == ChannelCatalog::instance().bandTabLabels()[static_cast<size_t>(t)]) return t;
    }
    if (!name.empty() && name.size() <= 2 &&
        std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        const int n = static_cast<int>(leadingInteger(name));
        if (n >= 1 && n <= kBandTabCount) return n - 1;
    }
    return -1;
}

std::string levelChartFileName(int placeNumber, int bandTab, std::string_view extension) {
    std::string number = std::to_string(placeNumber);
    if (number.size() < 4) number.insert(0, 4 - number.size(), '0');
    std::string name = number + "_" + bandTabKey(bandTab) + ".";
    name += extension;
    return name;
}

}  // namespace mireva
