#include <gtest/gtest.h>

#include <optional>
#include <sstream>

#include "cli/cli_args.h"
#include "cli/commands.h"
#include "core/text.h"
#include "support/test_support.h"

namespace mireva::cli {
namespace {

namespace fs = std::filesystem;

struct Result {
    int status;
    std::string out, err;
};

Result aggregate(const Args& args) {
    std::ostringstream out, err;
    int status = runAggregate(args, out, err);
    return {status, out.str(), err.str()};
}

const fs::path kSite = test::sourcePath("samples/site");

TEST(AggregateCommand, SampleSiteGivesTheExpectedWorksheetLogAndSummary) {
    test::TempDir dir;
    const fs::path worksheet = dir / "worksheet.csv";
    Result r = aggregate(
        {"--table", (kSite / "list.csv").string(), "--data", (kSite / "data").string(), "--out", worksheet.string()});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    EXPECT_EQ(test::readFile(worksheet), test::readFile(test::sourcePath("tests/cli/expected/sample_worksheet.csv")));
    EXPECT_EQ(r.err,
              "存在しないファイルがありました\n飛ばして集計を行います\n"
              "「データロガー」「PNG」「MP4」は集計できません\n飛ばして集計を行います\n");
    EXPECT_EQ(r.out,
              "places written:                 5\n"
              "files read:                     7\n"
              "missing files skipped:          1\n"
              "non-aggregatable items skipped: 1\n"
              "channels with values:           75\n"
              "BerPresent: 1  MerPresent: 1  CnPresent: 1\n");

    // The error log beside the worksheet: header, then "time,file,message" lines.
    std::string log = test::readFile(dir / "errorlog.csv");
    std::vector<std::string_view> lines = splitLines(log);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(test::u8(lines[0]), "日時,ファイル名,エラー内容");
    const std::string data = (kSite / "data").string();
    EXPECT_EQ(test::u8(lines[1].substr(20)), data + "/SINGLE/20260412/CSV/S0007.csv,ファイルを開けません");
    EXPECT_EQ(test::u8(lines[2].substr(20)), data + "/MULTI/20260412/CSV/M0009.csv,チャンネルが見つかりません");
    EXPECT_EQ(lines[1][4], '/');
    EXPECT_EQ(lines[1][19], ',');
}

TEST(AggregateCommand, JsonSummaryAndChosenErrorLog) {
    test::TempDir dir;
    Result r = aggregate({"--json", "--table", (kSite / "list.csv").string(), "--data", (kSite / "data").string(),
                          "--out", (dir / "w.csv").string(), "--errorlog", (dir / "log").string()});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    EXPECT_EQ(
        r.out.rfind("{\"places\":5,\"filesRead\":7,\"missingFiles\":1,\"nonAggregatable\":1,\"channels\":[0,3,7,", 0),
        0u)
        << r.out;
    EXPECT_NE(r.out.find(",365,366,367,368,369,370],\"ber\":true,\"mer\":true,\"cn\":true}\n"), std::string::npos)
        << r.out;
    EXPECT_TRUE(fs::exists(dir / "log"));
    EXPECT_FALSE(fs::exists(dir / "errorlog.csv"));
}

TEST(AggregateCommand, UsageAndUnreadableInputs) {
    test::TempDir dir;
    test::writeFile(dir / "list.csv", "NO\r\n");
    const std::string table = (dir / "list.csv").string(), data = dir.path().string(), out = (dir / "w.csv").string();
    struct Case {
        Args args;
        int status;
        std::string errContains;
    } cases[] = {
        {{}, kExitUsage, "missing --table"},
        {{"--table", table, "--data", data}, kExitUsage, "missing --out"},
        {{"--table", table, "--data", data, "--out"}, kExitUsage, "--out needs a value"},
        {{"--table", table, "--data", data, "--out", out, "--fast"}, kExitUsage, "unknown argument: --fast"},
        {{"--table", (dir / "none.csv").string(), "--data", data, "--out", out},
         kExitUsage,
         "cannot read the location table " + (dir / "none.csv").string()},
        {{"--table", data, "--data", data, "--out", out}, kExitUsage, "cannot read the location table " + data},
        {{"--table", table, "--data", table, "--out", out},
         kExitUsage,
         "cannot list the data folder " + table + ": Not a directory"},
        {{"--table", table, "--data", data, "--out", (dir / "no" / "w.csv").string()},
         kExitFailed,
         "集計結果を書き込めません"},
        {{"--table", table, "--data", data, "--out", out}, kExitOk, ""},
    };
    for (const Case& c : cases) {
        Result r = aggregate(c.args);
        EXPECT_EQ(r.status, c.status) << r.err;
        if (c.errContains.empty())
            EXPECT_EQ(r.err, "");
        else
            EXPECT_NE(r.err.find(c.errContains), std::string::npos) << r.err;
    }
}

// A table or a data folder that cannot be read is reported with its path and reason
// before anything is written: the previous worksheet and error log stay as they were,
// instead of an empty worksheet replacing the previous one.
TEST(AggregateCommand, InputsThatCannotBeReadLeaveThePreviousOutputs) {
    test::TempDir dir;
    const fs::path table = dir / "list.csv", data = dir / "data", locked = dir / "locked";
    test::writeFile(table, "NO\r\n");
    fs::create_directories(data);
    fs::create_directories(locked);
    fs::permissions(locked, fs::perms::owner_all);  // another user's folder
    test::writeFile(dir / "w.csv", "previous\r\n");
    test::writeFile(dir / "errorlog.csv", "previous log\r\n");
    struct Case {
        fs::path table, data;
        bool asOrdinaryUser;
        std::string err;
    } cases[] = {
        {table, dir / "none", false,
         "cannot list the data folder " + (dir / "none").string() + ": No such file or directory"},
        {table, table / "data", false,
         "cannot list the data folder " + (table / "data").string() + ": Not a directory"},
        {table, locked, true, "cannot list the data folder " + locked.string() + ": Permission denied"},
        {"/proc/self/mem", data, false, "cannot read the location table /proc/self/mem: Input/output error"},
        {locked / "list.csv", data, true,
         "cannot read the location table " + (locked / "list.csv").string() + ": Permission denied"},
    };
    for (const Case& c : cases) {
        Result r;
        {
            std::optional<test::AsOrdinaryUser> user;
            if (c.asOrdinaryUser) user.emplace();
            r = aggregate({"--table", c.table.string(), "--data", c.data.string(), "--out", (dir / "w.csv").string()});
        }
        EXPECT_EQ(r.status, kExitUsage) << c.err;
        EXPECT_EQ(r.err, "mireva-cli aggregate: " + c.err + "\n");
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(test::readFile(dir / "w.csv"), "previous\r\n") << c.err;
        EXPECT_EQ(test::readFile(dir / "errorlog.csv"), "previous log\r\n") << c.err;
    }
}

// An error log that cannot be written does not fail the run, but is said on stderr
// after the end-of-run messages.
TEST(AggregateCommand, AnErrorLogThatCannotBeWrittenIsReportedOnStderr) {
    test::TempDir dir;
    test::writeFile(dir / "file", "x");
    const fs::path log = dir / "file" / "errorlog.csv";
    Result r = aggregate({"--table", (kSite / "list.csv").string(), "--data", (kSite / "data").string(), "--out",
                          (dir / "w.csv").string(), "--errorlog", log.string()});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    EXPECT_EQ(r.err,
              "存在しないファイルがありました\n飛ばして集計を行います\n"
              "「データロガー」「PNG」「MP4」は集計できません\n飛ばして集計を行います\n"
              "エラーログを書き込めません\n" +
                  log.string() + "\nNot a directory\n");
    EXPECT_EQ(test::readFile(dir / "w.csv"),
              test::readFile(test::sourcePath("tests/cli/expected/sample_worksheet.csv")));
}

TEST(AggregateCommand, Help) {
    Result r = aggregate({"--help"});
    EXPECT_EQ(r.status, kExitOk);
    EXPECT_NE(r.out.find("usage: mireva-cli aggregate --table TABLE.csv --data DATA_DIR --out WORKSHEET.csv"),
              std::string::npos);
    EXPECT_NE(r.out.find("--json"), std::string::npos);
}

}  // namespace
}  // namespace mireva::cli
