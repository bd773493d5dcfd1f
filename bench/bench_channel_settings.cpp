// bench-libs: mireva_channels_ui
// bench-ui
// Opening the channel settings dialog (1,000 and more controls on 13 pages, filled
// from the current set and the settings file), and saving and loading one preset slot.
#include <benchmark/benchmark.h>

#include <QApplication>

#include <filesystem>
#include <string>
#include <unistd.h>

#include "channels/preset_store.h"
#include "channels/ui/set_ch_dlg.h"
#include "core/app_session.h"

namespace {
namespace fs = std::filesystem;

mireva::AppSession& session() {
    static mireva::AppSession s = [] {
        fs::path dir = fs::temp_directory_path() / ("mireva-bench-channels-" + std::to_string(::getpid()));
        fs::create_directories(dir);
        mireva::AppSession out = mireva::AppSession::forFolder(dir);
        for (int p = 0; p < mireva::kDisplayPositionCount; p += 2) out.summary.current.columnHasValue[p] = 1;
        return out;
    }();
    return s;
}

mireva::ChannelSettingsState fullState() {
    mireva::ChannelSettingsState state;
    state.boxes.fill(true);
    for (auto& n : state.names) n = "ABCDEFGHIJKL";
    state.ber = state.mer = state.cn = true;
    return state;
}

void BM_OpenDialog(benchmark::State& state) {
    for (auto _ : state) {
        mireva::ui::CSetChDlg dialog(session());
        benchmark::DoNotOptimize(dialog.dialogState());
    }
}
BENCHMARK(BM_OpenDialog)->Unit(benchmark::kMillisecond);

void BM_SavePreset(benchmark::State& state) {
    mireva::PresetFiles files = mireva::PresetFiles::in(session().locations);
    mireva::ChannelSettingsState s = fullState();
    for (auto _ : state) benchmark::DoNotOptimize(mireva::savePreset(files, 2, s));
}
BENCHMARK(BM_SavePreset)->Unit(benchmark::kMicrosecond);

void BM_LoadPreset(benchmark::State& state) {
    mireva::PresetFiles files = mireva::PresetFiles::in(session().locations);
    mireva::savePreset(files, 2, fullState());
    mireva::ChannelSettingsState s;
    for (auto _ : state) benchmark::DoNotOptimize(mireva::loadPreset(files, 2, s));
}
BENCHMARK(BM_LoadPreset)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ec;
    fs::remove_all(session().locations.folder(), ec);
    return 0;
}
