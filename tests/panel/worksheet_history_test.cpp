// The worksheet history: sequences of edits undone and redone byte for byte, the redo
// steps a new edit drops, the limits that drop the oldest steps, and an undo that
// cannot be carried out.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/file_io.h"
#include "panel/worksheet_edits.h"
#include "panel/worksheet_history.h"
#include "support/test_support.h"
#include "worksheet_fixture.h"

namespace mireva {
namespace {

namespace fs = std::filesystem;

std::string fivePlaces() {
    return test::makeWorksheet(
               5,
               [](int p, BlockRow row, int c) -> std::string {
                   if (row != BlockRow::Level) return c == 0 ? "473.14" : test::none();
                   if (c == 0) return std::to_string(40 + p) + ".5";
                   if (c == 1 && p == 2) return "50.4";
                   return test::none();
               },
               2)
        .serialize();
}

struct Edit {
    EditKind kind;
    std::function<bool(const WorksheetFiles&, SummarySets&)> run;  // true when the file was rewritten
};

Edit offsetPlaces(int firstRow, int lastRow) {
    return {EditKind::Offset, [=](const WorksheetFiles& f, SummarySets&) {
                return offsetWorksheetFile(f, {"1.0", OffsetSign::Plus, kOffsetGroupAll, firstRow, lastRow}).changed;
            }};
}
Edit moveTo(std::vector<int> rows, std::string target) {
    return {EditKind::Move, [=](const WorksheetFiles& f, SummarySets&) {
                GridState g{{}, rows, {}};
                return runRowOperation(f, g, [&](GridState& s) { return movePlacesTo(s, target); }).changed;
            }};
}
Edit deleteRows(std::vector<int> rows) {
    return {EditKind::Delete, [=](const WorksheetFiles& f, SummarySets& sets) {
                GridState g{{}, rows, {}};
                const bool changed = runRowOperation(f, g, deletePlaces).changed;
                recountChannelsInUse(f, sets.current);
                return changed;
            }};
}
Edit roundLevels() {
    return {EditKind::Round, [](const WorksheetFiles& f, SummarySets&) { return roundWorksheetFile(f).changed; }};
}
Edit reset() {
    return {EditKind::Reset, [](const WorksheetFiles& f, SummarySets& sets) { return resetWorksheet(f, sets); }};
}

class HistoryTest : public ::testing::Test {
protected:
    void SetUp() override {
        files = WorksheetFiles::of(DataLocations(dir.dataFolder()));
        original = fivePlaces();
        test::writeFile(files.worksheet, original);
        test::writeFile(files.reset, original);
        WorksheetDocument ws;
        ws.parse(original);
        sets.takeRun(summaryFromWorksheet(ws));
    }
    PanelView view(int tag) const {
        PanelView v;
        v.selectedRows = {tag};
        v.currentRow = tag;
        v.summary = sets.current;
        return v;
    }
    // Runs the edit through the history; the worksheet's bytes after it.
    std::string apply(WorksheetHistory& h, const Edit& e, int tag) {
        EXPECT_TRUE(h.prepare(files.worksheet));
        PanelView before = view(tag);
        EXPECT_TRUE(e.run(files, sets));
        EXPECT_TRUE(h.record(e.kind, files.worksheet, before, view(tag + 1000)));
        return test::readFile(files.worksheet);
    }

