// The CSV output of the worksheet: the columns the grid presents, limited to the
// channels in use, six lines per place (BER A and BER C left out), broadcaster names
// in the header.
#pragma once

#include <array>
#include <filesystem>
#include <string>

#include "core/channel_catalog.h"
#include "core/worksheet_document.h"

namespace mireva {

// The bytes of the CSV file (code page 932, CR LF, no trailing comma).
// `channelInUse` is ChannelHasValue of the current used-channel set,
// `broadcasterNames` the names by channel index (empty: none).
std::string worksheetCsv(const WorksheetDocument& worksheet, const std::array<int, kChannelCount>& channelInUse,
                         const std::array<std::string, kChannelCount>& broadcasterNames);

// Writes the CSV of the worksheet file to `out` in one step (an existing file is
// replaced; on failure it keeps its content). False with `error` set when the
// worksheet cannot be read or the output cannot be written completely.
bool writeWorksheetCsv(const std::filesystem::path& worksheetPath, const std::filesystem::path& out,
                       const std::array<int, kChannelCount>& channelInUse,
                       const std::array<std::string, kChannelCount>& broadcasterNames, std::string* error = nullptr);

}  // namespace mireva
