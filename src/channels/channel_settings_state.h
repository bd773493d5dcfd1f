// What the channel settings dialog shows: every box (select-all boxes included) by
// display position, the broadcaster name of every channel, and the BER / MER / CN
// switches. A preset slot holds one such state; OK stores it into the current set
// and the settings file.
#pragma once

#include <array>
#include <filesystem>
#include <string>

#include "core/aggregation_summary.h"
#include "core/channel_catalog.h"
#include "settings/report_settings.h"

namespace mireva {

// Longest broadcaster name a user can type, and the longest a stored name may be.
inline constexpr int kBroadcasterNameTypedLimit = 12;
inline constexpr int kBroadcasterNameStoredLimit = kBroadcasterNameCapacity;

using BroadcasterNames = std::array<std::string, kChannelCount>;  // code page 932, by channel index

struct ChannelSettingsState {
    std::array<bool, kDisplayPositionCount> boxes{};  // by display position
    BroadcasterNames names;
    bool ber = false;
    bool mer = false;
    bool cn = false;

    bool operator==(const ChannelSettingsState&) const = default;
};

// The state the dialog opens with: boxes from the current set's ColumnHasValue
// (select-all slots included), switches from its presence flags, and the given names.
ChannelSettingsState stateFromCurrentSet(const AggregationSummary& current, const BroadcasterNames& names);

// Stores the boxes and switches of a confirmed dialog into the current set: each box
// at its display position in ColumnHasValue and, for a channel box, at its channel
// index in ChannelHasValue. The names are the caller's to write (settings file).
void commitSelection(const ChannelSettingsState& state, AggregationSummary& current);

// OK of the dialog: the selection as commitSelection, then every name (cut to 31
// characters) into section BCName of the settings file. False with `error` when the
// names could not be written; the selection is stored all the same.
bool commitChannelSettings(const ChannelSettingsState& state, AggregationSummary& current,
                           const std::filesystem::path& settingsFile, std::string* error = nullptr);

}  // namespace mireva
