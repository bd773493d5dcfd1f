#include "ingest/aggregation_run.h"

#include <gtest/gtest.h>

#include "core/text.h"
#include "core/worksheet_document.h"
#include "ingest/worksheet_writer.h"
#include "ingest_test_support.h"

namespace mireva {
namespace {

namespace fs = std::filesystem;
using test::cp;
using test::meterLines;

const char kHeader[] = "NO,DATA_TYPE,DATE,FILE_TYPE,FILE_NAME,PLACEMENT1,PLACEMENT2";
const char kMissing[] = "存在しないファイルがありました\n飛ばして集計を行います";
const char kNotAggregatable[] = "「データロガー」「PNG」「MP4」は集計できません\n飛ばして集計を行います";

std::string level20(const char* level, const char* date = "日付,2013/04/05") {
    return meterLines({date, "時刻,10:20:30", "測定モード,UHF", "チャンネル名称,BAND,レベル(dBuV)"}) +
           "20,地上デジタル," + level + "\r\n";
}

class Run : public ::testing::Test {
protected:
    Run() {
        record_.channelWanted.fill(1);
        record_.dataFolder = dir_ / "data";
        record_.locationTablePath = dir_ / "list.csv";
        record_.errorLogPath = dir_ / "errorlog.csv";
        record_.worksheetPath = dir_ / "worksheet.csv";
        fs::create_directories(record_.dataFolder);
    }
    void table(std::initializer_list<const char*> lines) {
        std::string s = std::string(kHeader) + "\r\n";
        for (const char* l : lines) s += cp(l) + "\r\n";
        test::writeFile(record_.locationTablePath, s);
    }
    void meter(const std::string& relative, const std::string& content) {
        test::writeFile(record_.dataFolder / relative, content);
    }
    int run() {
        messages_.clear();
        return aggregationRun(record_, [this](const Sj& m) { messages_.push_back(test::u8(m)); });
    }
    WorksheetDocument worksheet() const {
        WorksheetDocument doc;
        doc.load(record_.worksheetPath);
        return doc;
    }
    std::string cell(int place, BlockRow row, int channel) const {
        return test::u8(fieldAt(worksheet().line(place, row), static_cast<size_t>(channelField(channel))));
    }

