// The aggregation run: reads every place of the location table, resolves each item to
// a meter file, reads the files and writes worksheet.csv and the error log, keeping
// the used-channel summary as it goes.
#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <string>

#include "core/aggregation_summary.h"
#include "core/channel_catalog.h"
#include "core/sj.h"

namespace mireva {

struct RunRecord {
    AggregationSummary summary;                              // the run summary, all 0 at start
    std::array<unsigned char, kChannelCount> channelWanted;  // the caller sets all to 1
    std::filesystem::path dataFolder, locationTablePath, errorLogPath, worksheetPath;
    int placesWritten = 0, filesRead = 0, missingFiles = 0, nonAggregatable = 0;  // batch summary figures
};

// Receives each end-of-run message in order; the UI shows it in a
// message box, the batch command prints it to stderr.
using RunMessageSink = std::function<void(const Sj&)>;

// 0: run completed (possibly with skipped files); 1: run aborted.
int aggregationRun(RunRecord& record, const RunMessageSink& showMessage);

}  // namespace mireva
