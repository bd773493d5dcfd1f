// The fixed catalog of the 510 channels the meter can measure, in worksheet column
// order, grouped into 19 band groups; plus the measurement-mode keys and the
// level-offset groups that hang on it. All texts are code page 932 bytes.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <unordered_map>

namespace mireva {

inline constexpr int kChannelCount = 510;
inline constexpr int kBandGroupCount = 19;
inline constexpr int kDisplayPositionCount = 529;  // channel index + band group + 1
inline constexpr int kBandTabCount = 10;
inline constexpr int kModeKeyCount = 13;
inline constexpr int kOffsetGroupCount = 10;

struct ChannelEntry {
    std::string name;  // as the meter writes it and the worksheet heads its column
    std::string band;  // the meter's BAND text
    int tab = 0;       // main panel band tab, 1..10
    int group = 0;     // band group, 0..18
};

struct BandGroup {
    int first = 0;  // first channel index
    int count = 0;
    std::string band;  // the meter's BAND text
    int tab = 0;
    std::string label;  // heading of the group in the worksheet's first line
};

struct ModeKey {
    unsigned bit = 0;
    std::string search;        // text looked for in the meter's mode value
    std::string worksheetKey;  // text written into the worksheet's mode field
};

class ChannelCatalog {
public:
    static const ChannelCatalog& instance();

    const ChannelEntry& channel(int index) const { return channels_[index]; }
    const BandGroup& group(int g) const { return groups_[g]; }
    int groupOf(int index) const { return channels_[index].group; }
    static int displayPosition(int index);  // index + group + 1, 0..528
    // Channel index at a display position, or -1 for a group's own select-all slot.
    int channelAtDisplayPosition(int position) const;

    // The first channel whose band and name equal the given texts byte for byte,
    // after normalising the band: from "(換算)" on everything is cut, and a band that
    // then contains "地デジ" becomes "地上デジタル". -1 when none matches.
    int findChannel(std::string_view name, std::string_view band) const;

    const std::array<ModeKey, kModeKeyCount>& modeKeys() const { return modeKeys_; }
    // Mode bits whose search text the mode value contains.
    unsigned modeBitsOf(std::string_view modeText) const;
    // Worksheet mode field for the given bits: each key followed by one blank.
    std::string modeFieldOf(unsigned bits) const;

    // Labels of the ten level-offset groups, in worksheet order.
    const std::array<std::string, kOffsetGroupCount>& offsetGroupLabels() const { return offsetLabels_; }
    // Offsets text of a freshly aggregated place ("地ﾃﾞｼﾞ:0.0 BS/CS:0.0 … PILOT:0.0").
    const std::string& initialOffsetsText() const { return initialOffsets_; }

    // Band tab labels of the main panel, tab 0..9.
    const std::array<std::string, kBandTabCount>& bandTabLabels() const { return tabLabels_; }

private:
    ChannelCatalog();
    std::array<ChannelEntry, kChannelCount> channels_;
    std::array<BandGroup, kBandGroupCount> groups_;
    std::array<ModeKey, kModeKeyCount> modeKeys_;
    std::array<std::string, kOffsetGroupCount> offsetLabels_;
    std::array<std::string, kBandTabCount> tabLabels_;
    std::string initialOffsets_;
    std::string conversionMark_;    // "(換算)"
    std::string terrestrialShort_;  // "地デジ"
    std::array<int, kDisplayPositionCount> channelAtPosition_{};
    // band + '\x01' + name -> first channel index with that band and name
    std::unordered_map<std::string, int> lookup_;
};

}  // namespace mireva