    test::TempDir dir_;
    RunRecord record_;
    std::vector<std::string> messages_;
};

TEST_F(Run, TableWithOnlyItsHeader) {
    table({});
    EXPECT_EQ(run(), 0);
    ChannelWanted all;
    all.fill(1);
    EXPECT_EQ(test::readFile(record_.worksheetPath), worksheetHeaderLines(all));
    EXPECT_EQ(test::readFile(record_.errorLogPath), cp("日時,ファイル名,エラー内容\r\n"));
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(record_.summary, AggregationSummary{});
    EXPECT_EQ(record_.placesWritten, 0);
}

TEST_F(Run, OnePlaceOneSingleFile) {
    table({"1,SINGLE,20130405,CSV,a.csv,1F,101"});
    meter("SINGLE/20130405/CSV/a.csv", level20("45.3"));
    EXPECT_EQ(run(), 0);
    const std::string content = test::readFile(record_.worksheetPath);
    std::vector<std::string_view> lines = splitLines(content);
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(test::u8(fieldAt(lines[4], 12)), "45.3");
    for (size_t i = 2; i < 10; ++i) EXPECT_EQ(fieldAt(lines[i], 3), "UHF ");
    EXPECT_EQ(record_.placesWritten, 1);
    EXPECT_EQ(record_.filesRead, 1);
    EXPECT_EQ(record_.summary.channelHasValue[7], 1);
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(test::logEntries(record_.errorLogPath).size(), 0u);
}

TEST_F(Run, TheFileListedFirstWins) {
    // Later lines are read first; an out-of-range level keeps the earlier text, and the
    // date, time and mode of the first-listed file win.
    table({"1,SINGLE,20130405,CSV,a.csv,1F,101", "2,SINGLE,20130405,CSV,b.csv,1F,102",
           "3,MULTI,20130405,CSV,c.csv,1F,101", "4,MULTI,20130405,CSV,d.csv,1F,101"});
    meter("SINGLE/20130405/CSV/a.csv", level20("50.0"));
    meter("SINGLE/20130405/CSV/b.csv", level20("<20.0"));
    meter("MULTI/20130405/CSV/c.csv", level20("60.0", "日付,2013/04/06") + "21,地上デジタル,61.0\r\n");
    meter("MULTI/20130405/CSV/d.csv", level20("<20.0") + "22,地上デジタル,62.0\r\n");
    EXPECT_EQ(run(), 0);
    ASSERT_EQ(worksheet().placeCount(), 2);
    EXPECT_EQ(cell(0, BlockRow::Level, 7), "50.0");
    EXPECT_EQ(cell(0, BlockRow::Level, 8), "61.0");
    EXPECT_EQ(cell(0, BlockRow::Level, 9), "62.0");
    EXPECT_EQ(test::u8(worksheet().line(0, BlockRow::Level)).substr(0, 21), "2013/04/05,10:20:30,1");
    EXPECT_EQ(cell(1, BlockRow::Level, 7), "－");  // its only level was out of range
    EXPECT_EQ(record_.summary.channelHasValue[7], 1);
}

TEST_F(Run, PlacesWithoutDateOrFilesGiveNoBlockAndMessagesComeInOrder) {
    table({"1,SINGLE,20130405,CSV,nodate.csv,1F,101", "2,PNG,20130405,PNG,p.png,1F,102",
           "3,SINGLE,20130405,CSV,gone.csv,1F,103", "4,SINGLE,20130405,CSV,gone2.csv,1F,103",
           "5,MULTI,20130405,CSV,ok.csv,1F,104"});
    meter("SINGLE/20130405/CSV/nodate.csv", level20("50.0", "測定データ名,x"));
    meter("MULTI/20130405/CSV/ok.csv", level20("51.0"));
    EXPECT_EQ(run(), 0);
    WorksheetDocument doc = worksheet();
    ASSERT_EQ(doc.placeCount(), 1);
    EXPECT_EQ(test::u8(placeNameOf(doc.line(0, BlockRow::Level))), "1F104");
    EXPECT_EQ(messages_, (std::vector<std::string>{kMissing, kNotAggregatable}));
    EXPECT_EQ(record_.missingFiles, 2);
    EXPECT_EQ(record_.nonAggregatable, 1);
    EXPECT_EQ(record_.filesRead, 2);
    std::string folder = record_.dataFolder.string();
    EXPECT_EQ(test::logEntries(record_.errorLogPath),
              (std::vector<std::string>{folder + "/SINGLE/20130405/CSV/gone2.csv,ファイルを開けません",
                                        folder + "/SINGLE/20130405/CSV/gone.csv,ファイルを開けません"}));
}

TEST_F(Run, ADuplicatedNoWithANonAggregatableLineIsSkippedInBothOrders) {
    for (bool pngFirst : {true, false}) {
        const char* png = "1,PNG,20130405,PNG,p.png,1F,101";
        const char* csv = "1,SINGLE,20130405,CSV,a.csv,1F,101";
        table({pngFirst ? png : csv, pngFirst ? csv : png, "2,SINGLE,20130405,CSV,b.csv,1F,102"});
        meter("SINGLE/20130405/CSV/a.csv", level20("50.0"));
        meter("SINGLE/20130405/CSV/b.csv", level20("51.0"));
        EXPECT_EQ(run(), 0);
        EXPECT_EQ(messages_, (std::vector<std::string>{kNotAggregatable})) << pngFirst;
        EXPECT_EQ(record_.nonAggregatable, 1) << pngFirst;
        EXPECT_EQ(record_.filesRead, 1) << pngFirst;
        WorksheetDocument doc = worksheet();
        ASSERT_EQ(doc.placeCount(), 1) << pngFirst;
        EXPECT_EQ(test::u8(placeNameOf(doc.line(0, BlockRow::Level))), "1F102") << pngFirst;
    }
}

TEST_F(Run, OnlyNonAggregatableItems) {
    table({"1,PNG,20130405,PNG,p.png,1F,101", "2,MULTI,20130405,MP4,m.mp4,1F,101"});
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(messages_, (std::vector<std::string>{kNotAggregatable}));
}

TEST_F(Run, PathComponentsMatchWithoutRegardToCase) {
    table({"1,SINGLE,20130405,csv_dir_CSV,A.CSV,1F,101", "2,MULTI,20130405,CSV,b.csv,1F,102"});
    meter("single/20130405/CSV_DIR_csv/a.csv", level20("50.0"));
    meter("MULTI/20130405/CSV/B.csv", level20("51.0"));
    meter("MULTI/20130405/CSV/b.CSV", level20("52.0"));
    EXPECT_EQ(run(), 0);
    EXPECT_TRUE(messages_.empty());
    ASSERT_EQ(worksheet().placeCount(), 2);
    EXPECT_EQ(cell(0, BlockRow::Level, 7), "50.0");
    EXPECT_EQ(cell(1, BlockRow::Level, 7), "51.0");  // the first match in name order
}

TEST_F(Run, AnExactPathIsPreferredOverOtherCases) {
    table({"1,SINGLE,20130405,CSV,a.csv,1F,101"});
    meter("SINGLE/20130405/CSV/A.csv", level20("50.0"));
    meter("SINGLE/20130405/CSV/a.csv", level20("51.0"));
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(cell(0, BlockRow::Level, 7), "51.0");
}

TEST_F(Run, ASecondRunStartsAFreshLogAndWorksheet) {
    table({"1,SINGLE,20130405,CSV,gone.csv,1F,101"});
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(test::logEntries(record_.errorLogPath).size(), 1u);
    table({"1,SINGLE,20130405,CSV,a.csv,2F,201"});
    meter("SINGLE/20130405/CSV/a.csv", level20("50.0"));
    record_.summary = {};
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(test::logEntries(record_.errorLogPath).size(), 0u);
    EXPECT_EQ(worksheet().placeCount(), 1);
    EXPECT_EQ(record_.missingFiles, 0);
}

TEST_F(Run, AnUnreadableTableAbortsAndKeepsThePreviousWorksheet) {
    test::writeFile(record_.worksheetPath, "previous\r\n");
    EXPECT_EQ(run(), 1);
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(test::readFile(record_.worksheetPath), "previous\r\n");
    EXPECT_EQ(test::logEntries(record_.errorLogPath),
              (std::vector<std::string>{record_.locationTablePath.string() + ",ファイルを開けません"}));
    EXPECT_FALSE(fs::exists(record_.worksheetPath.string() + ".tmp"));
}

TEST_F(Run, AWorksheetThatCannotBeWrittenIsReportedAndFailsTheRun) {
    table({"1,SINGLE,20130405,CSV,a.csv,1F,101"});
    meter("SINGLE/20130405/CSV/a.csv", level20("50.0"));
    record_.worksheetPath = dir_ / "no such folder" / "worksheet.csv";
    EXPECT_EQ(run(), 1);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].rfind("集計結果を書き込めません\n" + record_.worksheetPath.string() + "\n", 0), 0u)
        << messages_[0];
}

