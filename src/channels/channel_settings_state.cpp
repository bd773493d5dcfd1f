#include "channels/channel_settings_state.h"

namespace mireva {

ChannelSettingsState stateFromCurrentSet(const AggregationSummary& current, const BroadcasterNames& names) {
    ChannelSettingsState state;
    for (int p = 0; p < kDisplayPositionCount; ++p) state.boxes[p] = current.columnHasValue[p] != 0;
    state.names = names;
    state.ber = current.berPresent != 0;
    state.mer = current.merPresent != 0;
    state.cn = current.cnPresent != 0;
    return state;
}

void commitSelection(const ChannelSettingsState& state, AggregationSummary& current) {
    const ChannelCatalog& catalog = ChannelCatalog::instance();
    for (int p = 0; p < kDisplayPositionCount; ++p) {
        current.columnHasValue[p] = state.boxes[p] ? 1 : 0;
        int channel = catalog.channelAtDisplayPosition(p);
        if (channel >= 0) current.channelHasValue[channel] = state.boxes[p] ? 1 : 0;
    }
    current.berPresent = state.ber ? 1 : 0;
    current.merPresent = state.mer ? 1 : 0;
    current.cnPresent = state.cn ? 1 : 0;
}

namespace {
bool isLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
}  // namespace

std::string truncateCp932(std::string_view text, size_t characters) {
    size_t i = 0;
    for (size_t n = 0; n < characters && i < text.size(); ++n) {
        if (isLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) i += 2;
        else i += 1;
    }
    return std::string(text.substr(0, i));
}

}  // namespace mireva
