// bench-libs: mireva_app
// bench-ui
// The main panel's grid on a generated 2,000-place worksheet (12,000 grid rows):
// switching band tabs, each switch refilling the grid from the file, judging every
// level and painting the visible cells; and building the main window up to its
// first paint (the program's start without the process start).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "app/main_window.h"
#include "core/app_session.h"
#include "panel/ui/main_panel.h"
#include "panel/ui/worksheet_grid.h"
#include "panel/ui/worksheet_grid_model.h"
#include "settings/settings_file.h"
#include "support/site_generator.h"

namespace {
namespace fs = std::filesystem;

const fs::path& dataFolder() {
    static const fs::path folder = [] {
        fs::path dir = fs::temp_directory_path() / ("mireva-bench-grid-" + std::to_string(::getpid()));
        fs::create_directories(dir / "ORVANE");
        mireva::bench::generateWorksheet(dir / "ORVANE" / "worksheet.csv", 2000, 11);
        // Standard values that many generated levels fall below, so the judgement lists places.
        mireva::ReportSettings settings = mireva::ReportSettings::defaults();
        settings.standardValues.fill("50");
        mireva::SettingsFile(dir / "ORVANE" / "Mireva.ini").writeStandardValues(settings);
        return dir / "ORVANE";
    }();
    return folder;
}

// Time of one switch into `tab` (from the terrestrial tab), painted.
void switchBandTab(benchmark::State& state, int tab) {
    mireva::AppSession session = mireva::AppSession::forFolder(dataFolder());
    mireva::ui::MainPanel panel(session);
    panel.resize(1280, 760);
    panel.show();
    panel.refreshGrid();
    for (auto _ : state) {
        state.PauseTiming();
        panel.selectBandTab(0);
        QCoreApplication::processEvents();
        state.ResumeTiming();
        panel.selectBandTab(tab);
        panel.grid()->viewport()->repaint();
    }
    state.counters["rows"] = panel.gridModel()->rowCount();
    state.counters["columns"] = panel.gridModel()->columnCount();
    state.counters["belowStandardPlaces"] = static_cast<double>(panel.belowStandardRows().size());
}

void BM_SwitchToCatvTab(benchmark::State& state) { switchBandTab(state, 2); }
void BM_SwitchToLtePilotTab(benchmark::State& state) { switchBandTab(state, 9); }
void BM_SwitchToBsCsTab(benchmark::State& state) { switchBandTab(state, 1); }
BENCHMARK(BM_SwitchToCatvTab)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SwitchToLtePilotTab)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SwitchToBsCsTab)->Unit(benchmark::kMillisecond);

// The main window from construction to its first paint.
void BM_MainWindowToFirstPaint(benchmark::State& state) {
    for (auto _ : state) {
        mireva::ui::MainWindow window;
        window.show();
        window.repaint();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(window.grab());
    }
}
BENCHMARK(BM_MainWindowToFirstPaint)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // The main window finds its data folder (with the generated worksheet) here.
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(dataFolder().parent_path().string()));
    QElapsedTimer timer;
    timer.start();
    QApplication app(argc, argv);
    const qint64 applicationStart = timer.elapsed();
    benchmark::Initialize(&argc, argv);
    benchmark::AddCustomContext("QApplication construction (ms)", std::to_string(applicationStart));
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ec;
    fs::remove_all(dataFolder().parent_path(), ec);
    return 0;
}