    test::TempDir dir;
    WorksheetFiles files;
    std::string original;
    SummarySets sets;
    fs::path folder() const { return dir.dataFolder() / "worksheet_history"; }
};

TEST_F(HistoryTest, UndoAllGivesTheOriginalAndRedoAllTheEditedBytes) {
    const struct {
        const char* name;
        std::vector<Edit> edits;
    } cases[] = {
        {"offset", {offsetPlaces(0, 29)}},
        {"move to", {moveTo({24, 25, 26, 27, 28, 29}, "1")}},
        {"delete", {deleteRows({0, 12})}},
        {"round", {roundLevels()}},
        {"reset after offset", {offsetPlaces(6, 11), reset()}},
        {"mixed",
         {offsetPlaces(0, 5), moveTo({0}, "4"), roundLevels(), deleteRows({6}), offsetPlaces(0, 23), reset(),
          roundLevels()}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::writeFile(files.worksheet, original);
        WorksheetHistory h(folder());
        std::vector<std::string> bytes{original};
        for (size_t i = 0; i < c.edits.size(); ++i) bytes.push_back(apply(h, c.edits[i], static_cast<int>(i)));
        ASSERT_EQ(h.undoCount(), c.edits.size());
        for (size_t i = c.edits.size(); i > 0; --i) {
            ASSERT_TRUE(h.canUndo());
            EXPECT_EQ(h.undoKind(), c.edits[i - 1].kind);
            const HistoryMove m = h.undo(files);
            ASSERT_TRUE(m.done) << m.error;
            EXPECT_EQ(test::readFile(files.worksheet), bytes[i - 1]);
            EXPECT_EQ(m.view.selectedRows, std::vector<int>{static_cast<int>(i - 1)});  // the view before the step
        }
        EXPECT_FALSE(h.canUndo());
        EXPECT_EQ(test::readFile(files.worksheet), original);
        for (size_t i = 1; i <= c.edits.size(); ++i) {
            EXPECT_EQ(h.redoKind(), c.edits[i - 1].kind);
            const HistoryMove m = h.redo(files);
            ASSERT_TRUE(m.done) << m.error;
            EXPECT_EQ(test::readFile(files.worksheet), bytes[i]);
            EXPECT_EQ(m.view.currentRow, static_cast<int>(i - 1 + 1000));  // the view after the step
        }
        EXPECT_FALSE(h.canRedo());
    }
}

TEST_F(HistoryTest, DeleteUndoneBringsBackTheUsedChannels) {
    WorksheetHistory h(folder());
    const AggregationSummary before = sets.current;
    apply(h, deleteRows({12}), 0);  // place 3 holds the only value of channel 1
    ASSERT_NE(sets.current.channelHasValue[1], before.channelHasValue[1]);
    const HistoryMove m = h.undo(files);
    ASSERT_TRUE(m.done);
    EXPECT_TRUE(m.summaryChanged);
    EXPECT_EQ(m.view.summary, before);
}

TEST_F(HistoryTest, ANewEditAfterUndoDropsTheRedoSteps) {
    WorksheetHistory h(folder());
    apply(h, offsetPlaces(0, 5), 0);
    apply(h, roundLevels(), 1);
    ASSERT_TRUE(h.undo(files).done);
    ASSERT_TRUE(h.canRedo());
    const std::string edited = apply(h, moveTo({6}, "1"), 2);
    EXPECT_FALSE(h.canRedo());
    EXPECT_EQ(h.stepCount(), 2u);
    EXPECT_FALSE(h.redo(files).done);
    EXPECT_EQ(test::readFile(files.worksheet), edited);
    EXPECT_EQ(h.undoKind(), EditKind::Move);
}

TEST_F(HistoryTest, LimitsDropTheOldestSteps) {
    const std::uintmax_t size = original.size();
    const struct {
        const char* name;
        WorksheetHistory::Limits limits;
        size_t kept;
    } cases[] = {
        {"step count", {3, 1ull << 40}, 3},
        {"byte budget", {100, size * 3 + size / 2}, 2},  // three states of about one size each
        {"budget below one step keeps the newest", {100, 1}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::writeFile(files.worksheet, original);
        WorksheetHistory h(folder(), c.limits);
        std::vector<std::string> bytes{original};
        for (int i = 0; i < 6; ++i) bytes.push_back(apply(h, offsetPlaces(0, 5), i));
        EXPECT_EQ(h.stepCount(), c.kept);
        EXPECT_LE(std::distance(fs::directory_iterator(folder()), fs::directory_iterator()),
                  static_cast<std::ptrdiff_t>(c.kept + 1));
        while (h.canUndo()) ASSERT_TRUE(h.undo(files).done);
        EXPECT_EQ(test::readFile(files.worksheet), bytes[6 - c.kept]);  // the oldest kept state
    }
}

TEST_F(HistoryTest, AFailedUndoLeavesTheWorksheetAndTheHistory) {
    WorksheetHistory h(folder());
    apply(h, offsetPlaces(0, 5), 0);
    const std::string edited = apply(h, roundLevels(), 1);
    // The snapshot before the last step is gone.
    for (const auto& e : fs::directory_iterator(folder())) {
        if (test::readFile(e.path()) != edited) fs::remove(e.path());
    }
    const HistoryMove m = h.undo(files);
    EXPECT_FALSE(m.done);
    EXPECT_FALSE(m.error.empty());
    EXPECT_EQ(test::readFile(files.worksheet), edited);
    for (const auto& e : fs::directory_iterator(files.worksheet.parent_path()))
        EXPECT_NE(e.path().filename().string().rfind(".mireva-", 0), 0u) << "scratch file left: " << e.path();
    EXPECT_EQ(h.undoCount(), 2u);
}

TEST_F(HistoryTest, ClearAndTheEndOfTheProgramRemoveTheSnapshots) {
    {
        WorksheetHistory h(folder());
        apply(h, offsetPlaces(0, 5), 0);
        h.clear();
        EXPECT_FALSE(h.canUndo());
        EXPECT_TRUE(fs::is_empty(folder()));
        apply(h, offsetPlaces(0, 5), 1);
    }
    EXPECT_FALSE(fs::exists(folder()));
    // Files an earlier run left behind are removed when a history starts.
    fs::create_directories(folder());
    test::writeFile(folder() / "state_1.csv", "old");
    WorksheetHistory h(folder());
    EXPECT_FALSE(fs::exists(folder() / "state_1.csv"));
}

}  // namespace
}  // namespace mireva
