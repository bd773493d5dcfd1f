// bench-libs: mireva_ingest
// The location table editor on a large site: loading, writing, and adding the files
// of a meter folder to a list that already holds most of them.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "core/cp932.h"
#include "ingest/location_table_writer.h"
#include "ingest/meter_folder_scan.h"

namespace {
using namespace mireva;
namespace fs = std::filesystem;

std::vector<LocationTableRow> makeRows(int count) {
    std::vector<LocationTableRow> rows;
    rows.reserve(static_cast<size_t>(count));
    const std::string floor = toCp932("階").bytes;
    for (int i = 0; i < count; ++i) {
        LocationTableRow r;
        r.field = {std::to_string(i + 1),
                   i % 3 ? "SINGLE" : "MULTI",
                   "20130405",
                   "CSV",
                   "S" + std::to_string(100000 + i) + ".csv",
                   std::to_string(i / 40 + 1) + floor,
                   std::to_string(i % 40 + 101)};
        rows.push_back(std::move(r));
    }
    return rows;
}

void BM_FormatAndParse(benchmark::State& state) {
    std::vector<LocationTableRow> rows = makeRows(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::string text = formatLocationTable(rows);
        benchmark::DoNotOptimize(parseLocationTableRows(text));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_FormatAndParse)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);

void BM_ScanFolderAgainstFullList(benchmark::State& state) {
    const int files = static_cast<int>(state.range(0));
    fs::path root = fs::temp_directory_path() / ("mireva-bench-scan-" + std::to_string(::getpid()));
    std::vector<LocationTableRow> listed = makeRows(files);
    for (const LocationTableRow& r : listed) {
        fs::path dir = root / r[kColDataType] / r[kColDate] / "CSV";
        fs::create_directories(dir);
        std::FILE* f = std::fopen((dir / r[kColFileName]).c_str(), "wb");
        if (f) std::fclose(f);
    }
    listed.resize(listed.size() * 9 / 10);  // a tenth is new
    for (auto _ : state) {
        MeterFolderScan scan = scanMeterFolder(root);
        benchmark::DoNotOptimize(rowsNotYetListed(listed, scan.files));
    }
    state.SetItemsProcessed(state.iterations() * files);
    fs::remove_all(root);
}
BENCHMARK(BM_ScanFolderAgainstFullList)->Arg(2000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
