// bench-libs: mireva_reports mireva_reports_ui
// bench-ui
// The report of a generated 2,000-place worksheet with 150 selected channels (about
// 2,400 pages): the page plan, the pages drawn onto a recording canvas, and the whole
// job written as a PDF file.
#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <unistd.h>

#include "core/worksheet_document.h"
#include "reports/page_plan.h"
#include "reports/report_page_renderer.h"
#include "reports/ui/report_printing.h"
#include "support/site_generator.h"

namespace {
namespace fs = std::filesystem;
using namespace mireva;

const fs::path& benchFolder() {
    static const fs::path dir = [] {
        fs::path d = fs::temp_directory_path() / ("mireva-bench-report-" + std::to_string(::getpid()));
        fs::create_directories(d);
        bench::generateWorksheet(d / "worksheet.csv", 2000, 11);
        return d;
    }();
    return dir;
}

const WorksheetDocument& worksheet() {
    static const WorksheetDocument doc = [] {
        WorksheetDocument d;
        d.load(benchFolder() / "worksheet.csv");
        return d;
    }();
    return doc;
}

// The first 150 channels holding values, with every row shown.
AggregationSummary selection() {
    AggregationSummary s = summaryFromWorksheet(worksheet());
    int kept = 0;
    for (int& used : s.channelHasValue)
        if (used && ++kept > 150) used = 0;
    s.berPresent = s.merPresent = s.cnPresent = 1;
    return s;
}

void BM_PagePlan(benchmark::State& state) {
    const AggregationSummary s = selection();
    const int places = worksheet().placeCount();
    int pages = 0;
    for (auto _ : state) {
        PagePlan plan(s, places);
        pages = plan.pageCount();
        benchmark::DoNotOptimize(plan);
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_PagePlan)->Unit(benchmark::kMillisecond);

// What a print request does before its dialog: load the worksheet once and plan.
void BM_LoadAndPlan(benchmark::State& state) {
    const AggregationSummary s = selection();
    int pages = 0;
    for (auto _ : state) {
        ui::ReportSource source{benchFolder() / "worksheet.csv", s, {}};
        ReportPageRenderer report = ui::loadReport(source);
        pages = report.pageCount();
        benchmark::DoNotOptimize(report);
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_LoadAndPlan)->Unit(benchmark::kMillisecond);

void BM_RenderPagesRecorded(benchmark::State& state) {
    const ReportPageRenderer report(worksheet(), selection(), PrintData2());
    int page = 0;
    for (auto _ : state) {
        RecordingCanvas canvas;
        report.render(canvas, page % report.pageCount() + 1);
        ++page;
        benchmark::DoNotOptimize(canvas.calls.data());
    }
    state.counters["pages/s"] = benchmark::Counter(static_cast<double>(page), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RenderPagesRecorded)->Unit(benchmark::kMicrosecond);

void BM_WholeReportAsPdf(benchmark::State& state) {
    const ReportPageRenderer report(worksheet(), selection(), PrintData2());
    const fs::path out = benchFolder() / "report.pdf";
    double pages = 0;
    for (auto _ : state) {
        std::string error;
        if (!ui::writeReportPdf(report, out, &error)) state.SkipWithError(error.c_str());
        pages += report.pageCount();
    }
    state.counters["pages"] = report.pageCount();
    state.counters["pages/s"] = benchmark::Counter(pages, benchmark::Counter::kIsRate);
    state.counters["MB"] = static_cast<double>(fs::file_size(out)) / 1e6;
}
BENCHMARK(BM_WholeReportAsPdf)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ec;
    fs::remove_all(benchFolder(), ec);
    return 0;
}
