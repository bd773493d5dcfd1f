// mireva-cli report: every page of the report into one PDF file, with the selection
// a reading run of the worksheet's site would leave.
#include "cli/subcommand.h"
#include "cli/terminal_progress.h"

#ifdef MIREVA_HAVE_QT
#include "cli/gui_application.h"

#include <memory>

#include "core/worksheet_document.h"
#include "reports/ui/report_printing.h"
#endif

namespace mireva::cli {
namespace {
[[maybe_unused]] constexpr const char* kReportUsage =
    "usage: mireva-cli report --worksheet W --out report.pdf [--settings Mireva.ini]\n"
    "Renders every page of the report into a PDF file (A4 portrait). The channels are those\n"
    "holding a value in the worksheet; the report data come from the settings file (defaults\n"
    "without it). The PDF replaces report.pdf in one step; on failure an existing one is\n"
    "left as it was. On a terminal the pages done are shown on stderr; Ctrl+C stops the\n"
    "output and leaves an existing report.pdf as it was.\n"
    "Exit status: 0 written, 1 nothing to print (no place or no channel) or the file could\n"
    "not be written, 2 wrong usage or unreadable inputs, 130 stopped by Ctrl+C.\n";
}  // namespace

int runReport(const Args& args, std::ostream& out, std::ostream& err) {
#ifndef MIREVA_HAVE_QT
    err << "mireva-cli report: not available in this build\n";
    return kExitUsage;
#else
    Subcommand command("report", kReportUsage, out, err);
    WorksheetDocument worksheet;
    std::optional<std::filesystem::path> settingsPath;
    if (auto done = command.startOnWorksheet(args, {"--worksheet", "--out", "--settings"}, {"--worksheet", "--out"},
                                             worksheet, &settingsPath))
        return *done;
    const std::string outPath = command.required("--out");

    const std::unique_ptr<QGuiApplication> app = guiApplicationForDrawing();

    const AggregationSummary selection = summaryFromWorksheet(worksheet);
    const ReportPageRenderer report =
        ui::loadReport(WorksheetLines(worksheet), selection, settingsPath ? settingsPath->string() : std::string());
    if (report.pageCount() == 0)
        return command.fail(kExitFailed, "nothing to print: the worksheet holds no measured place");
    if (!report.plan().hasSelectedChannel()) return command.fail(kExitFailed, kNoChannelSelectedText);
    std::string error;
    bool cancelled = false;
    bool written = false;
    {
        TerminalProgress progress(err, TerminalProgress::Unit::Pages, TerminalProgress::stderrIsTerminal());
        written = ui::writeReportPdf(report, outPath, &error, progress.callback(), &cancelled);
    }
    if (cancelled) return command.stopped(outPath);
    if (!written) return command.fail(kExitFailed, error);
    out << report.pageCount() << " pages written to " << outPath << "\n";
    return kExitOk;
#endif
}

}  // namespace mireva::cli
