#include "panel/ui/panel_operations.h"

#include <QItemSelection>
#include <QItemSelectionModel>
#include <QScrollBar>

#include <memory>

#include "uikit/message_boxes.h"
#include "uikit/progress_box.h"
#include "panel/ui/main_panel.h"
#include "panel/ui/operation_pages.h"
#include "panel/ui/worksheet_grid.h"
#include "panel/ui/worksheet_grid_model.h"
#include "panel/ui/worksheet_undo.h"
#include "settings/settings_file.h"
#include "uikit/qt_path.h"

namespace mireva::ui {

namespace {

QString text(const char* utf8) { return QString::fromUtf8(utf8); }

}  // namespace

PanelOperations::PanelOperations(MainPanel* panel) : QObject(panel), panel_(panel) {
    connect(panel, &MainPanel::offsetMinusTenth, this, [this] { offsetBy("0.1", OffsetSign::Minus); });
    connect(panel, &MainPanel::offsetMinusOne, this, [this] { offsetBy("1.0", OffsetSign::Minus); });
    connect(panel, &MainPanel::offsetMinusTen, this, [this] { offsetBy("10.0", OffsetSign::Minus); });
    connect(panel, &MainPanel::offsetPlusTenth, this, [this] { offsetBy("0.1", OffsetSign::Plus); });
    connect(panel, &MainPanel::offsetPlusOne, this, [this] { offsetBy("1.0", OffsetSign::Plus); });
    connect(panel, &MainPanel::offsetPlusTen, this, [this] { offsetBy("10.0", OffsetSign::Plus); });
    connect(panel, &MainPanel::offsetTyped, this, &PanelOperations::offsetTyped);
    connect(panel, &MainPanel::movePlacesUp, this, &PanelOperations::moveUp);
    connect(panel, &MainPanel::movePlacesDown, this, &PanelOperations::moveDown);
    connect(panel, &MainPanel::movePlacesTo, this, &PanelOperations::moveTo);
    connect(panel, &MainPanel::deletePlaces, this, &PanelOperations::deleteSelected);
    connect(panel, &MainPanel::roundLevels, this, &PanelOperations::roundLevels);
    connect(panel, &MainPanel::writeCsv, this, &PanelOperations::writeCsv);
}

WorksheetFiles PanelOperations::files() const { return WorksheetFiles::of(panel_->session().locations); }

std::vector<int> PanelOperations::selectedRows() const {
    const QList<int> rows = panel_->grid()->selectedRowIndexes();
    return std::vector<int>(rows.begin(), rows.end());
}

void PanelOperations::selectRows(const std::vector<int>& rows) {
    // Keyboard moves go on from the first selected row, and the view shows it (a place
    // moved far away by 移動 comes into view; a row already in view does not scroll).
    panel_->grid()->selectRows(rows, rows.empty() ? -1 : rows.front());
}

void PanelOperations::show(const PanelMessages& messages) {
    for (const PanelMessage& m : messages) {
        MessageBoxes::show(panel_, QString::fromStdString(m.text),
                           m.errorIcon ? MessageIcon::Error : MessageIcon::None);
    }
}

void PanelOperations::refill(bool judge) {
    QScrollBar* bar = panel_->grid()->verticalScrollBar();
    const int scrolled = bar->value();
    if (judge) {
        panel_->refreshGrid();
    } else {
        panel_->fillGrid();
    }
    bar->setValue(scrolled);
}

void PanelOperations::offsetBy(const char* valueText, OffsetSign sign) { offset(valueText, sign); }

void PanelOperations::offsetTyped() {
    if (selectedRows().empty()) {
        MessageBoxes::error(panel_, text(panel_text::kNoOffsetRows));
        return;
    }
    const std::string typed = panel_->offsetPage()->offsetText().toStdString();
    const PanelMessages refused = validateOffsetText(typed);
    if (!refused.empty()) {
        show(refused);
        return;
    }
    offset(typed, panel_->offsetPage()->signItem() == 0 ? OffsetSign::Plus : OffsetSign::Minus);
}

void PanelOperations::offset(const std::string& valueText, OffsetSign sign) {
    const std::vector<int> rows = selectedRows();
    if (rows.empty()) {
        MessageBoxes::error(panel_, text(panel_text::kNoOffsetRows));
        return;
    }
    const OffsetRequest request{valueText, sign, panel_->offsetPage()->offsetGroup(), rows.front(), rows.back()};
    PanelView before = panel_->worksheetUndo()->begin();
    const EditOutcome outcome = offsetWorksheetFile(files(), request);
    show(outcome.messages);
    refill(true);
    std::vector<int> range;
    for (int r = request.firstRow; r <= request.lastRow; ++r) range.push_back(r);
    selectRows(range);
    if (outcome.changed) panel_->worksheetUndo()->commit(EditKind::Offset, std::move(before));
}

void PanelOperations::finishRowOperation(const EditOutcome& outcome, const GridState& state) {
    show(outcome.messages);
    if (outcome.failed) {
        // The file kept its content: the grid shows it again, judged afresh.
        refill(true);
        return;
    }
    if (!outcome.changed) return;
    refill(false);
    panel_->belowStandardRows() = state.belowStandardRows;
    panel_->applyBelowStandardRows();
    selectRows(state.selectedRows);
}

void PanelOperations::move(MoveDirection direction) {
    GridState state{{}, selectedRows(), panel_->belowStandardRows()};
    PanelView before = panel_->worksheetUndo()->begin();
    const EditOutcome outcome =
        runRowOperation(files(), state, [direction](GridState& g) { return movePlaces(g, direction); });
    finishRowOperation(outcome, state);
    if (outcome.changed) panel_->worksheetUndo()->commit(EditKind::Move, std::move(before));
}

void PanelOperations::moveTo() {
    GridState state{{}, selectedRows(), panel_->belowStandardRows()};
    const std::string target = panel_->rowPage()->moveText().toStdString();
    PanelView before = panel_->worksheetUndo()->begin();
    std::unique_ptr<ProgressBox> progress;
    const EditOutcome outcome = runRowOperation(
        files(), state, [&target](GridState& g) { return movePlacesTo(g, target); },
        [&] { progress = std::make_unique<ProgressBox>(panel_, ProgressBox::processingText()); });
    progress.reset();
    finishRowOperation(outcome, state);
    if (outcome.changed) panel_->worksheetUndo()->commit(EditKind::Move, std::move(before));
}

void PanelOperations::deleteSelected() {
    GridState state{{}, selectedRows(), panel_->belowStandardRows()};
    bool asked = false;
    PanelView before = panel_->worksheetUndo()->begin();
    std::unique_ptr<ProgressBox> progress;
    const EditOutcome outcome = runRowOperation(files(), state, [&](GridState& g) {
        if (auto refused = checkDelete(g)) return RowOpResult{{*refused}, false, false};
        asked = true;
        if (!MessageBoxes::ask(panel_, text(panel_text::kConfirmDelete))) return RowOpResult{};
        progress = std::make_unique<ProgressBox>(panel_, ProgressBox::processingText());
        return deletePlaces(g);
    });
    progress.reset();
    finishRowOperation(outcome, state);
    // The channels in use are counted again whatever the answer was.
    if (asked) recountChannelsInUse(files(), panel_->session().summary.current);
    if (outcome.changed) panel_->worksheetUndo()->commit(EditKind::Delete, std::move(before));
}

void PanelOperations::roundLevels() {
    PanelView before = panel_->worksheetUndo()->begin();
    ProgressBox progress(panel_, ProgressBox::processingText());
    const EditOutcome outcome = roundWorksheetFile(files());
    refill(true);
    progress.close();
    show(outcome.messages);
    if (outcome.changed) panel_->worksheetUndo()->commit(EditKind::Round, std::move(before));
}

void PanelOperations::writeCsv() {
    const QString path = panel_->otherPage()->csvPath();
    if (path.isEmpty()) return;
    ReportSettings settings;
    SettingsFile(panel_->session().settingsPath).readBroadcasterNames(settings);
    EditOutcome outcome;
    {
        ProgressBox progress(panel_, text(panel_text::kWritingCsv));
        outcome = writeCsvFile(files(), toPath(path), panel_->session().summary.current.channelHasValue,
                               settings.broadcasterNames);
    }
    show(outcome.messages);
}

}  // namespace mireva::ui
