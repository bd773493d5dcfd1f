// The level chart of one measured place over the channels of one band tab: one bar per
// channel holding a level, labelled with the channel and its broadcaster name, the
// level text above it, the standard value of each standard group as a horizontal
// line, and the bars the judgement counts as below standard in the grid's warning
// colour. Everything a drawing needs is decided here, so the program's window, its
// picture files, its printout and mireva-cli chart draw the same chart.
// Texts are code page 932 bytes.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/channel_catalog.h"
#include "standards/standard_values.h"

namespace mireva {

struct ChartColour {
    unsigned char r = 0, g = 0, b = 0;
    friend bool operator==(const ChartColour&, const ChartColour&) = default;
};

// Bars of levels above the standard value.
inline constexpr ChartColour kLevelBarColour{70, 130, 180};
// Bars of levels at or below the standard value: the grid's below-standard row colour.
inline constexpr ChartColour kBelowStandardBarColour{255, 69, 0};
inline constexpr ChartColour kStandardLineColour{0, 120, 0};

// A level the meter could only bound: "<40" lies under 40, ">110" above 110.
enum class LevelBound { None, Under, Over };

struct LevelBar {
    int channel = 0;          // channel index
    std::string channelText;  // the channel's catalog name ("13", "BS-1")
    std::string broadcaster;  // its broadcaster name, empty when none is set
    std::string valueText;    // the level text as the worksheet holds it, blanks trimmed
    double value = 0;         // height of the bar: the level, or the stated bound
    bool hasNumber = true;    // false: a text without a number, shown without a bar
    LevelBound bound = LevelBound::None;
    bool belowStandard = false;  // the judgement's verdict on this level
    ChartColour colour = kLevelBarColour;
    int standardKey = 0;  // StandardKey governing the channel
};

// The standard value of one standard group, drawn over the bars of that group.
struct StandardLine {
    int key = 0;            // StandardKey
    std::string label;      // "地デジ", "BS（右旋）/110度CS（右旋）"
    std::string valueText;  // as stored in the settings
    double value = 0;
    int firstBar = 0, lastBar = 0;  // the bars it spans, inclusive
};

struct LevelChartModel {
    int placeNumber = 0;  // 1-based, the grid's "No"
    std::string placeName;
    int bandTab = 0;                                   // 0-9
    std::string bandLabel;                             // the tab's label ("地デジ")
    std::string title;                                 // "No.3　1F101号室　地デジ"
    std::vector<LevelBar> bars;                        // in worksheet column order
    std::vector<StandardLine> standards;               // in bar order; none for a group whose value holds no number
    double axisMin = 0, axisMax = 100, axisStep = 10;  // the level axis, dBμV

    bool empty() const { return bars.empty(); }
};

// One channel field of a level row.
struct ChannelLevel {
    int channel = 0;
    std::string_view text;
};

using BroadcasterNameList = std::array<std::string, kChannelCount>;

// Builds the chart. `levels` are the band tab's channels in worksheet order (others are
// ignored); a text that is empty or the worksheet's empty mark "－" gives no bar. The
// level's colour follows the judgement exactly (its number against the standard value
// of its group, a text without a number counting as 0), so chart and grid agree.
LevelChartModel buildLevelChart(int placeNumber, std::string_view placeName, int bandTab,
                                const std::vector<ChannelLevel>& levels, const StandardValues& standards,
                                const BroadcasterNameList& names);

// The channel fields of band tab `bandTab` in a worksheet level line, in worksheet order.
std::vector<ChannelLevel> bandLevelsOfLine(std::string_view levelLine, int bandTab);

// Whether a level text holds a value (neither empty nor "－").
bool holdsLevel(std::string_view text);

// ASCII name of a band tab for file names and the command line: "UHF", "BSCS", "CATV",
// "CATVUP", "JCSAT3A", "JCSAT4B", "SCC", "FM", "SKYP", "LTEPILOT".
const char* bandTabKey(int tab);
// The band tab named by its key (any letter case), its label (code page 932) or its
// number 1-10; -1 when none matches.
int bandTabOfName(std::string_view name);

// File name of a chart: the place number with at least four digits, the band key and
// the extension ("0003_UHF.png").
std::string levelChartFileName(int placeNumber, int bandTab, std::string_view extension);

}  // namespace mireva
