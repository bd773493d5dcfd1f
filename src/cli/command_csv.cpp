// mireva-cli csv: the CSV output of a worksheet, as the program's CSV出力 writes it
// after a reading run of the same site.
#include <filesystem>

#include "cli/cli_args.h"
#include "cli/commands.h"
#include "core/aggregation_summary.h"
#include "core/file_io.h"
#include "core/worksheet_document.h"
#include "panel/csv_output.h"
#include "reports/settings_file.h"

namespace mireva::cli {

namespace {
constexpr const char* kCsvUsage =
    "usage: mireva-cli csv --worksheet W --out OUT.csv [--settings Mireva.ini]\n"
    "Writes worksheet W as CSV (code page 932) to OUT.csv: the channels that hold a value\n"
    "in a level, BER, MER or C/N row, six lines per place, and in the header each\n"
    "channel's broadcaster name from the settings file (none without --settings).\n"
    "An existing OUT.csv is replaced.\n";
}  // namespace

int runCsv(const Args& args, std::ostream& out, std::ostream& err) {
    CliArgs options;
    std::string error;
    if (!options.parse(args, {"--worksheet", "--out", "--settings"}, {"--help"}, error)) {
        err << "mireva-cli csv: " << error << "\n" << kCsvUsage;
        return kExitUsage;
    }
    if (options.flag("--help")) {
        out << kCsvUsage;
        return kExitOk;
    }
    auto worksheetPath = options.value("--worksheet");
    auto outPath = options.value("--out");
    if (!worksheetPath || !outPath) {
        err << "mireva-cli csv: --worksheet and --out are required\n" << kCsvUsage;
        return kExitUsage;
    }
    WorksheetDocument worksheet;
    if (isDirectory(*worksheetPath) || !worksheet.load(*worksheetPath)) {
        err << "mireva-cli csv: cannot read the worksheet " << *worksheetPath << "\n";
        return kExitUsage;
    }
    ReportSettings settings = ReportSettings::defaults();
    if (auto given = options.value("--settings")) {
        // A named settings file must exist: a mistyped name would silently drop the names.
        if (!fileExists(*given) || isDirectory(*given)) {
            err << "mireva-cli csv: cannot read the settings file " << *given << "\n";
            return kExitUsage;
        }
        SettingsFile(*given).readBroadcasterNames(settings);
    }

    const AggregationSummary inUse = summaryFromWorksheet(worksheet);
    const std::string csv = worksheetCsv(worksheet, inUse.channelHasValue, settings.broadcasterNames);
    if (!replaceFileContent(*outPath, csv, &error)) {
        err << "mireva-cli csv: cannot write " << *outPath << ": " << error << "\n";
        return kExitFailed;
    }
    return kExitOk;
}

}  // namespace mireva::cli
