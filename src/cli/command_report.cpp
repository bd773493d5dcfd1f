// mireva-cli report: every page of the report into one PDF file, with the selection
// a reading run of the worksheet's site would leave.
#include "cli/cli_args.h"
#include "cli/commands.h"

#ifdef MIREVA_HAVE_QT
#include <QGuiApplication>

#include <memory>

#include "core/file_io.h"
#include "core/worksheet_document.h"
#include "reports/ui/report_printing.h"
#endif

namespace mireva::cli {

int runReport(const Args& args, std::ostream& out, std::ostream& err) {
#ifndef MIREVA_HAVE_QT
    err << "mireva-cli report: not available in this build\n";
    return kExitUsage;
#else
    CliArgs options;
    std::string error;
    if (!options.parse(args, {"--worksheet", "--out", "--settings"}, {"--help"}, error)) {
        err << "mireva-cli report: " << error << "\n";
        return kExitUsage;
    }
    if (options.flag("--help")) {
        out << "usage: mireva-cli report --worksheet W --out report.pdf [--settings Mireva.ini]\n"
               "Renders every page of the report into a PDF file (A4 portrait). The channels are those\n"
               "holding a value in the worksheet; the report data come from the settings file (defaults\n"
               "without it).\n";
        return kExitOk;
    }
    const auto worksheetPath = options.value("--worksheet");
    const auto outPath = options.value("--out");
    if (!worksheetPath || !outPath) {
        err << "mireva-cli report: --worksheet and --out are required\n";
        return kExitUsage;
    }
    const auto settingsPath = options.value("--settings");
    if (settingsPath && !fileExists(*settingsPath)) {
        err << "mireva-cli report: cannot read settings file " << *settingsPath << "\n";
        return kExitUsage;
    }
    WorksheetDocument worksheet;
    if (!worksheet.load(*worksheetPath)) {
        err << "mireva-cli report: cannot read worksheet " << *worksheetPath << "\n";
        return kExitUsage;
    }

    // Text layout needs a GUI application; a batch run needs no display.
    std::unique_ptr<QGuiApplication> app;
    if (QCoreApplication::instance() == nullptr) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "mireva-cli";
        static char* argv[] = {name, nullptr};
        app = std::make_unique<QGuiApplication>(argc, argv);
    }

    const AggregationSummary selection = summaryFromWorksheet(worksheet);
    const ReportPageRenderer report =
        ui::loadReport(WorksheetLines(worksheet), selection, settingsPath ? *settingsPath : std::string());
    if (report.pageCount() == 0) {
        err << "mireva-cli report: nothing to print: the worksheet holds no measured place\n";
        return kExitFailed;
    }
    if (!ui::writeReportPdf(report, *outPath, &error)) {
        err << "mireva-cli report: " << error << "\n";
        return kExitFailed;
    }
    out << report.pageCount() << " pages written to " << *outPath << "\n";
    return kExitOk;
#endif
}

}  // namespace mireva::cli
