// Undo and redo of the main panel's worksheet edits: the menu entries "元に戻す" and
// "やり直し" over the panel's worksheet history. Each edit of the panel brackets its
// work with begin() and commit(); undo and redo write the kept worksheet back, fill
// the grid from it and bring back the judgement, the used-channel set, the selection
// and the current row of that moment.
#pragma once

#include <QObject>
#include <QPointer>

#include "panel/worksheet_history.h"

class QAction;

namespace mireva::ui {

class MainPanel;

class WorksheetUndo : public QObject {
    Q_OBJECT
public:
    explicit WorksheetUndo(MainPanel* panel);

    // The menu entries this history drives (texts, greyed state, triggering).
    void attachActions(QAction* undo, QAction* redo);

    // Before an edit: what the panel shows now. The worksheet as it is is kept.
    PanelView begin();
    // After an edit that rewrote the worksheet, with what begin() returned.
    void commit(EditKind kind, PanelView before);
    // A new reading run, 閉じる: every step is dropped.
    void clear();

    void undo();
    void redo();

    const WorksheetHistory& history() const { return history_; }

signals:
    void historyChanged();

private:
    PanelView currentView() const;
    void show(const HistoryMove& move);
    // One step back or forward through the history under the progress box; `failure`
    // and the reason in a message box when it could not be taken.
    void takeStep(HistoryMove (WorksheetHistory::*step)(const WorksheetFiles&), const QString& failure);
    void updateActions();

    MainPanel* panel_;
    WorksheetHistory history_;
    bool prepared_ = false;
    std::string prepareError_;
    QPointer<QAction> undoAction_;
    QPointer<QAction> redoAction_;
};

}  // namespace mireva::ui
