#include "panel/worksheet_edits.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "core/error_reason.h"

#include "core/file_io.h"
#include "core/text.h"
#include "support/test_support.h"
#include "worksheet_fixture.h"

namespace mireva {
namespace {

using namespace panel_text;
namespace fs = std::filesystem;

// A data folder holding a worksheet of `places` places: UHF 13 holds a level in every
// place, UHF 14 only in place 3, the rest "－".
struct Site {
    test::TempDir dir;
    WorksheetFiles files;
    std::string original;

    explicit Site(int places = 4) {
        files = WorksheetFiles::of(DataLocations(dir.dataFolder()));
        WorksheetDocument ws = test::makeWorksheet(
            places,
            [](int p, BlockRow row, int c) -> std::string {
                if (row != BlockRow::Level) return test::none();
                if (c == 0) return std::to_string(40 + p) + ".3";
                if (c == 1 && p == 2) return "50.0";
                return test::none();
            },
            2);
        original = ws.serialize();
        test::writeFile(files.worksheet, original);
    }
    std::string worksheet() const { return test::readFile(files.worksheet); }
    // A worksheet the user made read-only: every rewrite must then fail.
    void blockRewrite() const { test::makeReadOnly(files.worksheet); }
};

TEST(WorksheetEdits, OffsetAndRoundingRewriteTheFile) {
    Site site;
    EditOutcome o = offsetWorksheetFile(site.files, OffsetRequest{"0.2", OffsetSign::Plus, 0, 0, 8});
    EXPECT_TRUE(o.changed);
    EXPECT_TRUE(o.messages.empty());
    WorksheetDocument ws;
    ASSERT_TRUE(ws.load(site.files.worksheet));
    EXPECT_EQ(test::channelText(ws.line(1, BlockRow::Level), 0), "41.5");
    EXPECT_EQ(test::channelText(ws.line(2, BlockRow::Level), 0), "42.3");
    EXPECT_EQ(test::folderNames(site.files.worksheet.parent_path()), std::vector<std::string>{"worksheet.csv"});

    o = roundWorksheetFile(site.files);
    EXPECT_TRUE(o.changed);
    EXPECT_TRUE(o.showProgress);
    ASSERT_TRUE(ws.load(site.files.worksheet));
    EXPECT_EQ(test::channelText(ws.line(1, BlockRow::Level), 0), "42.0");

    // A range without a level row leaves the file alone.
    const std::string before = site.worksheet();
    o = offsetWorksheetFile(site.files, OffsetRequest{"1", OffsetSign::Plus, 0, 0, 1});
    EXPECT_FALSE(o.changed);
    EXPECT_FALSE(o.failed);
    EXPECT_EQ(site.worksheet(), before);
}

TEST(WorksheetEdits, ARewriteThatFailsIsReportedAndKeepsTheFile) {
    struct Case {
        const char* name;
        std::function<EditOutcome(const WorksheetFiles&)> run;
    } cases[] = {
        {"offset",
         [](const WorksheetFiles& f) {
             return offsetWorksheetFile(f, {"1", OffsetSign::Plus, 10, 0, 23});
         }},
        {"round", [](const WorksheetFiles& f) { return roundWorksheetFile(f); }},
        {"move",
         [](const WorksheetFiles& f) {
             GridState s{{}, {18}, {20}};
             EditOutcome o = runRowOperation(f, s, [](GridState& g) { return movePlacesTo(g, "1"); });
             // The panel's state is left as it came.
             EXPECT_EQ(s.selectedRows, std::vector<int>{18});
             EXPECT_EQ(s.belowStandardRows, std::vector<int>{20});
             return o;
         }},
        {"delete",
         [](const WorksheetFiles& f) {
             GridState s{{}, {0}, {}};
             return runRowOperation(f, s, deletePlaces);
         }},
    };
    for (const Case& c : cases) {
        Site site;
        site.blockRewrite();
        EditOutcome o = c.run(site.files);
        EXPECT_TRUE(o.failed) << c.name;
        EXPECT_FALSE(o.changed) << c.name;
        ASSERT_FALSE(o.messages.empty()) << c.name;
        // The worksheet is read-only: the reason of a refused write.
        EXPECT_EQ(o.messages.back(), (PanelMessage{std::string(kWorksheetNotSaved) + "\n" +
                                                       site.files.worksheet.string() + "\n" + errorReason(EACCES),
                                                   true}))
            << c.name;
        EXPECT_EQ(site.worksheet(), site.original) << c.name;
    }
    // A worksheet that cannot be read is reported as well.
    Site gone;
    fs::remove(gone.files.worksheet);
    EditOutcome o = roundWorksheetFile(gone.files);
    EXPECT_TRUE(o.failed);
    EXPECT_EQ(o.messages.at(0).text,
              std::string(kWorksheetNotRead) + "\n" + gone.files.worksheet.string() + "\n" + errorReason(ENOENT));
    EXPECT_FALSE(fs::exists(gone.files.worksheet));
}

TEST(WorksheetEdits, RowOperationSavesOnceAndHandsBackTheNewState) {
    Site site(5);
    GridState s{{}, {24, 25, 26, 27, 28, 29}, {26}};
    EditOutcome o = runRowOperation(site.files, s, [](GridState& g) { return movePlacesTo(g, "1"); });
    EXPECT_TRUE(o.changed);
    EXPECT_TRUE(o.showProgress);
    EXPECT_EQ(s.belowStandardRows, std::vector<int>{2});
    EXPECT_EQ(site.worksheet(), s.worksheet.serialize());
    EXPECT_EQ(placeNameOf(s.worksheet.line(0, BlockRow::Frequency)), "P5");

    // A refused request leaves the file untouched and reports its message.
    GridState none{{}, {}, {}};
    const std::string before = site.worksheet();
    o = runRowOperation(site.files, none, [](GridState& g) { return movePlaces(g, MoveDirection::Up); });
    EXPECT_FALSE(o.changed);
    EXPECT_EQ(o.messages, (PanelMessages{{kNoRowsToMove, false}}));
    EXPECT_EQ(site.worksheet(), before);
}

TEST(WorksheetEdits, DeleteRecountsTheChannelsInUseForTheNextCsv) {
    Site site;
    AggregationSummary current;
    WorksheetDocument ws;
    ASSERT_TRUE(ws.load(site.files.worksheet));
    current = summaryFromWorksheet(ws);
    ASSERT_EQ(current.channelHasValue[1], 1);

    GridState s{{}, {12}, {}};  // place 3, the only one with a value on UHF 14
    ASSERT_TRUE(runRowOperation(site.files, s, deletePlaces).changed);
    ASSERT_TRUE(recountChannelsInUse(site.files, current));
    EXPECT_EQ(current.channelHasValue[0], 1);
    EXPECT_EQ(current.channelHasValue[1], 0);

    const fs::path out = site.dir / "out.csv";
    std::array<std::string, kChannelCount> names{};
    EditOutcome o = writeCsvFile(site.files, out, current.channelHasValue, names);
    EXPECT_EQ(o.messages, (PanelMessages{{kCsvDone, false}}));
    EXPECT_EQ(std::string(splitLines(test::readFile(out))[0]), test::cp("No,測定場所,レベルオフセット(dB),13"));
}

TEST(WorksheetEdits, CsvCompletionOnlyWhenWrittenCompletely) {
    Site site;
    std::array<int, kChannelCount> inUse{};
    inUse[0] = 1;
    std::array<std::string, kChannelCount> names{};

    // An existing file is replaced without asking.
    const fs::path out = site.dir / "report.csv";
    test::writeFile(out, "old content that is longer than nothing");
    EditOutcome o = writeCsvFile(site.files, out, inUse, names);
    EXPECT_EQ(o.messages, (PanelMessages{{kCsvDone, false}}));
    EXPECT_EQ(splitLines(test::readFile(out)).size(), 1u + 4 * 6);

    struct Case {
        const char* name;
        fs::path out;
        int reason;
    } failures[] = {
        {"missing folder", site.dir / "no such folder" / "out.csv", ENOENT},
        {"a folder", site.dir.path(), EISDIR},
        {"through a file", out / "out.csv", ENOTDIR},
    };
    for (const Case& c : failures) {
        o = writeCsvFile(site.files, c.out, inUse, names);
        EXPECT_TRUE(o.failed) << c.name;
        EXPECT_EQ(
            o.messages,
            (PanelMessages{{std::string(kCsvFailed) + "\n" + c.out.string() + "\n" + errorReason(c.reason), true}}))
            << c.name;
    }

    fs::remove(site.files.worksheet);
    o = writeCsvFile(site.files, out, inUse, names);
    EXPECT_TRUE(o.failed);
    EXPECT_EQ(o.messages.at(0).text,
              std::string(kWorksheetNotRead) + "\n" + site.files.worksheet.string() + "\n" + errorReason(ENOENT));
    EXPECT_EQ(splitLines(test::readFile(out)).size(), 1u + 4 * 6);  // the earlier output is kept
}

// Whatever ends the lines of worksheet.csv, the operations take it as its CR LF form:
// the same CSV output, the same channels in use, and a rewrite that writes CR LF.
TEST(WorksheetEdits, OtherLineEndsGiveWhatTheirCrLfFormGives) {
    Site site(3);
    std::array<int, kChannelCount> inUse{};
    inUse[0] = inUse[1] = 1;
    std::array<std::string, kChannelCount> names{};
    names[0] = "NHK";
    const fs::path out = site.dir / "out.csv";
    auto outputs = [&](const std::string& bytes) {
        std::vector<std::string> results;
        test::writeFile(site.files.worksheet, bytes);
        EXPECT_TRUE(writeCsvFile(site.files, out, inUse, names).changed);
        results.push_back(test::readFile(out));
        AggregationSummary current;
        EXPECT_TRUE(recountChannelsInUse(site.files, current));
        results.emplace_back(current.channelHasValue.begin(), current.channelHasValue.end());
        EXPECT_TRUE(roundWorksheetFile(site.files).changed);
        results.push_back(site.worksheet());
        return results;
    };
    for (const test::LineEndCase& c : test::lineEndCases(site.original))
        EXPECT_EQ(outputs(c.bytes), outputs(c.asCrLf)) << c.name;
}

TEST(WorksheetEdits, ResetAfterOffsetMoveAndDeleteGivesTheStateAfterReading) {
    Site site(5);
    // The end of a reading run: the reset copy and both sets.
    ASSERT_TRUE(copyFileReplacing(site.files.worksheet, site.files.reset));
    WorksheetDocument ws;
    ASSERT_TRUE(ws.load(site.files.worksheet));
    SummarySets sets;
    sets.takeRun(summaryFromWorksheet(ws));
    const AggregationSummary afterReading = sets.current;

    offsetWorksheetFile(site.files, OffsetRequest{"10", OffsetSign::Minus, kOffsetGroupAll, 0, 29});
    GridState s{{}, {24}, {}};
    runRowOperation(site.files, s, [](GridState& g) { return movePlacesTo(g, "1"); });
    s.selectedRows = {12};
    runRowOperation(site.files, s, deletePlaces);
    recountChannelsInUse(site.files, sets.current);
    sets.current.columnHasValue[5] = 1;  // a channel chosen in the channel settings
    sets.current.berPresent = 1;
    ASSERT_NE(site.worksheet(), site.original);

    ASSERT_TRUE(resetWorksheet(site.files, sets));
    EXPECT_EQ(site.worksheet(), site.original);
    EXPECT_EQ(sets.current.channelHasValue, afterReading.channelHasValue);
    EXPECT_EQ(sets.current.columnHasValue, afterReading.columnHasValue);
    EXPECT_EQ(sets.current.berPresent, 1);  // the presence flags are not restored

    // Without a reset copy the worksheet stays and the flags are restored all the same.
    fs::remove(site.files.reset);
    offsetWorksheetFile(site.files, OffsetRequest{"1", OffsetSign::Plus, 0, 0, 29});
    const std::string changed = site.worksheet();
    sets.current.channelHasValue.fill(0);
    std::string error;
    EXPECT_FALSE(resetWorksheet(site.files, sets, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(site.worksheet(), changed);
    EXPECT_EQ(sets.current.channelHasValue, afterReading.channelHasValue);
}

}  // namespace
}  // namespace mireva
