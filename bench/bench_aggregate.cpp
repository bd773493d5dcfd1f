// bench-libs: mireva_ingest
// Aggregation of a generated 2,000-place site (about 6,000 meter files) next to the
// time to merely read the same files' bytes, and next to that plus writing a worksheet
// of the run's size through a synced scratch file (the I/O a run cannot avoid); and
// the peak heap of a run for sites of different sizes (it must not grow with the
// number of places).
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <new>
#include <string>
#include <vector>

#include <unistd.h>

#include "core/file_io.h"
#include "ingest/aggregation_run.h"
#include "ingest/location_table.h"
#include "support/site_generator.h"

namespace {
namespace fs = std::filesystem;

std::atomic<long long> liveBytes{0};
std::atomic<long long> peakBytes{0};

void noteAllocation(long long n) {
    long long now = liveBytes.fetch_add(n) + n;
    long long peak = peakBytes.load();
    while (now > peak && !peakBytes.compare_exchange_weak(peak, now)) {}
}

}  // namespace

// Heap accounting for the peak-memory figure: every block carries its size in front.
void* operator new(std::size_t n) {
    void* p = std::malloc(n + 16);
    if (!p) throw std::bad_alloc();
    *static_cast<std::size_t*>(p) = n;
    noteAllocation(static_cast<long long>(n));
    return static_cast<char*>(p) + 16;
}
void operator delete(void* p) noexcept {
    if (!p) return;
    char* block = static_cast<char*>(p) - 16;
    liveBytes.fetch_sub(static_cast<long long>(*reinterpret_cast<std::size_t*>(block)));
    std::free(block);
}
void operator delete(void* p, std::size_t) noexcept { operator delete(p); }

namespace {

// One generated site per size for the whole process, removed at exit.
struct Site {
    fs::path folder;
    std::vector<fs::path> files;  // every meter file the table lists that exists
};

const Site& site(int places) {
    static std::map<int, Site> sites;
    auto it = sites.find(places);
    if (it != sites.end()) return it->second;
    Site s;
    s.folder = fs::temp_directory_path() /
               ("mireva-bench-aggregate-" + std::to_string(::getpid()) + "-" + std::to_string(places));
    fs::remove_all(s.folder);
    mireva::bench::generateSite(s.folder, places, 42);
    mireva::LocationTable table;
    table.load(s.folder / "list.csv");
    for (size_t i = 0; i < table.size(); ++i) {
        const mireva::LocationItem item = table.item(i);
        fs::path p = s.folder / "data" / item.dataType / item.date / item.fileType / item.fileName;
        if (fs::exists(p)) s.files.push_back(p);
    }
    static struct Cleanup {
        ~Cleanup() {
            for (auto& [n, s] : sites) fs::remove_all(s.folder);
        }
    } cleanup;
    return sites.emplace(places, std::move(s)).first->second;
}

mireva::RunRecord recordFor(const Site& s) {
    mireva::RunRecord record;
    record.channelWanted.fill(1);
    record.dataFolder = s.folder / "data";
    record.locationTablePath = s.folder / "list.csv";
    record.errorLogPath = s.folder / "errorlog.csv";
    record.worksheetPath = s.folder / "worksheet.csv";
    return record;
}

// Reads the location table and every meter file of the site; returns the bytes read.
size_t readSiteBytes(const Site& s, std::string& content) {
    mireva::readWholeFile(s.folder / "list.csv", content);
    size_t bytes = content.size();
    for (const fs::path& p : s.files) {
        mireva::readWholeFile(p, content);
        bytes += content.size();
    }
    return bytes;
}

void BM_ReadBytes(benchmark::State& state) {
    const Site& s = site(static_cast<int>(state.range(0)));
    std::string content;
    size_t bytes = 0;
    for (auto _ : state) {
        bytes = readSiteBytes(s, content);
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["files"] = static_cast<double>(s.files.size());
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}

// The bytes of the site plus the worksheet the run writes from them, written the way
// the run writes it: scratch file beside the target, synced, renamed over it.
void BM_ReadBytesAndWriteWorksheet(benchmark::State& state) {
    const Site& s = site(static_cast<int>(state.range(0)));
    mireva::RunRecord record = recordFor(s);
    if (mireva::aggregationRun(record, [](const mireva::Sj&) {}) != 0) {
        state.SkipWithError("the run was aborted");
        return;
    }
    std::string worksheet;
    mireva::readWholeFile(record.worksheetPath, worksheet);
    const fs::path copy = s.folder / "worksheet-copy.csv";
    std::string content;
    for (auto _ : state) {
        benchmark::DoNotOptimize(readSiteBytes(s, content));
        if (!mireva::replaceFileContent(copy, worksheet)) state.SkipWithError("cannot write the worksheet copy");
    }
    state.counters["worksheet_MB"] = static_cast<double>(worksheet.size()) / 1e6;
}

void BM_Aggregate(benchmark::State& state) {
    const Site& s = site(static_cast<int>(state.range(0)));
    long long peak = 0;
    int places = 0;
    for (auto _ : state) {
        mireva::RunRecord record = recordFor(s);
        long long before = liveBytes.load();
        peakBytes.store(before);
        int result = mireva::aggregationRun(record, [](const mireva::Sj&) {});
        peak = peakBytes.load() - before;
        places = record.placesWritten;
        if (result != 0) state.SkipWithError("the run was aborted");
    }
    state.counters["places"] = places;
    state.counters["peak_heap_MB"] = static_cast<double>(peak) / 1e6;
}

}  // namespace

BENCHMARK(BM_ReadBytes)->Arg(2000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadBytesAndWriteWorksheet)->Arg(2000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Aggregate)->Arg(2000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Aggregate)->Arg(500)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
