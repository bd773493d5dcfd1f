// Writes worksheet.csv for an aggregation run: the two header lines, then one block of
// eight rows per place, one field per wanted channel, "－" where a channel has no
// value. Keeps the run's used-channel summary while it writes.
#pragma once

#include <array>
#include <string>

#include "core/aggregation_summary.h"
#include "core/channel_catalog.h"
#include "ingest/place_accumulator.h"

namespace mireva {

using ChannelWanted = std::array<unsigned char, kChannelCount>;

// The band group line and the column name line, each ending in CR LF.
std::string worksheetHeaderLines(const ChannelWanted& wanted);

// Appends the place's eight rows to `out` and applies the summary rules for every
// channel field written.
void appendPlaceBlock(std::string& out, const PlaceAccumulator& acc, const ChannelWanted& wanted,
                      AggregationSummary& summary);

}  // namespace mireva
