#include <gtest/gtest.h>

#include "core/text.h"
#include "panel/csv_output.h"
#include "panel/level_offsets.h"
#include "panel/level_rounding.h"
#include "support/test_support.h"
#include "worksheet_fixture.h"

namespace mireva {
namespace {

using test::cp;

TEST(RoundAllLevels, LevelFieldsOnly) {
    const char* levels[] = {"45.5", "44.5", "45.4", "-3.5", "-0.4", "\x81\x7C", "46", "12.49"};
    const char* rounded[] = {"46.0", "45.0", "45.0", "-4.0", "-0.0", "\x81\x7C", "46.0", "12.0"};
    WorksheetDocument ws = test::makeWorksheet(2, [&](int p, BlockRow row, int c) -> std::string {
        if (c < 8) return row == BlockRow::Level ? levels[c] : "12.5";
        if (c == 509) return "0.5";  // the last field of the line, PL 20
        return test::none();
    });
    // An offset summary that has been changed must survive rounding untouched.
    applyOffset(ws, OffsetRequest{"0", OffsetSign::Plus, 0, 0, 0});
    applyOffset(ws, OffsetRequest{"1.5", OffsetSign::Plus, 1, 8, 8});
    const WorksheetDocument before = ws;
    roundAllLevels(ws);
    for (int p = 0; p < 2; ++p) {
        for (int c = 0; c < 8; ++c)
            EXPECT_EQ(test::channelText(ws.line(p, BlockRow::Level), c), rounded[c]) << p << " " << c;
        EXPECT_EQ(test::channelText(ws.line(p, BlockRow::Level), 509), "1.0");
        EXPECT_EQ(test::offsetsField(ws.line(p, BlockRow::Level)), test::offsetsField(before.line(p, BlockRow::Level)));
        for (BlockRow row : {BlockRow::Frequency, BlockRow::LocalOsc, BlockRow::BerA, BlockRow::Ber, BlockRow::BerC,
                             BlockRow::Mer, BlockRow::Cn})
            EXPECT_EQ(ws.line(p, row), before.line(p, row));
    }
    EXPECT_EQ(ws.header1, before.header1);
    EXPECT_EQ(ws.header2, before.header2);

    // Rounding again changes nothing.
    const std::string once = ws.serialize();
    roundAllLevels(ws);
    EXPECT_EQ(ws.serialize(), once);
}

// Two places in which only UHF 13 and 14 (channel indexes 0 and 1) hold values.
WorksheetDocument twoChannelSite() {
    return test::makeWorksheet(
        2,
        [](int p, BlockRow row, int c) -> std::string {
            if (c > 1) return test::none();
            return std::to_string(p + 1) + "." + std::to_string(static_cast<int>(row)) + "." + std::to_string(c);
        },
        2);
}

TEST(WorksheetCsv, TwoUhfChannelsOfTwoPlaces) {
    WorksheetDocument ws = twoChannelSite();
    applyOffset(ws, OffsetRequest{"1", OffsetSign::Plus, 9, 8, 8});  // PILOT: only the summary changes
    const AggregationSummary inUse = summaryFromWorksheet(ws);
    std::array<std::string, kChannelCount> names{};
    const std::string csv = worksheetCsv(ws, inUse.channelHasValue, names);

    std::vector<std::string_view> lines = splitLines(csv);
    ASSERT_EQ(lines.size(), 13u);
    EXPECT_EQ(std::string(lines[0]), cp("No,測定場所,レベルオフセット(dB),13,14"));
    const std::string fresh = ChannelCatalog::instance().initialOffsetsText();
    const std::string changed(test::offsetsField(ws.line(1, BlockRow::Level)));
    const char* items[] = {"周波数", "局発", "レベル", "BER", "MER", "C/N"};
    const int rows[] = {0, 1, 2, 4, 6, 7};
    for (int p = 0; p < 2; ++p) {
        for (int k = 0; k < 6; ++k) {
            const std::string no = std::to_string(p + 1);
            const std::string v = no + "." + std::to_string(rows[k]);
            const std::string offsets = k == 2 ? (p == 0 ? fresh : changed) : std::string(kEmptyMark);
            EXPECT_EQ(std::string(lines[1 + p * 6 + k]),
                      no + ",P" + no + cp(std::string(":") + items[k]) + "," + offsets + "," + v + ".0," + v + ".1")
                << p << " " << k;
        }
    }
    // Every line ends in CR LF; no trailing comma.
    EXPECT_EQ(csv.substr(csv.size() - 2), "\r\n");
    EXPECT_EQ(csv.find(",\r\n"), std::string::npos);
}

TEST(WorksheetCsv, BroadcasterNamesAndSelectedChannelsOnly) {
    WorksheetDocument ws = twoChannelSite();
    std::array<int, kChannelCount> inUse{};
    inUse[1] = 1;
    inUse[509] = 1;  // PL 20: in use although it holds only "－"
    std::array<std::string, kChannelCount> names{};
    names[509] = cp("局名");
    names[0] = cp("not shown");
    const std::string csv = worksheetCsv(ws, inUse, names);
    std::vector<std::string_view> lines = splitLines(csv);
    EXPECT_EQ(std::string(lines[0]), cp("No,測定場所,レベルオフセット(dB),14,PL 20_局名"));
    EXPECT_EQ(std::string(lines[3]),
              "1,P1" + cp(":レベル") + "," + ChannelCatalog::instance().initialOffsetsText() + ",1.2.1," + kEmptyMark);

    // A worksheet of headers only gives the header line alone.
    WorksheetDocument empty = test::makeWorksheet(0, {});
    EXPECT_EQ(splitLines(worksheetCsv(empty, inUse, names)).size(), 1u);
}

}  // namespace
}  // namespace mireva
