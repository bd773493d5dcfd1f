// The CSV output of the worksheet: the columns the grid presents, limited to the
// channels in use, six lines per place (BER A and BER C left out), broadcaster names
// in the header.
#pragma once

#include <array>
#include <string>

#include "core/channel_catalog.h"
#include "core/worksheet_document.h"
#include "core/worksheet_lines.h"

namespace mireva {

// The bytes of the CSV file (code page 932, CR LF, no trailing comma).
// `channelInUse` is ChannelHasValue of the current used-channel set,
// `broadcasterNames` the names by channel index (empty: none).
std::string worksheetCsv(const WorksheetDocument& worksheet, const std::array<int, kChannelCount>& channelInUse,
                         const std::array<std::string, kChannelCount>& broadcasterNames);

// The same from the worksheet file as read.
std::string worksheetCsv(const WorksheetLines& worksheet, const std::array<int, kChannelCount>& channelInUse,
                         const std::array<std::string, kChannelCount>& broadcasterNames);

}  // namespace mireva
