// mireva-cli csv, round and judge, run as the built program.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/text.h"
#include "panel/csv_output.h"
#include "panel/level_offsets.h"
#include "panel/level_rounding.h"
#include "settings/settings_file.h"
#include "support/test_support.h"
#include "worksheet_fixture.h"

namespace mireva {
namespace {

namespace fs = std::filesystem;
using test::cp;

int runCli(const std::string& arguments) {
    const std::string command = std::string(MIREVA_BINARY_DIR) + "/src/cli/mireva-cli " + arguments + " 2>/dev/null";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string quoted(const fs::path& p) { return "'" + p.string() + "'"; }

// Two places: UHF 13 with levels that need rounding, BS-1 (index 40) with a BER A
// value only, every other channel "－".
WorksheetDocument site() {
    return test::makeWorksheet(
        2,
        [](int p, BlockRow row, int c) -> std::string {
            if (c == 0) return row == BlockRow::Level ? (p == 0 ? "45.5" : "-3.5") : "473.1";
            if (c == 40 && row == BlockRow::BerA) return "1.0E-8";
            return test::none();
        },
        41);
}

// The judge command's list for a worksheet file against one standard value for 地デジ.
std::string judgeList(const fs::path& worksheet, const std::string& uhfStandard, const fs::path& dir) {
    ReportSettings settings = ReportSettings::defaults();
    settings.standardValues[kStdUhf] = uhfStandard;
    EXPECT_TRUE(SettingsFile(dir / "std.ini").writeStandardValues(settings));
    const fs::path out = dir / "judged.csv";
    EXPECT_EQ(runCli("judge --worksheet " + quoted(worksheet) + " --settings " + quoted(dir / "std.ini") + " --out " +
                     quoted(out)),
              0);
    return test::readFile(out);
}

std::string number(double v) {
    char text[64];
    std::snprintf(text, sizeof text, "%.17g", v);
    return text;
}

// One level text gives one value to the offsets, the rounding and the judgement: only
// a decimal number is read (no hexadecimal, infinity or not-a-number forms), and what
// does not start with one is 0.
TEST(LevelTexts, TheSameTextHasTheSameValueForOffsetsRoundingAndJudgement) {
    struct Case {
        const char* text;
        double value;
        const char* rounded;  // mireva-cli round
        const char* offset;   // +1.0 dB on 地デジ, the old level held as a float
    } cases[] = {
        {"0x10", 0, "0.0", "1.0"},
        {"0x1p4", 0, "0.0", "1.0"},
        {"inf", 0, "0.0", "1.0"},
        {"-nan", 0, "0.0", "1.0"},
        {"1e2", 100, "100.0", "101.0"},
        {" 60", 60, "60.0", "61.0"},
        {"60.", 60, "60.0", "61.0"},
        {".5", 0.5, "1.0", "1.5"},
        {"45.5", 45.5, "46.0", "46.5"},
        {"-0.05", -0.05, "-0.0", "0.9"},
        {"1e999", 1.7976931348623157e308, nullptr, nullptr},
    };
    test::TempDir dir;
    for (const Case& c : cases) {
        const WorksheetDocument ws = test::makeWorksheet(1, [&](int, BlockRow row, int ch) -> std::string {
            return ch == 0 && row == BlockRow::Level ? c.text : test::none();
        });
        const fs::path w = dir / "w.csv";
        test::writeFile(w, ws.serialize());

        // The judgement lists the level against a standard equal to its value, not
        // against one just below it.
        EXPECT_NE(judgeList(w, number(c.value), dir.path()).find(c.text), std::string::npos) << c.text;
        EXPECT_EQ(judgeList(w, number(c.value - 0.5 - std::abs(c.value) * 1e-9), dir.path()).find(c.text),
                  std::string::npos)
            << c.text;

        ASSERT_EQ(runCli("round --worksheet " + quoted(w)), 0);
        const std::string rounded = test::channelText(std::string(splitLines(test::readFile(w))[4]), 0);
        if (c.rounded) {
            EXPECT_EQ(rounded, c.rounded) << c.text;
        }
        EXPECT_EQ(rounded.find_first_of("ain"), std::string::npos) << c.text << " gave " << rounded;

        WorksheetDocument offset = ws;
        OffsetRequest request;
        request.valueText = "1.0";
        request.firstRow = request.lastRow = 2;
        ASSERT_EQ(applyOffset(offset, request), 1);
        const std::string shifted = test::channelText(offset.line(0, BlockRow::Level), 0);
        if (c.offset) {
            EXPECT_EQ(shifted, c.offset) << c.text;
        }
        EXPECT_EQ(shifted.find_first_of("ain"), std::string::npos) << c.text << " gave " << shifted;
    }
}

// A worksheet edited by hand whose last block has fewer than eight lines: its places
// are its whole blocks, for every command, and the partial block's lines keep their bytes.
TEST(PartialLastBlock, IsNoPlaceForJudgeCsvAndRound) {
    test::TempDir dir;
    WorksheetDocument ws = test::makeWorksheet(2, [](int p, BlockRow row, int c) -> std::string {
        if (c == 0) return row == BlockRow::Level ? (p == 0 ? "45.5" : "-3.5") : "473.1";
        return test::none();
    });
    // The first three lines of a third place P3: its level line holds 12.5 and 0.
    for (int r = 0; r < 3; ++r) {
        std::string line = ws.lines[r];
        rewriteFields(line, [&](int field, std::string_view text, std::string& out) {
            if (field == 2)
                out += "P3" + test::rowSuffix(static_cast<BlockRow>(r));
            else if (r == 2 && field == channelField(0))
                out += "12.5";
            else if (r == 2 && field == channelField(1))
                out += "0";
            else
                out += text;
        });
        ws.lines.push_back(line);
    }
    const std::string level = ws.lines.back();
    const fs::path w = dir / "w.csv";
    const std::string original = ws.serialize();
    test::writeFile(w, original);

    // judge: only the whole places are judged (the partial block's 0 would be listed).
    const std::string listed = judgeList(w, "50", dir.path());
    EXPECT_EQ(splitLines(listed).size(), 3u) << listed;  // header and the two places' 地デジ 13
    EXPECT_EQ(listed.find(cp("P3")), std::string::npos);

    // csv: the header and six lines for each whole place.
    ASSERT_EQ(runCli("csv --worksheet " + quoted(w) + " --out " + quoted(dir / "out.csv")), 0);
    const std::string csv = test::readFile(dir / "out.csv");
    EXPECT_EQ(splitLines(csv).size(), 1u + 2 * 6) << csv;
    EXPECT_EQ(csv.find(cp("P3")), std::string::npos);

    // round: the whole places' levels are rounded, the partial block stays byte for byte.
    ASSERT_EQ(runCli("round --worksheet " + quoted(w)), 0);
    const std::string after = test::readFile(w);
    const std::vector<std::string_view> lines = splitLines(after);
    ASSERT_EQ(lines.size(), 2u + 16 + 3);
    EXPECT_EQ(test::channelText(std::string(lines[4]), 0), "46.0");
    EXPECT_EQ(test::channelText(std::string(lines[12]), 0), "-4.0");
    const std::vector<std::string_view> before = splitLines(original);
    for (size_t i = 18; i < 21; ++i) EXPECT_EQ(lines[i], before[i]) << i;
    EXPECT_EQ(after.substr(after.size() - level.size() - 2), level + "\r\n");

    // Offsets likewise leave the partial block alone, even when its rows are in the range.
    WorksheetDocument offset = ws;
    OffsetRequest request;
    request.valueText = "1.0";
    request.firstRow = 0;
    request.lastRow = 20;
    EXPECT_EQ(applyOffset(offset, request), 2);
    EXPECT_EQ(offset.lines.back(), level);
}

TEST(CsvCommand, SelectionOfAReadingRunAndNamesFromTheSettings) {
    test::TempDir dir;
    const WorksheetDocument ws = site();
    test::writeFile(dir / "w.csv", ws.serialize());
    ReportSettings settings = ReportSettings::defaults();
    settings.broadcasterNames[40] = cp("ＮＨＫ");
    ASSERT_TRUE(SettingsFile(dir / "Mireva.ini").writeBroadcasterNames(settings));

    ASSERT_EQ(runCli("csv --worksheet " + quoted(dir / "w.csv") + " --out " + quoted(dir / "out.csv") + " --settings " +
                     quoted(dir / "Mireva.ini")),
              0);
    std::array<int, kChannelCount> inUse{};
    inUse[0] = inUse[40] = 1;
    EXPECT_EQ(test::readFile(dir / "out.csv"), worksheetCsv(ws, inUse, settings.broadcasterNames));
    EXPECT_EQ(std::string(splitLines(test::readFile(dir / "out.csv"))[0]),
              cp("No,測定場所,レベルオフセット(dB),13,BS-1_ＮＨＫ"));

    // Without --settings: no names.
    ASSERT_EQ(runCli("csv --worksheet " + quoted(dir / "w.csv") + " --out " + quoted(dir / "plain.csv")), 0);
    EXPECT_EQ(std::string(splitLines(test::readFile(dir / "plain.csv"))[0]),
              cp("No,測定場所,レベルオフセット(dB),13,BS-1"));
}

TEST(CsvCommand, UsageAndFailures) {
    test::TempDir dir;
    test::writeFile(dir / "w.csv", site().serialize());
    const std::string w = " --worksheet " + quoted(dir / "w.csv");
    struct Case {
        std::string arguments;
        int status;
    } cases[] = {
        {"csv" + w, 2},
        {"csv --out " + quoted(dir / "o.csv"), 2},
        {"csv --worksheet " + quoted(dir / "none.csv") + " --out " + quoted(dir / "o.csv"), 2},
        {"csv" + w + " --out " + quoted(dir / "o.csv") + " --settings " + quoted(dir / "none.ini"), 2},
        {"csv" + w + " --out " + quoted(dir / "no folder" / "o.csv"), 1},
        {"csv" + w + " --out " + quoted(dir.path()), 1},
        {"csv" + w + " --bogus x", 2},
        {"csv --help", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(runCli(c.arguments), c.status) << c.arguments;
    EXPECT_FALSE(fs::exists(dir / "o.csv"));
}

TEST(RoundCommand, RoundsInPlaceAndReportsFailures) {
    test::TempDir dir;
    WorksheetDocument ws = site();
    test::writeFile(dir / "w.csv", ws.serialize());
    ASSERT_EQ(runCli("round --worksheet " + quoted(dir / "w.csv")), 0);
    roundAllLevels(ws);
    EXPECT_EQ(test::readFile(dir / "w.csv"), ws.serialize());
    EXPECT_EQ(test::channelText(ws.line(0, BlockRow::Level), 0), "46.0");
    EXPECT_EQ(test::channelText(ws.line(1, BlockRow::Level), 0), "-4.0");

    EXPECT_EQ(runCli("round"), 2);
    EXPECT_EQ(runCli("round --worksheet " + quoted(dir / "none.csv")), 2);
    EXPECT_FALSE(fs::exists(dir / "none.csv"));
    EXPECT_EQ(runCli("round --worksheet " + quoted(dir.path())), 2);
}

}  // namespace
}  // namespace mireva
