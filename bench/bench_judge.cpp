// bench-libs: mireva_standards
// The below-standard judgement of a generated 2,000-place worksheet: judging the
// document held in memory (what every grid refresh does), loading and judging the
// file, and the worst case where nearly every level is listed.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <unistd.h>

#include "core/worksheet_document.h"
#include "standards/judgement.h"
#include "support/site_generator.h"

namespace {
namespace fs = std::filesystem;

const fs::path& worksheetPath() {
    static const fs::path path = [] {
        fs::path dir = fs::temp_directory_path() / ("mireva-bench-judge-" + std::to_string(::getpid()));
        fs::create_directories(dir);
        fs::path p = dir / "worksheet.csv";
        mireva::bench::generateWorksheet(p, 2000, 7);
        return p;
    }();
    return path;
}

mireva::StandardValues standardsAt(const char* value) {
    mireva::StandardValues v;
    v.fill(value);
    return v;
}

void judgeInMemory(benchmark::State& state, const char* standard) {
    mireva::WorksheetDocument doc;
    doc.load(worksheetPath());
    const mireva::StandardValues standards = standardsAt(standard);
    size_t listed = 0;
    for (auto _ : state) {
        mireva::JudgementResult result;
        mireva::judge(doc, standards, result);
        listed = result.belowStandardDetails.size();
        benchmark::DoNotOptimize(result);
    }
    state.counters["places"] = doc.placeCount();
    state.counters["placesListed"] = static_cast<double>(listed);
}

void BM_JudgeDocument_Standard50(benchmark::State& state) { judgeInMemory(state, "50"); }
void BM_JudgeDocument_EverythingBelow(benchmark::State& state) { judgeInMemory(state, "200"); }

void BM_LoadAndJudgeFile(benchmark::State& state) {
    const mireva::StandardValues standards = standardsAt("50");
    for (auto _ : state) {
        mireva::JudgementResult result;
        mireva::judgeFile(worksheetPath(), standards, result);
        benchmark::DoNotOptimize(result);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(fs::file_size(worksheetPath())));
}

BENCHMARK(BM_JudgeDocument_Standard50)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JudgeDocument_EverythingBelow)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadAndJudgeFile)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
