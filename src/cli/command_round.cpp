// mireva-cli round: rounds every level of a worksheet to a whole number of dB, in
// place, as the program's 四捨五入 does.
#include "cli/subcommand.h"
#include "core/worksheet_document.h"
#include "panel/level_rounding.h"

namespace mireva::cli {

namespace {
constexpr const char* kRoundUsage =
    "usage: mireva-cli round --worksheet W\n"
    "Rounds every level of worksheet W (halves away from zero, written as \"46.0\") and\n"
    "rewrites W in one step; the other rows and the offset summaries stay as they are.\n"
    "Exit status: 0 done, 1 W could not be rewritten (it is left as it was), 2 wrong usage\n"
    "or unreadable inputs.\n";
}  // namespace

int runRound(const Args& args, std::ostream& out, std::ostream& err) {
    Subcommand command("round", kRoundUsage, out, err);
    WorksheetDocument worksheet;
    if (auto done = command.startOnWorksheet(args, {"--worksheet"}, {"--worksheet"}, worksheet)) return *done;
    roundAllLevels(worksheet);
    const std::string worksheetPath = command.required("--worksheet");
    std::string error;
    if (!worksheet.save(worksheetPath, &error))
        return command.fail(kExitFailed, "cannot rewrite " + worksheetPath + ": " + error);
    return kExitOk;
}

}  // namespace mireva::cli
