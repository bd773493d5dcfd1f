// bench-libs: mireva_panel
// The worksheet operations on a generated 2,000-place worksheet, each with its file
// rewrite (read, change, write through the scratch file, sync, rename), next to
// copying the worksheet file the same way: moving the last place to place 1, a level
// offset over every place and every band, rounding, and the CSV output; and the undo
// history: an offset with its bookkeeping (keeping the states before and after), and
// undo and redo of it.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <unistd.h>

#include "core/aggregation_summary.h"
#include "core/data_locations.h"
#include "core/file_io.h"
#include "core/worksheet_document.h"
#include "panel/worksheet_edits.h"
#include "panel/worksheet_history.h"
#include "support/site_generator.h"

namespace {
namespace fs = std::filesystem;
using namespace mireva;

constexpr int kPlaces = 2000;

// The benchmark's own folder, removed when the program ends.
struct BenchFolder {
    fs::path path;
    ~BenchFolder() {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
};

const fs::path& folder() {
    static const BenchFolder dir{[] {
        fs::path d = fs::temp_directory_path() / ("mireva-bench-panel-" + std::to_string(::getpid()));
        fs::create_directories(d);
        bench::generateWorksheet(d / "generated.csv", kPlaces, 11);
        return d;
    }()};
    return dir.path;
}

// A fresh copy of the generated worksheet as the data folder's worksheet.csv.
WorksheetFiles freshFiles() {
    WorksheetFiles files = WorksheetFiles::of(DataLocations(folder()));
    copyFileReplacing(folder() / "generated.csv", files.worksheet);
    return files;
}

void setBytes(benchmark::State& state, const fs::path& file) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(fs::file_size(file)));
}

void BM_CopyWorksheetFile(benchmark::State& state) {
    WorksheetFiles files = freshFiles();
    for (auto _ : state) copyFileReplacing(files.worksheet, folder() / "copy.csv");
    setBytes(state, files.worksheet);
}

void BM_MoveLastPlaceToPlaceOne(benchmark::State& state) {
    WorksheetFiles files = freshFiles();
    std::vector<int> lastPlace;
    for (int r = 0; r < 6; ++r) lastPlace.push_back((kPlaces - 1) * 6 + r);
    for (auto _ : state) {
        GridState grid{{}, lastPlace, {(kPlaces - 1) * 6 + 2, 8}};
        EditOutcome o = runRowOperation(files, grid, [](GridState& g) { return movePlacesTo(g, "1"); });
        if (!o.changed) state.SkipWithError("the move did not rewrite the worksheet");
    }
    setBytes(state, files.worksheet);
}

void BM_DeleteEveryOtherOfTheFirst1000Rows(benchmark::State& state) {
    std::vector<int> rows;
    for (int p = 0; p < 166; p += 2) rows.push_back(p * 6);
    for (auto _ : state) {
        state.PauseTiming();
        WorksheetFiles files = freshFiles();
        state.ResumeTiming();
        GridState grid{{}, rows, {}};
        runRowOperation(files, grid, deletePlaces);
    }
}

void BM_OffsetAllPlacesAllBands(benchmark::State& state) {
    WorksheetFiles files = freshFiles();
    const OffsetRequest request{"0.1", OffsetSign::Plus, kOffsetGroupAll, 0, kPlaces * 6 - 1};
    for (auto _ : state) {
        EditOutcome o = offsetWorksheetFile(files, request);
        if (!o.changed) state.SkipWithError("the offset did not rewrite the worksheet");
    }
    setBytes(state, files.worksheet);
}

void BM_RoundAllLevels(benchmark::State& state) {
    WorksheetFiles files = freshFiles();
    for (auto _ : state) roundWorksheetFile(files);
    setBytes(state, files.worksheet);
}

void BM_CsvOutput(benchmark::State& state) {
    WorksheetFiles files = freshFiles();
    WorksheetDocument ws;
    ws.load(files.worksheet);
    const AggregationSummary inUse = summaryFromWorksheet(ws);
    std::array<std::string, kChannelCount> names{};
    for (auto _ : state) writeCsvFile(files, folder() / "out.csv", inUse.channelHasValue, names);
    setBytes(state, files.worksheet);
    state.counters["channels"] = [&] {
        int n = 0;
        for (int v : inUse.channelHasValue) n += v != 0;
        return n;
    }();
}

// The offset of BM_OffsetAllPlacesAllBands with the history's bookkeeping around it, as
// the main panel does it: the state before is kept, the edit runs, the state after is kept.
void BM_OffsetWithHistory(benchmark::State& state) {
    WorksheetFiles files = freshFiles();
    WorksheetHistory history(folder() / "history");
    const OffsetRequest request{"0.1", OffsetSign::Plus, kOffsetGroupAll, 0, kPlaces * 6 - 1};
    for (auto _ : state) {
        history.prepare(files.worksheet);
        EditOutcome o = offsetWorksheetFile(files, request);
        if (!o.changed) state.SkipWithError("the offset did not rewrite the worksheet");
        if (!history.record(EditKind::Offset, files.worksheet, {}, {})) state.SkipWithError("not recorded");
    }
    setBytes(state, files.worksheet);
}

// Undo and redo of one offset step over the 2,000-place worksheet, in turn.
void BM_UndoRedoOffset(benchmark::State& state) {
    WorksheetFiles files = freshFiles();
    WorksheetHistory history(folder() / "history-undo");
    const OffsetRequest request{"0.1", OffsetSign::Plus, kOffsetGroupAll, 0, kPlaces * 6 - 1};
    history.prepare(files.worksheet);
    offsetWorksheetFile(files, request);
    history.record(EditKind::Offset, files.worksheet, {}, {});
    bool undoNext = true;
    for (auto _ : state) {
        const HistoryMove m = undoNext ? history.undo(files) : history.redo(files);
        if (!m.done) state.SkipWithError("the history could not move");
        undoNext = !undoNext;
    }
    setBytes(state, files.worksheet);
}

BENCHMARK(BM_CopyWorksheetFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MoveLastPlaceToPlaceOne)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeleteEveryOtherOfTheFirst1000Rows)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OffsetAllPlacesAllBands)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RoundAllLevels)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CsvOutput)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OffsetWithHistory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoRedoOffset)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
