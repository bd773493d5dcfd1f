#include "ingest/location_table_writer.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/test_support.h"

namespace mireva {
namespace {
namespace fs = std::filesystem;

LocationTableRow row(const char* no, const char* type, const char* date, const char* fileType, const char* name,
                     const char* p1, const char* p2) {
    LocationTableRow r;
    r.field = {no, type, date, fileType, name, test::cp(p1), test::cp(p2)};
    return r;
}

TEST(LocationTableWriter, RenumbersInListOrderWithHeaderAndCrLf) {
    std::vector<LocationTableRow> rows = {
        row("3", "SINGLE", "20130405", "CSV", "a.csv", "1F", "101"),
        row("7", "MULTI", "20130406", "CSV", "b.csv", "１Ｆ", "ﾛﾋﾞｰ"),
        row("9", "SINGLE", "20130407", "CSV", "c.csv", "屋上", ""),
    };
    EXPECT_EQ(formatLocationTable(rows),
              "NO,DATA_TYPE,DATE,FILE_TYPE,FILE_NAME,PLACEMENT1,PLACEMENT2\r\n"
              "1,SINGLE,20130405,CSV,a.csv,1F,101\r\n"
              "2,MULTI,20130406,CSV,b.csv," +
                  test::cp("１Ｆ,ﾛﾋﾞｰ") +
                  "\r\n"
                  "3,SINGLE,20130407,CSV,c.csv," +
                  test::cp("屋上") + ",\r\n");
}

TEST(LocationTableWriter, EmptyListWritesTheHeaderOnly) {
    EXPECT_EQ(formatLocationTable({}), "NO,DATA_TYPE,DATE,FILE_TYPE,FILE_NAME,PLACEMENT1,PLACEMENT2\r\n");
}

TEST(LocationTableWriter, WritesTheFileAndReadsItBack) {
    test::TempDir dir;
    fs::path file = dir / "table.csv";
    test::writeFile(file, "old content that is longer than the new table ...........................");
    std::vector<LocationTableRow> rows = {row("5", "SINGLE", "20130405", "CSV", "a.csv", "2F", "201"),
                                          row("9", "MULTI", "20130405", "CSV", "b.csv", "2F", "")};
    std::string error;
    ASSERT_TRUE(writeLocationTable(file, rows, &error)) << error;
    EXPECT_EQ(test::readFile(file), formatLocationTable(rows));
    EXPECT_FALSE(fs::exists(dir / "table.csv.tmp"));

    std::vector<LocationTableRow> back;
    ASSERT_TRUE(loadLocationTableRows(file, back));
    rows[0][kColNo] = "1";
    rows[1][kColNo] = "2";
    EXPECT_EQ(back, rows);
}

TEST(LocationTableWriter, AFailedWriteIsReportedAndLeavesTheOldFile) {
    test::TempDir dir;
    std::vector<LocationTableRow> rows = {row("1", "SINGLE", "20130405", "CSV", "a.csv", "1F", "")};
    std::string error;
    EXPECT_FALSE(writeLocationTable(dir / "missing" / "table.csv", rows, &error));
    EXPECT_FALSE(error.empty());

    // A table the user made read-only is not rewritten: the old table stays.
    fs::path file = dir / "table.csv";
    test::writeFile(file, "old");
    test::makeReadOnly(file);
    error.clear();
    EXPECT_FALSE(writeLocationTable(file, rows, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(test::readFile(file), "old");
}

TEST(LocationTableRows, ParsesEveryLineAfterTheHeader) {
    struct Case {
        const char* name;
        std::string content;
        std::vector<LocationTableRow> expected;
    };
    const Case cases[] = {
        {"header skipped whatever it holds, NO kept as written",
         "anything\r\n5,SINGLE,20130405,CSV,a.csv,1F,101\r\n9,MULTI,20130405,CSV,b.csv,1F,\r\n",
         {row("5", "SINGLE", "20130405", "CSV", "a.csv", "1F", "101"),
          row("9", "MULTI", "20130405", "CSV", "b.csv", "1F", "")}},
        {"missing fields stay empty, extra fields dropped",
         "h\n1,PNG,20130405\n2,SINGLE,20130405,CSV,c.csv,1F,102,extra,more\n",
         {row("1", "PNG", "20130405", "", "", "", ""), row("2", "SINGLE", "20130405", "CSV", "c.csv", "1F", "102")}},
        {"last line without a line end, blank lines passed over",
         "h\r\n\r\n 7,SINGLE,20130405,CSV,d.csv,B1,x",
         {row(" 7", "SINGLE", "20130405", "CSV", "d.csv", "B1", "x")}},
        {"code page 932 bytes kept, including a trail byte 0x5C",
         "h\r\n1,SINGLE,20130405,CSV,e.csv," + test::cp("表示") + ",\r\n",
         {row("1", "SINGLE", "20130405", "CSV", "e.csv", "表示", "")}},
        {"header only", "NO,DATA_TYPE\r\n", {}},
        {"empty file", "", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(parseLocationTableRows(c.content), c.expected) << c.name;
}

TEST(LocationTableRows, LoadRefusesWhatIsNotAReadableFile) {
    test::TempDir dir;
    std::vector<LocationTableRow> rows = {row("1", "SINGLE", "20130405", "CSV", "a.csv", "", "")};
    EXPECT_FALSE(loadLocationTableRows(dir / "missing.csv", rows));
    EXPECT_TRUE(rows.empty());
    EXPECT_FALSE(loadLocationTableRows(dir.path(), rows));
    EXPECT_FALSE(loadLocationTableRows("", rows));
}

}  // namespace
}  // namespace mireva
