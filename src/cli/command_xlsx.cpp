// mireva-cli xlsx: the report's workbook of a worksheet, written without the window.
#include "cli/subcommand.h"
#include "cli/terminal_progress.h"
#include "core/aggregation_summary.h"
#include "core/worksheet_document.h"
#include "excel/workbook_export.h"
#include "settings/settings_file.h"

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
    "book.xlsx is left as it was. On a terminal the sheets done are shown on stderr;\n"
    "Ctrl+C stops the export and leaves an existing book.xlsx as it was.\n"
    "\n"
    "Prints the number of sheets written. Exit status: 0 written, 1 nothing to export\n"
    "(no place or no channel) or the file could not be written, 2 wrong usage or\n"
    "unreadable inputs, 130 stopped by Ctrl+C.\n";

}  // namespace

int runXlsx(const Args& args, std::ostream& out, std::ostream& err) {
    Subcommand command("xlsx", kHelp, out, err);
    WorksheetDocument worksheet;
    std::optional<std::filesystem::path> settingsPath;
    if (auto done = command.startOnWorksheet(args, {"--worksheet", "--out", "--settings"}, {"--worksheet", "--out"},
                                             worksheet, &settingsPath))
        return *done;

    excel::WorkbookInputs inputs;
    inputs.worksheet = &worksheet;
    inputs.selection = summaryFromWorksheet(worksheet);
    inputs.settings = ReportSettings::defaults();
    if (settingsPath) {
        SettingsFile file(*settingsPath);
        file.readPrintData2(inputs.settings);
        file.readBroadcasterNames(inputs.settings);
    }

    const std::filesystem::path outPath = command.required("--out");
    excel::ExportOutcome outcome;
    {
        TerminalProgress progress(err, TerminalProgress::Unit::Sheets, TerminalProgress::stderrIsTerminal());
        outcome = excel::exportWorkbook(inputs, outPath, progress.callback());
    }
    if (outcome.cancelled) return command.stopped(outPath.string());
    if (outcome.problem != excel::WorkbookProblem::None)
        return command.fail(kExitFailed, excel::problemMessage(outcome.problem));
    if (!outcome.written) return command.fail(kExitFailed, "cannot write " + outPath.string() + ": " + outcome.error);
    out << "sheets written: " << outcome.sheetCount << " (" << outPath.string() << ")\n";
    return kExitOk;
}

}  // namespace mireva::cli
