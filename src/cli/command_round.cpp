// mireva-cli round: rounds every level of a worksheet to a whole number of dB, in
// place, as the program's 四捨五入 does.
#include "cli/cli_args.h"
#include "cli/commands.h"
#include "core/file_io.h"
#include "core/worksheet_document.h"
#include "panel/level_rounding.h"

namespace mireva::cli {

namespace {
constexpr const char* kRoundUsage =
    "usage: mireva-cli round --worksheet W\n"
    "Rounds every level of worksheet W (halves away from zero, written as \"46.0\") and\n"
    "rewrites W in one step; the other rows and the offset summaries stay as they are.\n";
}  // namespace

int runRound(const Args& args, std::ostream& out, std::ostream& err) {
    CliArgs options;
    std::string error;
    if (!options.parse(args, {"--worksheet"}, {"--help"}, error)) {
        err << "mireva-cli round: " << error << "\n" << kRoundUsage;
        return kExitUsage;
    }
    if (options.flag("--help")) {
        out << kRoundUsage;
        return kExitOk;
    }
    auto worksheetPath = options.value("--worksheet");
    if (!worksheetPath) {
        err << "mireva-cli round: --worksheet is required\n" << kRoundUsage;
        return kExitUsage;
    }
    WorksheetDocument worksheet;
    if (isDirectory(*worksheetPath) || !worksheet.load(*worksheetPath)) {
        err << "mireva-cli round: cannot read the worksheet " << *worksheetPath << "\n";
        return kExitUsage;
    }
    roundAllLevels(worksheet);
    // The scratch file sits beside the worksheet, as worksheet_tmp.csv does beside worksheet.csv.
    if (!replaceFileContent(*worksheetPath, worksheet.serialize(), &error)) {
        err << "mireva-cli round: cannot rewrite " << *worksheetPath << ": " << error << "\n";
        return kExitFailed;
    }
    return kExitOk;
}

}  // namespace mireva::cli
