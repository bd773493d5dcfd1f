#include "panel/ui/worksheet_undo.h"

#include <QAction>
#include <QItemSelection>
#include <QItemSelectionModel>
#include <QScrollBar>

#include "uikit/message_boxes.h"
#include "uikit/progress_box.h"
#include "panel/ui/main_panel.h"
#include "panel/ui/worksheet_grid.h"
#include "panel/ui/worksheet_grid_model.h"

namespace mireva::ui {

namespace {

std::filesystem::path historyFolder(const AppSession& session) {
    return session.locations.folder() / "worksheet_history";
}

}  // namespace

WorksheetUndo::WorksheetUndo(MainPanel* panel)
    : QObject(panel), panel_(panel), history_(historyFolder(panel->session())) {}

void WorksheetUndo::attachActions(QAction* undo, QAction* redo) {
    undoAction_ = undo;
    redoAction_ = redo;
    if (undo) connect(undo, &QAction::triggered, this, &WorksheetUndo::undo);
    if (redo) connect(redo, &QAction::triggered, this, &WorksheetUndo::redo);
    updateActions();
}

PanelView WorksheetUndo::currentView() const {
    PanelView view;
    const QList<int> rows = panel_->grid()->selectedRowIndexes();
    view.selectedRows.assign(rows.begin(), rows.end());
    const QModelIndex current = panel_->grid()->selectionModel()->currentIndex();
    view.currentRow = current.isValid() ? current.row() : -1;
    view.judgement = panel_->judgement();
    view.summary = panel_->session().summary.current;
    return view;
}

PanelView WorksheetUndo::begin() {
    prepareError_.clear();
    prepared_ = history_.prepare(panel_->session().locations.worksheet(), &prepareError_);
    return currentView();
}

void WorksheetUndo::commit(EditKind kind, PanelView before) {
    std::string error = prepareError_;
    const bool kept = prepared_ && history_.record(kind, panel_->session().locations.worksheet(), std::move(before),
                                                   currentView(), &error);
    prepared_ = false;
    updateActions();
    if (!kept) {
        MessageBoxes::error(panel_, QStringLiteral("この操作は元に戻せません。\n") + QString::fromStdString(error));
    }
}

void WorksheetUndo::clear() {
    history_.clear();
    prepared_ = false;
    updateActions();
}

void WorksheetUndo::undo() {
    if (history_.canUndo())
        takeStep(&WorksheetHistory::undo, QStringLiteral("元に戻せませんでした。測定データは変更されていません。\n"));
}

void WorksheetUndo::redo() {
    if (history_.canRedo())
        takeStep(&WorksheetHistory::redo, QStringLiteral("やり直せませんでした。測定データは変更されていません。\n"));
}

void WorksheetUndo::takeStep(HistoryMove (WorksheetHistory::*step)(const WorksheetFiles&), const QString& failure) {
    HistoryMove move;
    {
        ProgressBox progress(panel_, ProgressBox::processingText());
        move = (history_.*step)(WorksheetFiles::of(panel_->session().locations));
        if (move.done) show(move);
    }
    updateActions();
    if (!move.done) MessageBoxes::error(panel_, failure + QString::fromStdString(move.error));
}

void WorksheetUndo::show(const HistoryMove& move) {
    QScrollBar* bar = panel_->grid()->verticalScrollBar();
    const int scrolled = bar->value();
    if (move.summaryChanged) panel_->session().summary.current = move.view.summary;
    panel_->fillGrid();
    panel_->judgement() = move.view.judgement;
    panel_->applyBelowStandardRows();
    panel_->grid()->selectRows(move.view.selectedRows, move.view.currentRow);
    bar->setValue(scrolled);
}

void WorksheetUndo::updateActions() {
    if (undoAction_) {
        const bool can = history_.canUndo();
        undoAction_->setEnabled(can);
        undoAction_->setText(
            can ? QStringLiteral("元に戻す: %1(&U)").arg(QString::fromUtf8(editKindName(history_.undoKind())))
                : QStringLiteral("元に戻す(&U)"));
    }
    if (redoAction_) {
        const bool can = history_.canRedo();
        redoAction_->setEnabled(can);
        redoAction_->setText(
            can ? QStringLiteral("やり直し: %1(&R)").arg(QString::fromUtf8(editKindName(history_.redoKind())))
                : QStringLiteral("やり直し(&R)"));
    }
    emit historyChanged();
}

}  // namespace mireva::ui