// An item whose path would leave the data folder is not followed, even where a
// readable meter file lies at the place it names: it is logged and counted like a
// missing file. Separators of either kind count ("\\" on the card's own system).
TEST_F(Run, ItemsNamingPathsOutsideTheDataFolderAreNotFollowed) {
    const std::string outside = (dir_ / "elsewhere").string();
    struct Case {
        std::string line;     // the table's item
        std::string planted;  // where the item's path leads, below the test folder
    } cases[] = {
        {"1,SINGLE," + outside + ",CSV,a.csv,1F,101", "elsewhere/CSV/a.csv"},
        {"1," + outside + "/SINGLE,20130405,CSV,a.csv,1F,101", "elsewhere/SINGLE/20130405/CSV/a.csv"},
        {"1,SINGLE,20130405,../../../elsewhere/CSV,a.csv,1F,101", "elsewhere/CSV/a.csv"},
        {"1,SINGLE,20130405,CSV,../../../../secret.csv,1F,101", "secret.csv"},
        {"1,SINGLE,..,CSV,a.csv,1F,101", "data/CSV/a.csv"},
        {"1,SINGLE,2013/0405,CSV,a.csv,1F,101", "data/SINGLE/2013/0405/CSV/a.csv"},
        {"1,SINGLE,20130405,CSV,sub\\a.csv,1F,101", "data/SINGLE/20130405/CSV/sub\\a.csv"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        table({c.line.c_str()});
        test::writeFile(dir_ / c.planted, level20("50.0"));
        EXPECT_EQ(run(), 0);
        EXPECT_EQ(worksheet().placeCount(), 0);
        EXPECT_EQ(record_.filesRead, 0);
        EXPECT_EQ(record_.missingFiles, 1);
        EXPECT_EQ(messages_, (std::vector<std::string>{kMissing}));
        const std::vector<std::string_view> f = splitFields(c.line);
        EXPECT_EQ(
            test::logEntries(record_.errorLogPath),
            (std::vector<std::string>{record_.dataFolder.string() + "/" + std::string(f[1]) + "/" + std::string(f[2]) +
                                      "/" + std::string(f[3]) + "/" + std::string(f[4]) + ",ファイルを開けません"}));
        fs::remove(dir_ / c.planted);
    }
}

// The log that cannot be written (its path runs through a regular file) is reported
// once, after the run's own messages, with its path and the reason; the run itself is
// not changed by it.
TEST_F(Run, AnErrorLogThatCannotBeWrittenIsReportedOnceAtTheEnd) {
    test::writeFile(dir_ / "file", "x");
    record_.errorLogPath = dir_ / "file" / "errorlog.csv";
    const std::string reported = "エラーログを書き込めません\n" + record_.errorLogPath.string() + "\nNot a directory";

    table({"1,SINGLE,20130405,CSV,a.csv,1F,101", "2,SINGLE,20130405,CSV,gone.csv,1F,102",
           "3,SINGLE,20130405,CSV,gone2.csv,1F,103", "4,PNG,20130405,PNG,p.png,1F,104"});
    meter("SINGLE/20130405/CSV/a.csv", level20("50.0"));
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(messages_, (std::vector<std::string>{kMissing, kNotAggregatable, reported}));
    EXPECT_EQ(worksheet().placeCount(), 1);

    table({"1,SINGLE,20130405,CSV,a.csv,1F,101"});
    EXPECT_EQ(run(), 0);  // no problem to log: the header alone could not be written
    EXPECT_EQ(messages_, (std::vector<std::string>{reported}));

    fs::remove(record_.locationTablePath);
    test::writeFile(record_.worksheetPath, "previous\r\n");
    EXPECT_EQ(run(), 1);  // an aborted run says it too
    EXPECT_EQ(messages_, (std::vector<std::string>{reported}));
    EXPECT_EQ(test::readFile(record_.worksheetPath), "previous\r\n");

    record_.errorLogPath = dir_ / "errorlog.csv";
    table({"1,SINGLE,20130405,CSV,gone.csv,1F,101"});
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(messages_, (std::vector<std::string>{kMissing}));
}

TEST_F(Run, LongNamesAndManyItemsInOnePlace) {
    // More than 256 items in one place, a place name over 511 bytes and long paths are
    // all aggregated as written.
    std::string place(600, 'P');
    std::string folderName(200, 'd');  // with the file names, paths over 259 bytes
    std::string content = std::string(kHeader) + "\r\n";
    for (int no = 1; no <= 300; ++no)
        content += std::to_string(no) + ",SINGLE," + folderName + ",CSV," + std::string(100, 'f') + std::to_string(no) +
                   ".csv," + place + ",\r\n";
    test::writeFile(record_.locationTablePath, content);
    meter("SINGLE/" + folderName + "/CSV/" + std::string(100, 'f') + "1.csv", level20("50.0"));
    meter("SINGLE/" + folderName + "/CSV/" + std::string(100, 'f') + "300.csv",
          level20("40.0") + "21,地上デジタル,41.0\r\n");
    EXPECT_EQ(run(), 0);
    ASSERT_EQ(worksheet().placeCount(), 1);
    EXPECT_EQ(test::u8(placeNameOf(worksheet().line(0, BlockRow::Level))), place);
    EXPECT_EQ(cell(0, BlockRow::Level, 7), "50.0");
    EXPECT_EQ(cell(0, BlockRow::Level, 8), "41.0");
    EXPECT_EQ(record_.missingFiles, 298);
    EXPECT_EQ(messages_, (std::vector<std::string>{kMissing}));
}

// The run streams its blocks and a worksheet operation saves a whole document, both
// through the one worksheet writer: a run's file, read and saved again unchanged, keeps
// every byte.
TEST_F(Run, ARunsWorksheetSavedAgainKeepsEveryByte) {
    table({"1,SINGLE,20130405,CSV,a.csv,1F,101", "2,SINGLE,20130405,CSV,b.csv,2F,201", "3,PNG,d,PNG,c.png,3F,"});
    meter("SINGLE/20130405/CSV/a.csv", level20("45.3"));
    meter("SINGLE/20130405/CSV/b.csv", level20("---"));
    EXPECT_EQ(run(), 0);
    const std::string written = test::readFile(record_.worksheetPath);
    ASSERT_EQ(worksheet().placeCount(), 2);
    ASSERT_TRUE(worksheet().save(dir_ / "saved.csv"));
    EXPECT_EQ(test::readFile(dir_ / "saved.csv"), written);
    EXPECT_EQ(worksheet().serialize(), written);
}

}  // namespace
}  // namespace mireva
