#include "reports/page_plan.h"

namespace mireva {

namespace {

// First catalog index of each grouping band, and the end of the catalog.
constexpr int kBandStarts[] = {0, 40, 65, 90, 240, 252, 280, 312, 335, 359, 365, 377, 490, kChannelCount};
constexpr int kBandCount = 13;
constexpr int kJcsat3ABand = 5;
constexpr int kLastBroadcastBand = 3;  // terrestrial, BS/CS right, BS/CS left, CATV

// Within JCSAT-4B a full group of 25 is moved back so the band splits into its two
// halves (K-2 … K-32 | K-1 … K-31) instead of 25 and 7.
constexpr int kBreakPoint = 296;
constexpr int kBreakWindowLast = 322;

std::vector<ColumnGroup> groupsFrom(const std::vector<int>& starts) {
    std::vector<ColumnGroup> groups;
    groups.reserve(starts.size());
    for (size_t i = 0; i < starts.size(); ++i)
        groups.push_back({starts[i], i + 1 < starts.size() ? starts[i + 1] : kChannelCount});
    return groups;
}

}  // namespace

int groupingBandOf(int channelIndex) {
    for (int b = 0; b < kBandCount; ++b)
        if (channelIndex < kBandStarts[b + 1]) return b;
    return kBandCount - 1;
}

std::vector<int> combinedGroupStarts(const ChannelSelection& selection) {
    std::vector<int> starts{0};
    int count = 0;
    for (int j = 0; j < kChannelCount; ++j) {
        if (!selection[j]) continue;
        if (++count > kColumnsPerPage) {
            starts.push_back(j);
            count = 1;
        }
    }
    return starts;
}

std::vector<int> bandGroupStarts(const ChannelSelection& selection) {
    bool jcsat3ASelected = false;
    for (int j = kBandStarts[kJcsat3ABand]; j < kBandStarts[kJcsat3ABand + 1]; ++j)
        if (selection[j]) jcsat3ASelected = true;
    bool ruleSpent = jcsat3ASelected;

    std::vector<int> starts{0};
    std::array<bool, kBandCount> bandMet{};
    bool anyMet = false;
    int c = 0;
    for (int j = 0; j < kChannelCount; ++j) {
        if (!selection[j]) continue;
        const int band = groupingBandOf(j);
        if (!bandMet[band]) {
            if (anyMet) {
                starts.push_back(j);
                c = 0;
            }
            bandMet[band] = true;
            anyMet = true;
        }
        if (++c <= kColumnsPerPage) continue;
        starts.push_back(j);
        c = 1;
        if (!ruleSpent && j >= kBreakPoint && j <= kBreakWindowLast) {
            ruleSpent = true;
            bool broadcastMet = false;
            for (int b = 0; b <= kLastBroadcastBand; ++b) broadcastMet = broadcastMet || bandMet[b];
            // The group moves back to the break point only where that keeps the groups in
            // order (it always does for a selection reached by the walk, but stay safe).
            if (broadcastMet && starts[starts.size() - 2] < kBreakPoint) {
                starts.back() = kBreakPoint;
                j = kBreakPoint;  // the walk goes on with the index after the break point
                c = 1;
            }
        }
    }
    return starts;
}

PagePlan::PagePlan(const ChannelSelection& selection, int placeCount)
    : selection_(selection),
      rowBlocks_(rowBlocksFor(placeCount)),
      combined_(groupsFrom(combinedGroupStarts(selection))),
      band_(groupsFrom(bandGroupStarts(selection))) {}

const ColumnGroup& PagePlan::group(int g) const {
    const int combinedCount = static_cast<int>(combined_.size());
    return g < combinedCount ? combined_[g] : band_[g - combinedCount];
}

PlannedPage PagePlan::page(int p) const {
    PlannedPage page;
    const int groups = groupCount();
    page.rowBlock = (p - 1) / groups;
    page.group = (p - 1) % groups;
    page.combined = page.group < static_cast<int>(combined_.size());
    page.columns = group(page.group);
    return page;
}

std::vector<int> PagePlan::columnsOf(const ColumnGroup& group) const {
    std::vector<int> columns;
    for (int i = group.start; i < group.end && i < kChannelCount; ++i) {
        if (!selection_[i]) continue;
        columns.push_back(i);
        if (static_cast<int>(columns.size()) == kColumnsPerPage) break;
    }
    return columns;
}

bool anyChannelSelected(const ChannelSelection& selection) {
    for (int v : selection)
        if (v) return true;
    return false;
}

}  // namespace mireva
