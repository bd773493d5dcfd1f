// mireva-cli xlsx: the report's workbook of a worksheet, written without the window.
#include "cli/cli_args.h"
#include "cli/commands.h"
#include "core/aggregation_summary.h"
#include "core/file_io.h"
#include "core/worksheet_document.h"
#include "excel/workbook_export.h"
#include "reports/settings_file.h"

namespace mireva::cli {
namespace {

const char kHelp[] =
    "usage: mireva-cli xlsx --worksheet W --out book.xlsx [--settings Mireva.ini]\n"
    "\n"
    "Writes the report of the worksheet W as an .xlsx workbook: a cover \"Title\", the\n"
    "channel list \"Contents\" and one sheet per report page, split and laid out like the\n"
    "printed report. The channels shown are those a reading run of the site would\n"
    "select (every channel holding a value in a level, BER, MER or C/N row). Report\n"
    "header data and broadcaster names come from the settings file (defaults without\n"
    "--settings). The workbook replaces book.xlsx in one step; on failure an existing\n"
    "book.xlsx is left as it was.\n"
    "\n"
    "Prints the number of sheets written. Exit status: 0 written, 1 nothing to export\n"
    "(no place or no channel) or the file could not be written, 2 wrong usage or\n"
    "unreadable inputs.\n";

int usageError(std::ostream& err, const std::string& message) {
    err << "mireva-cli xlsx: " << message << "\n"
        << "Try 'mireva-cli xlsx --help'.\n";
    return kExitUsage;
}

}  // namespace

int runXlsx(const Args& args, std::ostream& out, std::ostream& err) {
    for (const std::string& a : args) {
        if (a == "--help" || a == "-h") {
            out << kHelp;
            return kExitOk;
        }
    }
    CliArgs options;
    std::string error;
    if (!options.parse(args, {"--worksheet", "--out", "--settings"}, {}, error)) return usageError(err, error);
    for (const char* required : {"--worksheet", "--out"})
        if (!options.value(required)) return usageError(err, std::string("missing ") + required);

    const std::filesystem::path worksheetPath = *options.value("--worksheet");
    WorksheetDocument worksheet;
    if (isDirectory(worksheetPath) || !worksheet.load(worksheetPath)) {
        err << "mireva-cli xlsx: cannot read the worksheet " << worksheetPath.string() << "\n";
        return kExitUsage;
    }

    excel::WorkbookInputs inputs;
    inputs.worksheet = &worksheet;
    inputs.selection = summaryFromWorksheet(worksheet);
    inputs.settings = ReportSettings::defaults();
    if (auto settingsPath = options.value("--settings")) {
        // Reading a settings file creates it when missing; a batch run must not leave
        // a new file behind a mistyped name.
        if (!fileExists(*settingsPath) || isDirectory(*settingsPath)) {
            err << "mireva-cli xlsx: cannot read the settings file " << *settingsPath << "\n";
            return kExitUsage;
        }
        SettingsFile file(*settingsPath);
        file.readPrintData2(inputs.settings);
        file.readBroadcasterNames(inputs.settings);
    }

    const std::filesystem::path outPath = *options.value("--out");
    excel::ExportOutcome outcome = excel::exportWorkbook(inputs, outPath);
    if (outcome.problem != excel::WorkbookProblem::None) {
        err << "mireva-cli xlsx: " << excel::problemMessage(outcome.problem) << "\n";
        return kExitFailed;
    }
    if (!outcome.written) {
        err << "mireva-cli xlsx: cannot write " << outPath.string() << ": " << outcome.error << "\n";
        return kExitFailed;
    }
    out << "sheets written: " << outcome.sheetCount << " (" << outPath.string() << ")\n";
    return kExitOk;
}

}  // namespace mireva::cli
