// The values of the place being aggregated: filled file by file by the meter file
// reader, written out as one worksheet block. Every value stays the meter's text.
#pragma once

#include <array>
#include <string>

#include "core/channel_catalog.h"
#include "core/worksheet_layout.h"

namespace mireva {

struct PlaceAccumulator {
    std::string date;
    std::string time;
    std::string place;
    unsigned modeBits = 0;
    std::string offsetsText;
    // One text per block row (BlockRow order) and channel index; empty = no value read.
    std::array<std::array<std::string, kChannelCount>, kRowsPerPlace> values;

    std::string& value(BlockRow row, int channel) { return values[static_cast<int>(row)][channel]; }
    const std::string& value(BlockRow row, int channel) const { return values[static_cast<int>(row)][channel]; }

    // Start of a place: every text empty, no mode bits, the initial offsets text.
    void clear();
};

}  // namespace mireva
