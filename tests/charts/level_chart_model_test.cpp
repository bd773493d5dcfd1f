// The level chart model from level rows: which channels get bars, their heights,
// bounds, labels and colours, the standard lines and the level axis.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "charts/level_chart_model.h"
#include "core/worksheet_document.h"
#include "support/test_support.h"
#include "support/worksheet_fixture.h"

namespace mireva {
namespace {

using test::cp;

StandardValues standards() {
    StandardValues s;
    s.fill("0.0");
    s[kStdUhf] = "60.0";
    s[kStdBsCs] = "50";
    s[kStdBsLCsL] = "";  // a band without a standard value (hand-edited settings)
    s[kStdLte] = "40.5";
    s[kStdPilot] = "70";
    return s;
}

LevelChartModel chartOf(int tab, const std::vector<std::pair<int, std::string>>& fields,
                        const BroadcasterNameList& names = {}) {
    std::vector<ChannelLevel> levels;
    for (const auto& [channel, text] : fields) levels.push_back({channel, text});
    return buildLevelChart(7, cp("1F101号室"), tab, levels, standards(), names);
}

TEST(LevelChartModel, BarsFromALevelRow) {
    BroadcasterNameList names;
    names[0] = cp("第一放送");
    struct Expected {
        int channel;
        std::string text;
        double value;
        bool hasNumber;
        LevelBound bound;
        bool below;
    };
    // Standard 地デジ 60.0. The judgement reads "<40.0", ">100" and "abc" as 0.
    const std::vector<std::pair<int, std::string>> row = {
        {0, "65.5"},  {1, "60.0"}, {2, "<40.0"}, {3, ">100"}, {4, cp("－")}, {5, ""},
        {6, "  72 "}, {7, "abc"},  {8, "   "},   {9, "59.9"}, {40, "55.0"},  // BS-1 is not on this tab
    };
    const Expected expected[] = {
        {0, "65.5", 65.5, true, LevelBound::None, false},  {1, "60.0", 60.0, true, LevelBound::None, true},
        {2, "<40.0", 40.0, true, LevelBound::Under, true}, {3, ">100", 100, true, LevelBound::Over, true},
        {6, "72", 72, true, LevelBound::None, false},      {7, "abc", 0, false, LevelBound::None, true},
        {9, "59.9", 59.9, true, LevelBound::None, true},
    };
    const LevelChartModel m = chartOf(0, row, names);
    ASSERT_EQ(m.bars.size(), std::size(expected));
    for (size_t i = 0; i < m.bars.size(); ++i) {
        const LevelBar& bar = m.bars[i];
        const Expected& e = expected[i];
        SCOPED_TRACE(e.text);
        EXPECT_EQ(bar.channel, e.channel);
        EXPECT_EQ(bar.valueText, e.text);
        EXPECT_EQ(bar.hasNumber, e.hasNumber);
        if (e.hasNumber) {
            EXPECT_DOUBLE_EQ(bar.value, e.value);
        }
        EXPECT_EQ(bar.bound, e.bound);
        EXPECT_EQ(bar.belowStandard, e.below);
        EXPECT_EQ(bar.colour, e.below ? kBelowStandardBarColour : kLevelBarColour);
        EXPECT_EQ(bar.channelText, ChannelCatalog::instance().channel(e.channel).name);
    }
    EXPECT_EQ(m.bars[0].broadcaster, cp("第一放送"));
    EXPECT_EQ(m.bars[1].broadcaster, "");

    ASSERT_EQ(m.standards.size(), 1u);
    EXPECT_EQ(m.standards[0].key, kStdUhf);
    EXPECT_DOUBLE_EQ(m.standards[0].value, 60.0);
    EXPECT_EQ(m.standards[0].valueText, "60.0");
    EXPECT_EQ(m.standards[0].firstBar, 0);
    EXPECT_EQ(m.standards[0].lastBar, static_cast<int>(m.bars.size()) - 1);

    EXPECT_EQ(m.placeNumber, 7);
    EXPECT_EQ(m.bandTab, 0);
    EXPECT_EQ(m.title, cp("No.7　1F101号室　地デジ"));
}

TEST(LevelChartModel, StandardLinesPerGroupAndABandWithoutStandardValue) {
    // BS・CS: BS-1 and ND2 under BSCS (50), BS-2 under BSLCSL, which holds no number:
    // no line there, and its level is judged against 0 as the judgement does.
    LevelChartModel m = chartOf(1, {{40, "55"}, {52, "48.0"}, {65, "45"}});
    ASSERT_EQ(m.bars.size(), 3u);
    ASSERT_EQ(m.standards.size(), 1u);
    EXPECT_EQ(m.standards[0].key, kStdBsCs);
    EXPECT_EQ(m.standards[0].label, cp("BS（右旋）/110度CS（右旋）"));
    EXPECT_EQ(m.standards[0].firstBar, 0);
    EXPECT_EQ(m.standards[0].lastBar, 1);
    EXPECT_FALSE(m.bars[0].belowStandard);
    EXPECT_TRUE(m.bars[1].belowStandard);
    EXPECT_FALSE(m.bars[2].belowStandard);

    // LTE・PILOT: one line over the LTE bars, one over the PILOT bars.
    m = chartOf(9, {{359, "41"}, {364, "40.5"}, {490, "71"}});
    ASSERT_EQ(m.standards.size(), 2u);
    EXPECT_EQ(m.standards[0].key, kStdLte);
    EXPECT_EQ(m.standards[0].firstBar, 0);
    EXPECT_EQ(m.standards[0].lastBar, 1);
    EXPECT_EQ(m.standards[1].key, kStdPilot);
    EXPECT_EQ(m.standards[1].firstBar, 2);
    EXPECT_EQ(m.standards[1].lastBar, 2);
    EXPECT_FALSE(m.bars[0].belowStandard);
    EXPECT_TRUE(m.bars[1].belowStandard);
}

TEST(LevelChartModel, AxisHoldsEveryBarAndLine) {
    struct Case {
        int tab;
        std::vector<std::pair<int, std::string>> row;
        double low, high;  // lowest and highest bar or line
    } cases[] = {
        {0, {{0, "65.5"}, {1, "98.2"}}, 0, 98.2},
        {0, {{0, "-12.5"}, {1, "20"}}, -12.5, 60},  // the standard line above every bar
        {0, {{0, "1e999"}, {1, "70"}}, 0, 70},      // beyond a double: no bar height
        {0, {{0, cp("－")}}, 0, 0},                 // no bar, no line: an axis of its own
        {0, {{0, "30000"}}, 0, 30000},
    };
    for (const Case& c : cases) {
        const LevelChartModel m = chartOf(c.tab, c.row);
        SCOPED_TRACE(c.row.front().second);
        EXPECT_LE(m.axisMin, c.low);
        EXPECT_GT(m.axisMax, c.high);
        EXPECT_GT(m.axisStep, 0);
        const double steps = (m.axisMax - m.axisMin) / m.axisStep;
        EXPECT_NEAR(steps, std::round(steps), 1e-9);
        EXPECT_LE(steps, 12);
    }
    EXPECT_FALSE(chartOf(0, {{0, "1e999"}}).bars.front().hasNumber);
    EXPECT_TRUE(chartOf(0, {{0, cp("－")}}).empty());
}

TEST(LevelChartModel, BandLevelsOfAWorksheetLine) {
    WorksheetDocument ws;
    ws.parse(test::makeWorksheet(1, [](int, int c) { return c == 0 ? std::string("61.0") : std::string(); }));
    const std::string& line = ws.line(0, BlockRow::Level);
    const std::vector<ChannelLevel> uhf = bandLevelsOfLine(line, 0);
    ASSERT_EQ(uhf.size(), 40u);
    EXPECT_EQ(uhf.front().channel, 0);
    EXPECT_EQ(uhf.front().text, "61.0");
    EXPECT_EQ(uhf.back().channel, 39);
    EXPECT_EQ(uhf.back().text, cp("－"));
    // LTE and PILOT share a tab with FM and the premium service between them.
    const std::vector<ChannelLevel> ltePilot = bandLevelsOfLine(line, 9);
    ASSERT_EQ(ltePilot.size(), 26u);
    EXPECT_EQ(ltePilot[5].channel, 364);
    EXPECT_EQ(ltePilot[6].channel, 490);
    // A short line gives the fields it has.
    EXPECT_EQ(bandLevelsOfLine("a,b,c,d,e,1,2", 0).size(), 2u);
    EXPECT_TRUE(bandLevelsOfLine("", 0).empty());
}

TEST(LevelChartModel, BandNamesAndFileNames) {
    const std::pair<std::string, int> names[] = {
        {"UHF", 0}, {"uhf", 0},   {"LtePilot", 9}, {cp("BS・CS"), 1}, {cp("SCC-B・SCC-C"), 6},
        {"1", 0},   {"10", 9},    {"0", -1},       {"11", -1},        {"", -1},
        {"BS", -1}, {"UHF ", -1},
    };
    for (const auto& [name, tab] : names) EXPECT_EQ(bandTabOfName(name), tab) << test::u8(name);
    EXPECT_EQ(levelChartFileName(3, 0, "png"), "0003_UHF.png");
    EXPECT_EQ(levelChartFileName(12345, 9, "svg"), "12345_LTEPILOT.svg");
}

}  // namespace
}  // namespace mireva
