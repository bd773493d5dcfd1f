// mireva-cli aggregate: the aggregation run without the window, on a location table
// and a meter data folder given on the command line.
#include <filesystem>

#include "cli/subcommand.h"
#include "core/cp932.h"
#include "core/input_checks.h"
#include "ingest/aggregation_run.h"

namespace mireva::cli {
namespace {

namespace fs = std::filesystem;

const char kHelp[] =
    "usage: mireva-cli aggregate --table TABLE.csv --data DATA_DIR --out WORKSHEET.csv\n"
    "                            [--errorlog ERRORLOG.csv] [--json]\n"
    "\n"
    "Aggregates the meter's measurement files listed in the location table TABLE.csv\n"
    "(found below DATA_DIR as DATA_TYPE/DATE/FILE_TYPE/FILE_NAME) into the worksheet\n"
    "WORKSHEET.csv: one block of eight rows per measured place, one column per channel.\n"
    "Problems met while reading go to the error log (default: errorlog.csv beside the\n"
    "worksheet); the end-of-run messages go to stderr.\n"
    "\n"
    "Prints a summary on stdout: places written, files read, missing files skipped,\n"
    "non-aggregatable items skipped (data logger, PNG, MP4), channels with values and\n"
    "whether BER, MER and C/N rows are in use. With --json the summary is one JSON\n"
    "object with the keys places, filesRead, missingFiles, nonAggregatable, channels\n"
    "(indexes of the channels with values), ber, mer and cn.\n"
    "\n"
    "Exit status: 0 run completed (possibly with skipped files), 1 run aborted or the\n"
    "worksheet could not be written, 2 wrong usage or unreadable inputs.\n";

void printSummary(std::ostream& out, const RunRecord& r, bool json) {
    const AggregationSummary& s = r.summary;
    int channels = 0;
    for (int v : s.channelHasValue) channels += v ? 1 : 0;
    if (json) {
        out << "{\"places\":" << r.placesWritten << ",\"filesRead\":" << r.filesRead
            << ",\"missingFiles\":" << r.missingFiles << ",\"nonAggregatable\":" << r.nonAggregatable
            << ",\"channels\":[";
        bool first = true;
        for (int c = 0; c < kChannelCount; ++c) {
            if (!s.channelHasValue[c]) continue;
            out << (first ? "" : ",") << c;
            first = false;
        }
        out << "],\"ber\":" << (s.berPresent ? "true" : "false") << ",\"mer\":" << (s.merPresent ? "true" : "false")
            << ",\"cn\":" << (s.cnPresent ? "true" : "false") << "}\n";
        return;
    }
    out << "places written:                 " << r.placesWritten << "\n"
        << "files read:                     " << r.filesRead << "\n"
        << "missing files skipped:          " << r.missingFiles << "\n"
        << "non-aggregatable items skipped: " << r.nonAggregatable << "\n"
        << "channels with values:           " << channels << "\n"
        << "BerPresent: " << s.berPresent << "  MerPresent: " << s.merPresent << "  CnPresent: " << s.cnPresent << "\n";
}

}  // namespace

int runAggregate(const Args& args, std::ostream& out, std::ostream& err) {
    Subcommand command("aggregate", kHelp, out, err);
    if (auto done = command.start(args, {"--table", "--data", "--out", "--errorlog"}, {"--json"},
                                  {"--table", "--data", "--out"}))
        return *done;
    const CliArgs& options = command.options();

    RunRecord record;
    record.channelWanted.fill(1);
    record.locationTablePath = *options.value("--table");
    record.dataFolder = *options.value("--data");
    record.worksheetPath = *options.value("--out");
    record.errorLogPath = options.value("--errorlog") ? fs::path(*options.value("--errorlog"))
                                                      : record.worksheetPath.parent_path() / "errorlog.csv";

    // Inputs that cannot be read are refused before anything is written: a table or a
    // data folder taken for an empty one would replace the previous worksheet with an
    // empty one.
    if (const std::string why = fileReadFailure(record.locationTablePath); !why.empty())
        return command.fail(kExitUsage,
                            "cannot read the location table " + record.locationTablePath.string() + ": " + why);
    if (const std::string why = folderListFailure(record.dataFolder); !why.empty())
        return command.fail(kExitUsage, "cannot list the data folder " + record.dataFolder.string() + ": " + why);

    const int result = aggregationRun(record, [&err](const Sj& message) { err << fromCp932(message) << "\n"; });
    if (result != 0)
        return command.fail(kExitFailed, "the run did not complete and the worksheet was not replaced (error log: " +
                                             record.errorLogPath.string() + ")");
    printSummary(out, record, options.flag("--json"));
    return kExitOk;
}

}  // namespace mireva::cli
