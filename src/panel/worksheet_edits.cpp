#include "panel/worksheet_edits.h"

#include <cerrno>

#include "core/error_reason.h"
#include "core/file_io.h"
#include "core/worksheet_document.h"
#include "core/worksheet_lines.h"
#include "core/aggregation_summary.h"
#include "panel/csv_output.h"
#include "panel/level_rounding.h"

namespace mireva {

PanelMessage fileFailure(const char* text, const std::filesystem::path& file, int errorNumber) {
    std::string message = std::string(text) + "\n" + file.string();
    if (errorNumber != 0) message += "\n" + errorReason(errorNumber);
    return {message, true};
}

namespace {

// Loads, edits and saves; `edit` returns false when it left the worksheet unchanged.
EditOutcome editFile(const WorksheetFiles& files, const std::function<bool(WorksheetDocument&)>& edit) {
    EditOutcome outcome;
    WorksheetDocument worksheet;
    if (!worksheet.load(files.worksheet)) {
        outcome.failed = true;
        outcome.messages.push_back(fileFailure(panel_text::kWorksheetNotRead, files.worksheet, errno));
        return outcome;
    }
    if (!edit(worksheet)) return outcome;
    int errorNumber = 0;
    if (!worksheet.save(files.worksheet, nullptr, &errorNumber)) {
        outcome.failed = true;
        outcome.messages.push_back(fileFailure(panel_text::kWorksheetNotSaved, files.worksheet, errorNumber));
        return outcome;
    }
    outcome.changed = true;
    return outcome;
}

}  // namespace

EditOutcome offsetWorksheetFile(const WorksheetFiles& files, const OffsetRequest& request) {
    return editFile(files, [&](WorksheetDocument& ws) { return applyOffset(ws, request) > 0; });
}

EditOutcome roundWorksheetFile(const WorksheetFiles& files) {
    EditOutcome outcome = editFile(files, [](WorksheetDocument& ws) {
        roundAllLevels(ws);
        return true;
    });
    outcome.showProgress = true;
    return outcome;
}

EditOutcome runRowOperation(const WorksheetFiles& files, GridState& state,
                            const std::function<RowOpResult(GridState&)>& operation,
                            const std::function<void()>& beforeSaving) {
    EditOutcome outcome;
    GridState work;
    if (!work.worksheet.load(files.worksheet)) {
        outcome.failed = true;
        outcome.messages.push_back(fileFailure(panel_text::kWorksheetNotRead, files.worksheet, errno));
        return outcome;
    }
    work.selectedRows = state.selectedRows;
    work.belowStandardRows = state.belowStandardRows;
    RowOpResult r = operation(work);
    outcome.messages = std::move(r.messages);
    outcome.showProgress = r.showProgress;
    if (r.worksheetChanged) {
        if (r.showProgress && beforeSaving) beforeSaving();
        int errorNumber = 0;
        if (!work.worksheet.save(files.worksheet, nullptr, &errorNumber)) {
            outcome.failed = true;
            outcome.messages.push_back(fileFailure(panel_text::kWorksheetNotSaved, files.worksheet, errorNumber));
            return outcome;
        }
        outcome.changed = true;
    }
    state = std::move(work);
    return outcome;
}

bool recountChannelsInUse(const WorksheetFiles& files, AggregationSummary& current) {
    return recomputeChannelPresence(files.worksheet, current);
}

EditOutcome writeCsvFile(const WorksheetFiles& files, const std::filesystem::path& out,
                         const std::array<int, kChannelCount>& channelInUse,
                         const std::array<std::string, kChannelCount>& broadcasterNames) {
    EditOutcome outcome;
    outcome.showProgress = true;
    WorksheetLines worksheet;
    if (!worksheet.load(files.worksheet)) {
        outcome.failed = true;
        outcome.messages.push_back(fileFailure(panel_text::kWorksheetNotRead, files.worksheet, errno));
        return outcome;
    }
    int errorNumber = 0;
    if (!replaceFileContent(out, worksheetCsv(worksheet, channelInUse, broadcasterNames), nullptr, &errorNumber)) {
        outcome.failed = true;
        outcome.messages.push_back(fileFailure(panel_text::kCsvFailed, out, errorNumber));
        return outcome;
    }
    outcome.changed = true;
    outcome.messages.push_back({panel_text::kCsvDone, false});
    return outcome;
}

bool resetWorksheet(const WorksheetFiles& files, SummarySets& sets, std::string* error) {
    const bool copied = copyFileReplacing(files.reset, files.worksheet, error);
    sets.restoreSaved();
    return copied;
}

}  // namespace mireva
