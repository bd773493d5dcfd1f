// The used-channel state: which channels carry values and whether the BER, MER and
// C/N rows are in use. Filled while the worksheet is written, kept as a current and
// a saved set for the life of the program, and from then on the user's choice of
// what the outputs show.
#pragma once

#include <filesystem>

#include <array>

#include "core/channel_catalog.h"
#include "core/worksheet_layout.h"

namespace mireva {

class WorksheetDocument;

struct AggregationSummary {
    std::array<int, kDisplayPositionCount> columnHasValue{};  // by display position
    std::array<int, kChannelCount> channelHasValue{};         // by channel index
    int berPresent = 0;
    int merPresent = 0;
    int cnPresent = 0;

    // The summary rules, for one channel field of one block row that the worksheet
    // writer wrote (`valueWritten` false when it wrote the empty mark).
    void apply(BlockRow row, int channelIndex, bool valueWritten);

    bool operator==(const AggregationSummary&) const = default;
};

// The process-wide sets: the current set (what the outputs show) and the saved set
// (the two arrays as the last completed reading run left them; the source of reset).
struct SummarySets {
    AggregationSummary current;
    std::array<int, kDisplayPositionCount> savedColumnHasValue{};
    std::array<int, kChannelCount> savedChannelHasValue{};

    // End of a completed reading run: arrays into both sets, presence flags into the current set.
    void takeRun(const AggregationSummary& run);
    // Reset: the saved arrays back into the current set; the presence flags stay.
    void restoreSaved();
};

// The selection a reading run of the worksheet's site would leave, for batch commands
// that start from a worksheet alone: a channel is in use when it holds a value
// (anything but "－" or empty) in a レベル, BER A, BER, BER C, MER or C/N row; BER is in
// use when any BER row holds a value; MER and C/N when the worksheet has a place.
AggregationSummary summaryFromWorksheet(const WorksheetDocument& worksheet);

// Rebuilds current.channelHasValue from the worksheet file's level rows (whole places only);
// false when it cannot be read.
bool recomputeChannelPresence(const std::filesystem::path& worksheet, AggregationSummary& current);

// The worksheet's empty mark "－" (0x81 0x7C).
inline constexpr const char kEmptyMark[] = "\x81\x7C";

}  // namespace mireva
