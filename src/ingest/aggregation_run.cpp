#include "ingest/aggregation_run.h"

namespace mireva {

int aggregationRun(RunRecord& record, const RunMessageSink& showMessage) {
    return 1;
}

bool recomputeChannelPresence(const std::filesystem::path& worksheet, AggregationSummary& current) {
    return false;
}

}  // namespace mireva
