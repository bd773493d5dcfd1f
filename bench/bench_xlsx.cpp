// bench-libs: mireva_excel
// The report's workbook of a generated 2,000-place worksheet with 150 selected
// channels (3,202 sheets), with every channel holding a value (4,802 sheets) and with
// all 510 channels selected (9,202 sheets, empty columns too): the
// time to build and write it, the peak resident memory of the process and the most
// files it held open while it is written.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "core/aggregation_summary.h"
#include "core/worksheet_document.h"
#include "excel/workbook_export.h"
#include "reports/page_plan.h"
#include "support/site_generator.h"

namespace {
namespace fs = std::filesystem;

struct Fixture {
    fs::path folder;
    mireva::WorksheetDocument worksheet;
    mireva::AggregationSummary selection;     // 150 channels
    mireva::AggregationSummary allChannels;   // every channel holding a value
    mireva::AggregationSummary everyChannel;  // all 510 channels selected, empty ones too

    Fixture() {
        folder = fs::temp_directory_path() / ("mireva-bench-xlsx-" + std::to_string(getpid()));
        fs::create_directories(folder);
        mireva::bench::generateWorksheet(folder / "worksheet.csv", 2000, 7);
        worksheet.load(folder / "worksheet.csv");
        selection = mireva::summaryFromWorksheet(worksheet);
        allChannels = selection;
        everyChannel = selection;
        for (auto& v : everyChannel.channelHasValue) v = 1;
        for (auto& v : everyChannel.columnHasValue) v = 1;
        // Keep 150 of the channels that hold values, spread over the bands.
        int selected = 0;
        for (int v : selection.channelHasValue) selected += v ? 1 : 0;
        int kept = 0, seen = 0;
        for (auto& v : selection.channelHasValue) {
            if (!v) continue;
            // Evenly thinned: keep a channel when the kept share falls behind 150/selected.
            if (kept < 150 && static_cast<long long>(kept) * selected <= static_cast<long long>(seen) * 150)
                ++kept;
            else
                v = 0;
            ++seen;
        }
    }
    ~Fixture() {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

// Peak resident set since the last reset (Linux: VmHWM, reset through clear_refs).
void resetPeakMemory() { std::ofstream("/proc/self/clear_refs") << "5"; }
long long statusKiB(const char* key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(key, 0) == 0) return std::stoll(line.substr(std::string(key).size()));
    return 0;
}

long long openFiles() {
    long long n = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator("/proc/self/fd")) ++n;
    return n;
}

void runWorkbook(benchmark::State& state, const mireva::AggregationSummary& selection) {
    Fixture& f = fixture();
    mireva::excel::WorkbookInputs in;
    in.worksheet = &f.worksheet;
    in.selection = selection;
    in.settings = mireva::ReportSettings::defaults();
    const fs::path out = f.folder / "book.xlsx";
    int sheets = 0;
    long long mostOpen = 0;
    const double rssBefore = static_cast<double>(statusKiB("VmRSS:")) / 1024.0;
    resetPeakMemory();
    for (auto _ : state) {
        // The files open, looked at every 100 sheets.
        mireva::excel::ExportOutcome outcome = mireva::excel::exportWorkbook(in, out, [&](int done, int) {
            if (done % 100 == 0) mostOpen = std::max(mostOpen, openFiles());
            return true;
        });
        if (!outcome.written) {
            state.SkipWithError(outcome.error.c_str());
            return;
        }
        sheets = outcome.sheetCount;
    }
    int channels = 0;
    for (int v : selection.channelHasValue) channels += v ? 1 : 0;
    state.counters["sheets"] = sheets;
    state.counters["channels"] = channels;
    state.counters["peak_rss_MiB"] = static_cast<double>(statusKiB("VmHWM:")) / 1024.0;
    state.counters["rss_before_MiB"] = rssBefore;
    state.counters["file_MiB"] = static_cast<double>(fs::file_size(out)) / (1024.0 * 1024.0);
    state.counters["open_files"] = static_cast<double>(mostOpen);
}

void BM_Workbook2000Places150Channels(benchmark::State& state) { runWorkbook(state, fixture().selection); }
BENCHMARK(BM_Workbook2000Places150Channels)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();

void BM_Workbook2000PlacesAllChannels(benchmark::State& state) { runWorkbook(state, fixture().allChannels); }
BENCHMARK(BM_Workbook2000PlacesAllChannels)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();

void BM_Workbook2000PlacesEveryChannelSelected(benchmark::State& state) { runWorkbook(state, fixture().everyChannel); }
BENCHMARK(BM_Workbook2000PlacesEveryChannelSelected)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();

// The sheets alone, built and dropped: what the layout costs without the file.
void BM_Sheets2000Places150Channels(benchmark::State& state) {
    Fixture& f = fixture();
    mireva::excel::WorkbookInputs in;
    in.worksheet = &f.worksheet;
    in.selection = f.selection;
    in.settings = mireva::ReportSettings::defaults();
    for (auto _ : state) {
        long long cells = 0;
        mireva::excel::buildWorkbook(in, [&](const mireva::excel::SheetModel& s) {
            cells += static_cast<long long>(s.rowCount()) * s.columnCount();
            return true;
        });
        benchmark::DoNotOptimize(cells);
    }
}
BENCHMARK(BM_Sheets2000Places150Channels)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

BENCHMARK_MAIN();
