#include "channels/preset_lines.h"

#include "core/cp932.h"
#include "core/text.h"

namespace mireva {
namespace {

// The page order of the channel settings, walked once: the display position of each
// check character of a preset line (each group's select-all box, then the boxes of its
// channels), and the channel indexes in that order.
struct PageOrder {
    std::array<int, kDisplayPositionCount> checkCharacterPositions{};
    std::array<int, kChannelCount> channels{};
};

const PageOrder& pageOrder() {
    static const PageOrder order = [] {
        PageOrder out;
        const ChannelCatalog& catalog = ChannelCatalog::instance();
        int k = 0, c = 0;
        for (int g : pageOrderGroups()) {
            const BandGroup& group = catalog.group(g);
            const int selectAll = group.first + g;  // the group's own slot before its first channel
            for (int i = 0; i <= group.count; ++i) out.checkCharacterPositions[k++] = selectAll + i;
            for (int i = 0; i < group.count; ++i) out.channels[c++] = group.first + i;
        }
        return out;
    }();
    return order;
}

}  // namespace

const std::array<int, kBandGroupCount>& pageOrderGroups() {
    static const std::array<int, kBandGroupCount> groups = {0,  1,  3,  2,  4,  5,  6,  7,  8, 9,
                                                            10, 11, 12, 13, 14, 15, 16, 17, 18};
    return groups;
}

int displayPositionAtCheckCharacter(int k) { return pageOrder().checkCharacterPositions[k]; }

std::string checkLineOf(const ChannelSettingsState& state) {
    std::string line(kDisplayPositionCount, '0');
    for (int k = 0; k < kDisplayPositionCount; ++k)
        if (state.boxes[displayPositionAtCheckCharacter(k)]) line[k] = '1';
    return line;
}

void applyCheckLine(std::string_view line, ChannelSettingsState& state) {
    for (int k = 0; k < kDisplayPositionCount; ++k)
        state.boxes[displayPositionAtCheckCharacter(k)] = static_cast<size_t>(k) < line.size() && line[k] == '1';
}

std::string nameLineOf(const BroadcasterNames& names) {
    static const std::string& fullWidthComma = sj("，").bytes;
    std::string line;
    line.reserve(kChannelCount * 4);
    for (int c : pageOrder().channels) {
        // In code page 932 the byte 0x2C is never the second byte of a character.
        for (char ch : names[c]) {
            if (ch == ',')
                line += fullWidthComma;
            else
                line += ch;
        }
        line += ',';
    }
    return line;
}

void applyNameLine(std::string_view line, BroadcasterNames& names) {
    for (auto& n : names) n.clear();
    const auto& order = pageOrder().channels;
    forEachField(line, [&](size_t k, std::string_view field) {
        if (k >= static_cast<size_t>(kChannelCount)) return false;
        names[order[k]] = std::string(cutToCharacters(field, kBroadcasterNameStoredLimit));
        return true;
    });
}

std::string switchLineOf(const ChannelSettingsState& state) {
    std::string line = "000";
    if (state.ber) line[0] = '1';
    if (state.mer) line[1] = '1';
    if (state.cn) line[2] = '1';
    return line;
}

void applySwitchLine(std::string_view line, ChannelSettingsState& state) {
    auto on = [&](size_t i) { return i < line.size() && line[i] == '1'; };
    state.ber = on(0);
    state.mer = on(1);
    state.cn = on(2);
}

}  // namespace mireva
