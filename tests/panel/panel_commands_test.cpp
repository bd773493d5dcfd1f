// mireva-cli csv and round, run as the built program.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/text.h"
#include "panel/csv_output.h"
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
    return test::makeWorksheet(2, [](int p, BlockRow row, int c) -> std::string {
        if (c == 0) return row == BlockRow::Level ? (p == 0 ? "45.5" : "-3.5") : "473.1";
        if (c == 40 && row == BlockRow::BerA) return "1.0E-8";
        return test::none();
    }, 41);
}

TEST(CsvCommand, SelectionOfAReadingRunAndNamesFromTheSettings) {
    test::TempDir dir;
    const WorksheetDocument ws = site();
    test::writeFile(dir / "w.csv", ws.serialize());
    ReportSettings settings = ReportSettings::defaults();
    settings.broadcasterNames[40] = cp("ＮＨＫ");
    ASSERT_TRUE(SettingsFile(dir / "Mireva.ini").writeBroadcasterNames(settings));

    ASSERT_EQ(runCli("csv --worksheet " + quoted(dir / "w.csv") + " --out " + quoted(dir / "out.csv") +
                     " --settings " + quoted(dir / "Mireva.ini")),
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
