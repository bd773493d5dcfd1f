// mireva-cli judge: the below-standard list of a worksheet as the CSV that the
// judgement dialog saves.
#include <filesystem>

#include "cli/cli_args.h"
#include "cli/commands.h"
#include "core/file_io.h"
#include "core/worksheet_document.h"
#include "reports/settings_file.h"
#include "standards/judgement.h"

namespace mireva::cli {

namespace {
constexpr const char* kJudgeUsage =
    "usage: mireva-cli judge --worksheet W [--settings Mireva.ini] [--out FILE.csv]\n"
    "Judges every level of worksheet W against the standard values of the settings file\n"
    "(default: Mireva.ini in the per-user data folder) and writes the list of levels at\n"
    "or below standard as CSV (code page 932) to FILE.csv, or to standard output.\n";
}  // namespace

int runJudge(const Args& args, std::ostream& out, std::ostream& err) {
    CliArgs options;
    std::string error;
    if (!options.parse(args, {"--worksheet", "--settings", "--out"}, {"--help"}, error)) {
        err << "mireva-cli judge: " << error << "\n" << kJudgeUsage;
        return kExitUsage;
    }
    if (options.flag("--help")) {
        out << kJudgeUsage;
        return kExitOk;
    }
    auto worksheetPath = options.value("--worksheet");
    if (!worksheetPath) {
        err << "mireva-cli judge: --worksheet is required\n" << kJudgeUsage;
        return kExitUsage;
    }
    WorksheetDocument worksheet;
    if (!worksheet.load(*worksheetPath) || isDirectory(*worksheetPath)) {
        err << "mireva-cli judge: cannot read the worksheet " << *worksheetPath << "\n";
        return kExitUsage;
    }

    std::filesystem::path settingsPath = SettingsFile::defaultPath();
    if (auto given = options.value("--settings")) {
        // A named settings file must exist: a mistyped name would silently judge
        // against the defaults.
        if (!fileExists(*given)) {
            err << "mireva-cli judge: cannot read the settings file " << *given << "\n";
            return kExitUsage;
        }
        settingsPath = *given;
    }
    JudgementResult result;
    judge(worksheet, readStandardValues(settingsPath), result);
    std::string csv = judgementCsv(judgementRows(result.belowStandardDetails));

    if (auto outPath = options.value("--out")) {
        if (!replaceFileContent(*outPath, csv, &error)) {
            err << "mireva-cli judge: cannot write " << *outPath << ": " << error << "\n";
            return kExitFailed;
        }
        return kExitOk;
    }
    out.write(csv.data(), static_cast<std::streamsize>(csv.size()));
    out.flush();
    return out ? kExitOk : kExitFailed;
}

}  // namespace mireva::cli
