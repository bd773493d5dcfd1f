// mireva-cli csv: the CSV output of a worksheet, as the program's CSV出力 writes it
// after a reading run of the same site.
#include <filesystem>

#include "cli/subcommand.h"
#include "core/aggregation_summary.h"
#include "core/worksheet_document.h"
#include "panel/csv_output.h"
#include "settings/settings_file.h"

namespace mireva::cli {

namespace {
constexpr const char* kCsvUsage =
    "usage: mireva-cli csv --worksheet W --out OUT.csv [--settings Mireva.ini]\n"
    "Writes worksheet W as CSV (code page 932) to OUT.csv: the channels that hold a value\n"
    "in a level, BER, MER or C/N row, six lines per place, and in the header each\n"
    "channel's broadcaster name from the settings file (none without --settings).\n"
    "An existing OUT.csv is replaced in one step; on failure it is left as it was.\n"
    "Exit status: 0 written, 1 the file could not be written, 2 wrong usage or unreadable inputs.\n";
}  // namespace

int runCsv(const Args& args, std::ostream& out, std::ostream& err) {
    Subcommand command("csv", kCsvUsage, out, err);
    WorksheetDocument worksheet;
    std::optional<std::filesystem::path> settingsPath;
    if (auto done = command.startOnWorksheet(args, {"--worksheet", "--out", "--settings"}, {"--worksheet", "--out"},
                                             worksheet, &settingsPath))
        return *done;
    ReportSettings settings = ReportSettings::defaults();
    if (settingsPath) SettingsFile(*settingsPath).readBroadcasterNames(settings);

    const AggregationSummary inUse = summaryFromWorksheet(worksheet);
    const std::string csv = worksheetCsv(worksheet, inUse.channelHasValue, settings.broadcasterNames);
    return command.writeFile(command.required("--out"), csv);
}

}  // namespace mireva::cli
