// The worksheet operations of the main panel carried out on the files: read
// worksheet.csv, change it, write it back through a scratch file beside it in one step. A
// worksheet that cannot be read or rewritten is reported and keeps its content, so
// the grid, refilled from the file, never silently disagrees with it.
#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <string>

#include "core/aggregation_summary.h"
#include "core/channel_catalog.h"
#include "core/data_locations.h"
#include "panel/level_offsets.h"
#include "panel/panel_messages.h"
#include "panel/row_operations.h"

namespace mireva {

struct WorksheetFiles {
    std::filesystem::path worksheet;  // worksheet.csv
    std::filesystem::path reset;      // worksheet_reset.csv

    static WorksheetFiles of(const DataLocations& locations) {
        return {locations.worksheet(), locations.worksheetReset()};
    }
};

struct EditOutcome {
    PanelMessages messages;     // to show, in order
    bool changed = false;       // worksheet.csv was rewritten
    bool failed = false;        // reading or rewriting failed; worksheet.csv is as it was
    bool showProgress = false;  // a long operation (progress box while it runs)
};

// A failure message: the text, then a line naming the file, then the reason for the
// error number (none for 0).
PanelMessage fileFailure(const char* text, const std::filesystem::path& file, int errorNumber = 0);

// The level offset over the places of the request's row range.
EditOutcome offsetWorksheetFile(const WorksheetFiles& files, const OffsetRequest& request);

// Rounding of every level.
EditOutcome roundWorksheetFile(const WorksheetFiles& files);

// A row operation: `state` brings the panel's selection and below-standard rows; its
// worksheet is read from the file here. On success the state is what the grid shows
// afterwards. On a failure the state is left as it came and the caller refills the
// grid from the file.
// `beforeSaving` runs when the operation is a long one (its progress box opens).
EditOutcome runRowOperation(const WorksheetFiles& files, GridState& state,
                            const std::function<RowOpResult(GridState&)>& operation,
                            const std::function<void()>& beforeSaving = {});

// After 行の削除 (answered either way): ChannelHasValue of the current set rebuilt from
// the level rows of the worksheet file; false when it cannot be read.
bool recountChannelsInUse(const WorksheetFiles& files, AggregationSummary& current);

// CSV出力: writes the CSV of the worksheet file to `out`. The completion message only
// when the file was written completely, otherwise an error naming the file.
EditOutcome writeCsvFile(const WorksheetFiles& files, const std::filesystem::path& out,
                         const std::array<int, kChannelCount>& channelInUse,
                         const std::array<std::string, kChannelCount>& broadcasterNames);

// リセット: worksheet_reset.csv over worksheet.csv, and the saved arrays into the
// current set. The flags are restored even when the copy fails (the worksheet then
// stays as it was); false with `error` set in that case.
bool resetWorksheet(const WorksheetFiles& files, SummarySets& sets, std::string* error = nullptr);

}  // namespace mireva
