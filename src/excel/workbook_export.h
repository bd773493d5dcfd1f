// One export of the report's workbook: checks that there is something to export,
// builds the sheets and writes them to the chosen file. Shared by the program's
// "Excel出力" and the batch command.
#pragma once

#include <filesystem>
#include <string>

#include "core/progress.h"
#include "excel/workbook_layout.h"

namespace mireva::excel {

struct ExportOutcome {
    WorkbookProblem problem = WorkbookProblem::None;  // set: nothing was written
    bool written = false;
    bool cancelled = false;  // stopped through the progress callback: nothing written
    int sheetCount = 0;
    std::string error;    // why writing failed (the target is then left as it was)
    int errorNumber = 0;  // the errno value when the file itself could not be written
};

// `progress` hears the sheets written of all sheets: 0 at the start, then after each
// sheet; the last call (every sheet written) comes before the file is finished. When
// finishing the file takes longer than a moment, the last call is repeated every quarter
// of a second, so the work can still be stopped then.
ExportOutcome exportWorkbook(const WorkbookInputs& inputs, const std::filesystem::path& target,
                             const ProgressCallback& progress = {});

// The user's message for a problem (UTF-8); empty for None.
std::string problemMessage(WorkbookProblem problem);

}  // namespace mireva::excel
