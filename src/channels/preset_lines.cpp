#include "channels/preset_lines.h"

#include "core/cp932.h"
#include "core/text.h"

namespace mireva {
namespace {

const std::array<int, kDisplayPositionCount>& checkCharacterPositions() {
    static const std::array<int, kDisplayPositionCount> positions = [] {
        std::array<int, kDisplayPositionCount> out{};
        const ChannelCatalog& catalog = ChannelCatalog::instance();
        int k = 0;
        for (int g : pageOrderGroups()) {
            const BandGroup& group = catalog.group(g);
            int selectAll = group.first + g;  // the group's own slot before its first channel
            for (int i = 0; i <= group.count; ++i) out[k++] = selectAll + i;
        }
        return out;
    }();
    return positions;
}

// Channel indexes in page order.
const std::array<int, kChannelCount>& pageOrderChannels() {
    static const std::array<int, kChannelCount> channels = [] {
        std::array<int, kChannelCount> out{};
        const ChannelCatalog& catalog = ChannelCatalog::instance();
        int k = 0;
        for (int g : pageOrderGroups()) {
            const BandGroup& group = catalog.group(g);
            for (int i = 0; i < group.count; ++i) out[k++] = group.first + i;
        }
        return out;
    }();
    return channels;
}

}  // namespace

const std::array<int, kBandGroupCount>& pageOrderGroups() {
    static const std::array<int, kBandGroupCount> groups = {0,  1,  3,  2,  4,  5,  6,  7,  8, 9,
                                                            10, 11, 12, 13, 14, 15, 16, 17, 18};
    return groups;
}

int displayPositionAtCheckCharacter(int k) { return checkCharacterPositions()[k]; }

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
    for (int c : pageOrderChannels()) {
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
    const auto& order = pageOrderChannels();
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
