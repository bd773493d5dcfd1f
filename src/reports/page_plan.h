// How the report is paged: row blocks of ten places, and two lists of channel column
// groups (the combined groups, which cut the selected channels into runs of 25
// regardless of band, then the band groups, which also break where a new band
// begins). Every row block is printed once per group: its combined pages first, then
// its band pages. Shared by the printed report and the workbook export.
#pragma once

#include <array>
#include <vector>

#include "core/aggregation_summary.h"
#include "core/channel_catalog.h"

namespace mireva {

inline constexpr int kPlacesPerBlock = 10;
inline constexpr int kColumnsPerPage = 25;

// A half-open range [start, end) of catalog indices; a page shows the selected
// channels of its range (at most 25).
struct ColumnGroup {
    int start = 0;
    int end = kChannelCount;
    bool operator==(const ColumnGroup&) const = default;
};

using ChannelSelection = std::array<int, kChannelCount>;  // non-zero: channel in use

// One page of the plan.
struct PlannedPage {
    int rowBlock = 0;      // places 10 × rowBlock + 1 … 10 × rowBlock + 10
    int group = 0;         // 0 … groupCount() − 1
    bool combined = true;  // a combined group (else a band group)
    ColumnGroup columns;
};

// True when at least one channel of the selection is in use.
bool anyChannelSelected(const ChannelSelection& selection);

// Told instead of a report or a workbook without any channel (UTF-8).
inline constexpr const char* kNoChannelSelectedText = "出力するチャンネルが選択されていません。";

class PagePlan {
public:
    PagePlan() = default;
    // `placeCount` is the number of whole places (data lines div 8) of the worksheet.
    PagePlan(const ChannelSelection& selection, int placeCount);
    PagePlan(const AggregationSummary& current, int placeCount) : PagePlan(current.channelHasValue, placeCount) {}

    int rowBlockCount() const { return rowBlocks_; }
    const std::vector<ColumnGroup>& combinedGroups() const { return combined_; }
    const std::vector<ColumnGroup>& bandGroups() const { return band_; }
    int groupCount() const { return static_cast<int>(combined_.size() + band_.size()); }
    int pageCount() const { return rowBlocks_ * groupCount(); }
    // Whether any channel is selected: without one every page would show no column,
    // and neither the report nor the workbook is made.
    bool hasSelectedChannel() const { return anyChannelSelected(selection_); }

    // Page p, 1-based (1 … pageCount()).
    PlannedPage page(int p) const;
    // Group g of the concatenated list (combined groups, then band groups).
    const ColumnGroup& group(int g) const;

    // The selected channels of a group, in column order (at most 25).
    std::vector<int> columnsOf(const ColumnGroup& group) const;

private:
    ChannelSelection selection_{};
    int rowBlocks_ = 0;
    std::vector<ColumnGroup> combined_{ColumnGroup{}};
    std::vector<ColumnGroup> band_{ColumnGroup{}};
};

// Row blocks for a number of whole places: ten places each, a last partial block counts.
inline constexpr int rowBlocksFor(int placeCount) {
    return placeCount <= 0 ? 0 : (placeCount + kPlacesPerBlock - 1) / kPlacesPerBlock;
}

// The grouping band of a catalog index (0 terrestrial UHF … 12 PILOT); the two BS/CS
// halves are separate bands, the polarisations of the satellite bands are not.
int groupingBandOf(int channelIndex);

// Starts of the combined groups and of the band groups (each list begins with 0).
std::vector<int> combinedGroupStarts(const ChannelSelection& selection);
std::vector<int> bandGroupStarts(const ChannelSelection& selection);

}  // namespace mireva
