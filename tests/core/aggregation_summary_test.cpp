#include "core/aggregation_summary.h"

#include <gtest/gtest.h>

#include "core/worksheet_document.h"
#include "support/test_support.h"

namespace mireva {
namespace {

TEST(AggregationSummary, RulesPerRow) {
    AggregationSummary s;
    s.apply(BlockRow::Frequency, 5, true);
    s.apply(BlockRow::LocalOsc, 5, true);
    EXPECT_EQ(s.channelHasValue[5], 0) << "a frequency alone does not mark a channel";
    s.apply(BlockRow::Mer, 6, false);
    s.apply(BlockRow::Cn, 6, false);
    EXPECT_EQ(s.merPresent, 1);
    EXPECT_EQ(s.cnPresent, 1);
    EXPECT_EQ(s.berPresent, 0);
    s.apply(BlockRow::BerC, 7, false);
    EXPECT_EQ(s.berPresent, 0);
    s.apply(BlockRow::Level, 40, true);
    EXPECT_EQ(s.channelHasValue[40], 1);
    EXPECT_EQ(s.columnHasValue[42], 1);
    EXPECT_EQ(s.columnHasValue[41], 0) << "the group's select-all slot is never set";
    s.apply(BlockRow::BerA, 8, true);
    EXPECT_EQ(s.berPresent, 1);
}

TEST(SummarySets, ResetRestoresArraysButNotPresence) {
    SummarySets sets;
    AggregationSummary run;
    run.apply(BlockRow::Level, 3, true);
    run.apply(BlockRow::Mer, 3, false);
    sets.takeRun(run);
    EXPECT_EQ(sets.current, run);
    sets.current.channelHasValue[3] = 0;
    sets.current.merPresent = 0;
    sets.restoreSaved();
    EXPECT_EQ(sets.current.channelHasValue[3], 1);
    EXPECT_EQ(sets.current.merPresent, 0);
}

std::string blockLine(const char* item, int channel, const std::string& value) {
    std::string line = "d,t,P:" + std::string(item) + ",,o";
    for (int c = 0; c < kChannelCount; ++c) line += "," + (c == channel ? value : std::string(kEmptyMark));
    return line;
}

TEST(SummaryFromWorksheet, MarksChannelsWithValuesInMeasuredRows) {
    WorksheetDocument doc;
    doc.hasHeader1 = doc.hasHeader2 = true;
    doc.lines = {blockLine("f", 1, "100"), blockLine("l", 2, "1"),        blockLine("lv", 3, "45.0"),
                 blockLine("ba", 4, "-"),  blockLine("b", 5, kEmptyMark), blockLine("bc", 6, ""),
                 blockLine("m", 7, "30"),  blockLine("c", 8, "20")};
    AggregationSummary s = summaryFromWorksheet(doc);
    EXPECT_EQ(s.channelHasValue[1], 0);
    EXPECT_EQ(s.channelHasValue[2], 0);
    EXPECT_EQ(s.channelHasValue[3], 1);
    EXPECT_EQ(s.channelHasValue[4], 1);
    EXPECT_EQ(s.channelHasValue[5], 0);
    EXPECT_EQ(s.channelHasValue[6], 0);
    EXPECT_EQ(s.channelHasValue[7], 1);
    EXPECT_EQ(s.channelHasValue[8], 1);
    EXPECT_EQ(s.berPresent, 1);
    EXPECT_EQ(s.merPresent, 1);
    EXPECT_EQ(s.cnPresent, 1);

    WorksheetDocument empty;
    EXPECT_EQ(summaryFromWorksheet(empty), AggregationSummary{});
}

TEST(RecomputeChannelPresence, RebuildsChannelsFromTheLevelRows) {
    test::TempDir dir;
    AggregationSummary current;
    current.channelHasValue[300] = 1;
    current.columnHasValue[5] = 1;
    current.berPresent = 1;
    EXPECT_FALSE(recomputeChannelPresence(dir / "none.csv", current));
    EXPECT_EQ(current.channelHasValue[300], 1);

    // Two header lines, one block: "－" for channel 0 and a number for channel 1 in the
    // level row; values in other rows do not count.
    auto row = [](const std::string& name, const std::string& values) {
        return "d,t,P:" + name + ",,o," + values + "\r\n";
    };
    std::string content = "h1\r\nh2\r\n" + row("f", "1.0,2.0,3.0") + row("l", "－,－,－") +
                          row("lv", test::cp("－") + ",45.0,,") + row("a", "9,9,9") + row("b", "9") + row("c", "9") +
                          row("m", "9") + row("n", "9");
    test::writeFile(dir / "w.csv", content);
    ASSERT_TRUE(recomputeChannelPresence(dir / "w.csv", current));
    EXPECT_EQ(current.channelHasValue[0], 0);
    EXPECT_EQ(current.channelHasValue[1], 1);
    EXPECT_EQ(current.channelHasValue[2], 0);
    EXPECT_EQ(current.channelHasValue[300], 0);
    EXPECT_EQ(current.columnHasValue[5], 1);
    EXPECT_EQ(current.berPresent, 1);

    // A level row longer than the catalog does not reach past it.
    std::string wide = "h1\r\nh2\r\n" + row("f", "") + row("l", "") + row("lv", std::string(600 * 2, ',') + "1");
    test::writeFile(dir / "w.csv", wide);
    EXPECT_TRUE(recomputeChannelPresence(dir / "w.csv", current));
}

}  // namespace
}  // namespace mireva
