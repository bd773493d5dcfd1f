// mireva-cli chart: the level chart of every place and band tab holding levels, one
// picture file each, drawn as the program's chart window draws it.
#include "cli/subcommand.h"

#ifdef MIREVA_HAVE_QT
#include "cli/gui_application.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include "charts/level_chart_model.h"
#include "charts/ui/level_chart_image.h"
#include "core/cp932.h"
#include "core/file_io.h"
#include "core/worksheet_document.h"
#include "settings/settings_file.h"
#endif

namespace mireva::cli {
namespace {
[[maybe_unused]] constexpr const char* kChartUsage =
    "usage: mireva-cli chart --worksheet W --out DIR [--settings Mireva.ini] [--band NAME]\n"
    "                        [--format png|svg]\n"
    "Draws the level chart of every place of worksheet W on every band tab where the\n"
    "place holds a level, into folder DIR (created when missing), one file per chart named\n"
    "after the place number and the band: 0001_UHF.png. The standard values and the\n"
    "broadcaster names come from the settings file (default: Mireva.ini in the per-user\n"
    "data folder). --band draws one band tab only: UHF, BSCS, CATV, CATVUP, JCSAT3A,\n"
    "JCSAT4B, SCC, FM, SKYP, LTEPILOT, the tab's label or its number 1-10.\n"
    "--format chooses PNG (the default) or SVG. Existing files are replaced in one step.\n"
    "Exit status: 0 written, 1 no place holds a level or a file could not be written,\n"
    "2 wrong usage or unreadable inputs.\n";
}  // namespace

int runChart(const Args& args, std::ostream& out, std::ostream& err) {
#ifndef MIREVA_HAVE_QT
    err << "mireva-cli chart: not available in this build\n";
    return kExitUsage;
#else
    Subcommand command("chart", kChartUsage, out, err);
    if (auto done = command.start(args, {"--worksheet", "--out", "--settings", "--band", "--format"}, {},
                                  {"--worksheet", "--out"}))
        return *done;

    ui::ChartImageFormat format = ui::ChartImageFormat::Png;
    if (auto f = command.options().value("--format")) {
        if (*f == "svg")
            format = ui::ChartImageFormat::Svg;
        else if (*f != "png")
            return command.usageError("unknown format '" + *f + "' (png or svg)");
    }
    int onlyTab = -1;
    if (auto band = command.options().value("--band")) {
        // The labels are code page 932 like the catalog; the command line is UTF-8.
        onlyTab = bandTabOfName(*band);
        if (onlyTab < 0) onlyTab = bandTabOfName(toCp932(*band));
        if (onlyTab < 0) return command.usageError("unknown band '" + *band + "'");
    }
    WorksheetDocument worksheet;
    std::optional<std::filesystem::path> settingsPath;
    if (!command.loadWorksheet(worksheet) || !command.settingsFile(settingsPath)) return kExitUsage;

    const std::filesystem::path folder = command.required("--out");
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (!isDirectory(folder)) return command.fail(kExitFailed, "cannot create the folder " + folder.string());

    ReportSettings settings;
    const SettingsFile file(settingsPath.value_or(SettingsFile::defaultPath()));
    file.readStandardValues(settings);
    file.readBroadcasterNames(settings);

    const std::unique_ptr<QGuiApplication> app = guiApplicationForDrawing();

    // The charts to draw, then drawn and written by a few workers: drawing on images
    // needs no GUI thread, and each file's write to disk overlaps the next drawing.
    struct Job {
        int place, tab;
    };
    std::vector<Job> jobs;
    for (int p = 0; p < worksheet.placeCount(); ++p) {
        const std::string& line = worksheet.line(p, BlockRow::Level);
        for (int tab = 0; tab < kBandTabCount; ++tab) {
            if (onlyTab >= 0 && tab != onlyTab) continue;
            bool any = false;
            for (const ChannelLevel& level : bandLevelsOfLine(line, tab)) any = any || holdsLevel(level.text);
            if (any) jobs.push_back({p, tab});
        }
    }
    const char* extension = ui::chartImageExtension(format);
    std::atomic<size_t> next{0};
    std::atomic<bool> failed{false};
    std::mutex failureLock;
    std::string failure;
    const auto work = [&] {
        for (size_t i = next++; i < jobs.size() && !failed; i = next++) {
            const Job& job = jobs[i];
            const std::string& line = worksheet.line(job.place, BlockRow::Level);
            const LevelChartModel chart =
                buildLevelChart(job.place + 1, placeNameOf(line), job.tab, bandLevelsOfLine(line, job.tab),
                                settings.standardValues, settings.broadcasterNames);
            const std::filesystem::path target = folder / levelChartFileName(job.place + 1, job.tab, extension);
            std::string error;
            if (!ui::writeLevelChart(chart, target, format, &error)) {
                const std::lock_guard<std::mutex> hold(failureLock);
                if (!failed.exchange(true)) failure = "cannot write " + target.string() + ": " + error;
            }
        }
    };
    const unsigned workers = std::clamp(std::thread::hardware_concurrency(), 2u, 4u);
    std::vector<std::thread> threads;
    for (unsigned w = 1; w < workers && w < jobs.size(); ++w) threads.emplace_back(work);
    work();
    for (std::thread& t : threads) t.join();
    if (failed) return command.fail(kExitFailed, failure);
    const size_t written = jobs.size();
    if (written == 0)
        return command.fail(kExitFailed, onlyTab >= 0 ? "nothing to draw: no place holds a level on that band"
                                                      : "nothing to draw: no place holds a level");
    out << written << " charts written to " << folder.string() << "\n";
    return kExitOk;
#endif
}

}  // namespace mireva::cli
