// bench-libs: mireva_panel_ui mireva_charts_ui
// bench-ui
// Level charts on a generated 2,000-place worksheet: the chart window following the
// grid's current row to a new place (model from the grid and the chart painted), one
// chart as a PNG file the way mireva-cli chart writes it, and the whole mireva-cli
// chart run over every place and band (when the benchmark build holds the command).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QItemSelectionModel>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "charts/level_chart_model.h"
#include "charts/ui/level_chart_image.h"
#include "charts/ui/level_chart_view.h"
#include "charts/ui/level_chart_window.h"
#include "core/app_session.h"
#include "core/cp932.h"
#include "core/worksheet_document.h"
#include "panel/ui/level_chart_feed.h"
#include "panel/ui/main_panel.h"
#include "panel/ui/worksheet_grid.h"
#include "panel/ui/worksheet_grid_model.h"
#include "settings/settings_file.h"
#include "support/site_generator.h"

namespace {
namespace fs = std::filesystem;
using namespace mireva;

fs::path g_cli;

const fs::path& dataFolder() {
    static const fs::path folder = [] {
        fs::path dir = fs::temp_directory_path() / ("mireva-bench-charts-" + std::to_string(::getpid()));
        fs::create_directories(dir / "ORVANE");
        bench::generateWorksheet(dir / "ORVANE" / "worksheet.csv", 2000, 11);
        ReportSettings settings = ReportSettings::defaults();
        settings.standardValues.fill("50");
        for (int c = 0; c < kChannelCount; c += 3) settings.broadcasterNames[c] = toCp932("放送局").bytes;
        SettingsFile(dir / "ORVANE" / "Mireva.ini").writeStandardValues(settings);
        SettingsFile(dir / "ORVANE" / "Mireva.ini").writeBroadcasterNames(settings);
        return dir / "ORVANE";
    }();
    return folder;
}

// The current row moves to the next place; the window's chart is built and painted.
void BM_ChartForNewRow(benchmark::State& state) {
    const int tab = static_cast<int>(state.range(0));
    AppSession session = AppSession::forFolder(dataFolder());
    ui::MainPanel panel(session);
    panel.resize(1280, 760);
    panel.show();
    panel.selectBandTab(tab);
    panel.refreshGrid();
    panel.showLevelChart();
    ui::LevelChartWindow* window = panel.levelChart()->window();
    window->resize(1200, 500);
    QCoreApplication::processEvents();
    const int rows = panel.gridModel()->rowCount();
    int row = 2;
    size_t bars = 0;
    for (auto _ : state) {
        row = (row + 6) % rows;
        panel.grid()->selectionModel()->setCurrentIndex(
            panel.gridModel()->index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        window->view()->repaint();
        bars = window->model().bars.size();
    }
    state.counters["bars"] = static_cast<double>(bars);
}
BENCHMARK(BM_ChartForNewRow)->Arg(0)->Arg(2)->Unit(benchmark::kMillisecond);

// One chart file as the batch command makes it: model, drawing, PNG, file.
void BM_ChartPngFile(benchmark::State& state) {
    const int tab = static_cast<int>(state.range(0));
    WorksheetDocument ws;
    ws.load(dataFolder() / "worksheet.csv");
    ReportSettings settings;
    SettingsFile(dataFolder() / "Mireva.ini").readAll(settings);
    const fs::path out = dataFolder() / "chart.png";
    int p = 0;
    for (auto _ : state) {
        const std::string& line = ws.line(p, BlockRow::Level);
        const LevelChartModel chart = buildLevelChart(p + 1, placeNameOf(line), tab, bandLevelsOfLine(line, tab),
                                                      settings.standardValues, settings.broadcasterNames);
        ui::writeLevelChart(chart, out, ui::ChartImageFormat::Png);
        p = (p + 1) % ws.placeCount();
    }
    state.counters["charts/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ChartPngFile)->Arg(0)->Arg(2)->Unit(benchmark::kMillisecond);

// The drawing alone, and the PNG encoding alone, of the same charts.
void BM_ChartDrawingAndEncoding(benchmark::State& state) {
    const int tab = static_cast<int>(state.range(0));
    const bool encode = state.range(1) != 0;
    WorksheetDocument ws;
    ws.load(dataFolder() / "worksheet.csv");
    ReportSettings settings;
    SettingsFile(dataFolder() / "Mireva.ini").readAll(settings);
    const std::string& line = ws.line(0, BlockRow::Level);
    const LevelChartModel chart = buildLevelChart(1, placeNameOf(line), tab, bandLevelsOfLine(line, tab),
                                                  settings.standardValues, settings.broadcasterNames);
    const QImage image = ui::levelChartImage(chart);
    size_t bytes = 0;
    for (auto _ : state) {
        if (encode) {
            bytes = static_cast<size_t>(ui::encodeLevelChart(chart, ui::ChartImageFormat::Png).size());
        } else {
            benchmark::DoNotOptimize(ui::levelChartImage(chart));
        }
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_ChartDrawingAndEncoding)
    ->Args({0, 0})
    ->Args({0, 1})
    ->Args({2, 0})
    ->Args({2, 1})
    ->Unit(benchmark::kMillisecond);

// mireva-cli chart over the whole worksheet, every place and band, as a user runs it.
void BM_CliChartAllPlaces(benchmark::State& state) {
    if (!fs::exists(g_cli)) {
        state.SkipWithError("mireva-cli is not in this build");
        return;
    }
    const fs::path out = dataFolder() / "charts";
    const std::string command = "'" + g_cli.string() + "' chart --worksheet '" +
                                (dataFolder() / "worksheet.csv").string() + "' --settings '" +
                                (dataFolder() / "Mireva.ini").string() + "' --out '" + out.string() + "' >/dev/null";
    size_t files = 0;
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("mireva-cli chart failed");
            return;
        }
        state.PauseTiming();
        files = static_cast<size_t>(std::distance(fs::directory_iterator(out), fs::directory_iterator()));
        state.ResumeTiming();
    }
    state.counters["charts"] = static_cast<double>(files);
    state.counters["charts/s"] =
        benchmark::Counter(static_cast<double>(files * state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CliChartAllPlaces)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(dataFolder().parent_path().string()));
    // The benchmark build puts the command beside the benchmarks' folder.
    g_cli = fs::absolute(fs::path(argv[0])).parent_path().parent_path() / "src" / "cli" / "mireva-cli";
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ec;
    fs::remove_all(dataFolder().parent_path(), ec);
    return 0;
}
