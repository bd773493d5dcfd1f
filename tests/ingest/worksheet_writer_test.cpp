#include "ingest/worksheet_writer.h"

#include <gtest/gtest.h>

#include "core/text.h"
#include "support/test_support.h"

namespace mireva {
namespace {

using test::cp;

ChannelWanted allWanted() {
    ChannelWanted w;
    w.fill(1);
    return w;
}

TEST(WorksheetWriter, HeaderLines) {
    std::string headers = worksheetHeaderLines(allWanted());
    std::vector<std::string_view> lines = splitLines(headers);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(headers.substr(headers.size() - 2), "\r\n");
    std::vector<std::string_view> groups = splitFields(lines[0]);
    ASSERT_EQ(groups.size(), 516u);
    EXPECT_EQ(lines[0].substr(0, 5 + cp("地上波デジタル").size() + 1), ",,,,," + cp("地上波デジタル") + ",");
    EXPECT_EQ(groups[5 + 40], cp("BS（右旋）"));
    EXPECT_EQ(groups[5 + 65], cp("BS(左旋)"));
    EXPECT_EQ(groups[5 + 377], cp("ｽｶﾊﾟｰ!ﾌﾟﾚﾐｱﾑ光"));
    EXPECT_EQ(groups[5 + 490], "PILOT");
    EXPECT_EQ(groups[5 + 41], "");
    EXPECT_EQ(groups[515], "");
    std::vector<std::string_view> names = splitFields(lines[1]);
    ASSERT_EQ(names.size(), 516u);
    EXPECT_EQ(std::string(lines[1].substr(0, 60)).find(cp("日付,時刻,測定場所,測定モード,レベルオフセット(dB),13,14,")),
              0u);
    EXPECT_EQ(names[5 + 240], "UL 1");
    EXPECT_EQ(names[514], "PL 20");
    EXPECT_EQ(names[515], "");
}

TEST(WorksheetWriter, HeaderLinesOfSomeChannels) {
    ChannelWanted w{};
    w[1] = w[2] = w[41] = 1;
    EXPECT_EQ(worksheetHeaderLines(w), ",,,,," + cp("地上波デジタル") + ",," + cp("BS（右旋）") + ",\r\n" +
                                           cp("日付,時刻,測定場所,測定モード,レベルオフセット(dB),14,15,BS-3,\r\n"));
}

PlaceAccumulator onePlace(unsigned mode) {
    PlaceAccumulator acc;
    acc.clear();
    acc.date = "2013/04/05";
    acc.time = "10:20:30";
    acc.place = cp("1F101");
    acc.modeBits = mode;
    acc.value(BlockRow::Frequency, 7) = "515.142857";
    acc.value(BlockRow::Level, 7) = "45.3";
    acc.value(BlockRow::Ber, 7) = "---";
    acc.value(BlockRow::Mer, 7) = "30.5";
    acc.value(BlockRow::Level, 509) = "40.0";
    return acc;
}

TEST(WorksheetWriter, PlaceBlock) {
    AggregationSummary summary;
    std::string out;
    appendPlaceBlock(out, onePlace(0x0001), allWanted(), summary);
    std::vector<std::string_view> lines = splitLines(out);
    ASSERT_EQ(lines.size(), 8u);
    const char* items[] = {"周波数", "局発", "レベル", "BER A", "BER", "BER C", "MER", "C/N"};
    for (int r = 0; r < 8; ++r) {
        std::vector<std::string_view> f = splitFields(lines[r]);
        ASSERT_EQ(f.size(), 515u) << r;
        EXPECT_EQ(f[0], "2013/04/05");
        EXPECT_EQ(f[1], "10:20:30");
        EXPECT_EQ(f[2], cp("1F101:") + cp(items[r]));
        EXPECT_EQ(f[3], "UHF ");
        EXPECT_EQ(f[4], ChannelCatalog::instance().initialOffsetsText());
        EXPECT_EQ(f[5], kEmptyMark);
    }
    EXPECT_EQ(splitFields(lines[0])[12], "515.142857");
    EXPECT_EQ(splitFields(lines[2])[12], "45.3");
    EXPECT_EQ(splitFields(lines[2])[514], "40.0");
    EXPECT_EQ(splitFields(lines[4])[12], kEmptyMark);  // "---"
    EXPECT_EQ(splitFields(lines[6])[12], "30.5");
    EXPECT_EQ(out.substr(out.size() - 2), "\r\n");
    EXPECT_EQ(out.find("\n\n"), std::string::npos);

    // Level and MER mark channel 7, the level marks 509; frequency alone marks nothing.
    EXPECT_EQ(summary.channelHasValue[7], 1);
    EXPECT_EQ(summary.channelHasValue[509], 1);
    EXPECT_EQ(summary.columnHasValue[ChannelCatalog::displayPosition(509)], 1);
    EXPECT_EQ(summary.berPresent, 0);
    EXPECT_EQ(summary.merPresent, 1);
    EXPECT_EQ(summary.cnPresent, 1);
    int marked = 0;
    for (int v : summary.channelHasValue) marked += v;
    EXPECT_EQ(marked, 2);
}

TEST(WorksheetWriter, ModeField) {
    struct Case {
        unsigned bits;
        std::string first, others;
    } cases[] = {
        {0, " - ", ""},
        {0x0001 | 0x0002 | 0x0004, "UHF BS CS ", "UHF BS CS "},
        {0x0020 | 0x0800, "JCSAT3A " + cp("ｽｶﾊﾟｰ!") + " ", "JCSAT3A " + cp("ｽｶﾊﾟｰ!") + " "},
    };
    for (const Case& c : cases) {
        AggregationSummary summary;
        std::string out;
        appendPlaceBlock(out, onePlace(c.bits), allWanted(), summary);
        std::vector<std::string_view> lines = splitLines(out);
        EXPECT_EQ(fieldAt(lines[0], 3), c.first) << c.bits;
        for (int r = 1; r < 8; ++r) EXPECT_EQ(fieldAt(lines[r], 3), c.others) << c.bits;
    }
}

TEST(WorksheetWriter, UnwantedChannelsAreLeftOutAndNotMarked) {
    ChannelWanted w{};
    w[509] = 1;
    AggregationSummary summary;
    std::string out;
    appendPlaceBlock(out, onePlace(0), w, summary);
    EXPECT_EQ(splitFields(splitLines(out)[2]).size(), 6u);
    EXPECT_EQ(summary.channelHasValue[7], 0);
    EXPECT_EQ(summary.channelHasValue[509], 1);
}

}  // namespace
}  // namespace mireva
