#include "excel/workbook_export.h"

#include "excel/xlsx_writer.h"

namespace mireva::excel {

ExportOutcome exportWorkbook(const WorkbookInputs& inputs, const std::filesystem::path& target,
                             const ProgressCallback& progress) {
    ExportOutcome outcome;
    outcome.problem = checkWorkbook(inputs);
    if (outcome.problem != WorkbookProblem::None) return outcome;
    const int total = PagePlan(inputs.selection, inputs.worksheet->placeCount()).pageCount() + 2;
    int done = 0;
    if (!reportProgress(progress, done, total)) {
        outcome.cancelled = true;
        return outcome;
    }

    XlsxWriter writer(target);
    if (!writer.open()) {
        outcome.error = writer.error();
        outcome.errorNumber = writer.errorNumber();
        return outcome;
    }
    bool built = buildWorkbook(inputs, [&](const SheetModel& sheet) {
        if (!writer.addSheet(sheet)) return false;
        if (reportProgress(progress, ++done, total)) return true;
        outcome.cancelled = true;
        return false;
    });
    if (outcome.cancelled) {
        writer.abandon();  // the scratch file goes; the target keeps what it held
        return outcome;
    }
    const bool committed = built && writer.commit([&] { return reportProgress(progress, total, total); });
    if (writer.stopped()) {
        outcome.cancelled = true;  // the scratch file is gone; the target keeps what it held
        return outcome;
    }
    if (!committed) {
        outcome.error = writer.error().empty() ? "the workbook could not be built" : writer.error();
        outcome.errorNumber = writer.errorNumber();
        writer.abandon();
        return outcome;
    }
    outcome.written = true;
    outcome.sheetCount = writer.sheetCount();
    return outcome;
}

std::string problemMessage(WorkbookProblem problem) {
    switch (problem) {
        case WorkbookProblem::None:
            return {};
        case WorkbookProblem::NoPlaces:
            return "ワークシートに測定場所がないため、Excelファイルを作成できません。";
        case WorkbookProblem::NoChannelSelected:
            return kNoChannelSelectedText;
        case WorkbookProblem::TooManySheets:
            return "ページ数が多すぎるため、Excelファイルを作成できません。";
    }
    return {};
}

}  // namespace mireva::excel
