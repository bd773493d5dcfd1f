#include <gtest/gtest.h>

#include "ingest/aggregation_run.h"
#include "support/test_support.h"

namespace mireva {
namespace {

TEST(RecomputeChannelPresence, MissingWorksheetCannotBeOpened) {
    test::TempDir dir;
    AggregationSummary current;
    EXPECT_FALSE(recomputeChannelPresence(dir / "none.csv", current));
}

}  // namespace
}  // namespace mireva
