#include "channels/channel_settings_state.h"

#include "settings/settings_file.h"

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

bool commitChannelSettings(const ChannelSettingsState& state, AggregationSummary& current,
                           const std::filesystem::path& settingsFile, std::string* error) {
    commitSelection(state, current);
    ReportSettings settings;
    for (int c = 0; c < kChannelCount; ++c)
        settings.broadcasterNames[c] = std::string(cutToCharacters(state.names[c], kBroadcasterNameStoredLimit));
    return SettingsFile(settingsFile).writeBroadcasterNames(settings, error);
}

}  // namespace mireva
