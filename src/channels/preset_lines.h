// The three line formats of the preset files. Every line lists its items in page
// order: the catalog order of the band groups, except that both BS groups come
// before both CS groups (groups 0, 1, 3, 2, 4, 5 … 18).
//   check line  529 "1"/"0", one per box; per group its select-all box, then its channels
//   name line   the 510 broadcaster names, each followed by ","
//   switch line "1"/"0" for BER, MER, CN
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "channels/channel_settings_state.h"

namespace mireva {

// What a slot that was never saved holds in each file.
inline constexpr std::string_view kCheckPlaceholder = "00000";
inline constexpr std::string_view kNamePlaceholder = "";
inline constexpr std::string_view kSwitchPlaceholder = "000";

// The band groups in page order.
const std::array<int, kBandGroupCount>& pageOrderGroups();

// Display position of the box at character `k` (0..528) of a check line.
int displayPositionAtCheckCharacter(int k);

std::string checkLineOf(const ChannelSettingsState& state);
// Sets every box from its character; anything but "1", and every character the line
// lacks, leaves the box unticked.
void applyCheckLine(std::string_view line, ChannelSettingsState& state);

// A "," inside a name would shift every later field of the line, so it is written
// as the full-width "，" instead.
std::string nameLineOf(const BroadcasterNames& names);
// Clears all names, then fills them from the fields of the line; fields beyond the
// 510th are ignored, a field longer than 31 characters is cut.
void applyNameLine(std::string_view line, BroadcasterNames& names);

std::string switchLineOf(const ChannelSettingsState& state);
void applySwitchLine(std::string_view line, ChannelSettingsState& state);

}  // namespace mireva
