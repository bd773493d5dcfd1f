#include "excel/workbook_export.h"

#include "excel/xlsx_writer.h"

namespace mireva::excel {

ExportOutcome exportWorkbook(const WorkbookInputs& inputs, const std::filesystem::path& target) {
    ExportOutcome outcome;
    outcome.problem = checkWorkbook(inputs);
    if (outcome.problem != WorkbookProblem::None) return outcome;

    XlsxWriter writer(target);
    if (!writer.open()) {
        outcome.error = writer.error();
        outcome.errorNumber = writer.errorNumber();
        return outcome;
    }
    bool built = buildWorkbook(inputs, [&](const SheetModel& sheet) { return writer.addSheet(sheet); });
    if (!built || !writer.commit()) {
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
        case WorkbookProblem::None: return {};
        case WorkbookProblem::NoPlaces:
            return "ワークシートに測定場所がないため、Excelファイルを作成できません。";
        case WorkbookProblem::NoChannelSelected:
            return "出力するチャンネルが選択されていないため、Excelファイルを作成できません。";
        case WorkbookProblem::TooManySheets:
            return "ページ数が多すぎるため、Excelファイルを作成できません。";
    }
    return {};
}

}  // namespace mireva::excel
