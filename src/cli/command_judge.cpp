// mireva-cli judge: the below-standard list of a worksheet as the CSV that the
// judgement dialog saves.
#include <filesystem>

#include "cli/subcommand.h"
#include "core/worksheet_document.h"
#include "settings/settings_file.h"
#include "standards/judgement.h"

namespace mireva::cli {

namespace {
constexpr const char* kJudgeUsage =
    "usage: mireva-cli judge --worksheet W [--settings Mireva.ini] [--out FILE.csv]\n"
    "Judges every level of worksheet W against the standard values of the settings file\n"
    "(default: Mireva.ini in the per-user data folder) and writes the list of levels at\n"
    "or below standard as CSV (code page 932) to FILE.csv, or to standard output.\n"
    "Exit status: 0 done, 1 the file could not be written, 2 wrong usage or unreadable inputs.\n";
}  // namespace

int runJudge(const Args& args, std::ostream& out, std::ostream& err) {
    Subcommand command("judge", kJudgeUsage, out, err);
    WorksheetDocument worksheet;
    std::optional<std::filesystem::path> settingsPath;
    if (auto done = command.startOnWorksheet(args, {"--worksheet", "--settings", "--out"}, {"--worksheet"}, worksheet,
                                             &settingsPath))
        return *done;

    JudgementResult result;
    judge(worksheet, readStandardValues(settingsPath.value_or(SettingsFile::defaultPath())), result);
    std::string csv = judgementCsv(judgementRows(result.belowStandardDetails));

    if (auto outPath = command.options().value("--out")) return command.writeFile(*outPath, csv);
    out.write(csv.data(), static_cast<std::streamsize>(csv.size()));
    out.flush();
    return out ? kExitOk : kExitFailed;
}

}  // namespace mireva::cli
