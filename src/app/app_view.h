// The view inside the main window: it holds the program's shared state (data
// locations, settings file, used-channel sets), the read panel and the main panel, one
// of them visible, and receives every request of the menu, the wizard and the panels.
// Each request is one short slot; the dialogs of the menu are opened from there.
#pragma once

#include <QWidget>

#include <memory>

#include "core/app_session.h"

class QAction;

namespace mireva::ui {

class MainPanel;
class ReadPanel;
class ReportPrinting;

// Menu entries whose state or text the view sets.
struct ViewMenuEntries {
    QAction* print = nullptr;         // "印刷(&P)..."
    QAction* preview = nullptr;       // "印刷プレビュー(&V)"
    QAction* reportFormat = nullptr;  // "フォーマット１": the first format name
    QAction* undo = nullptr;          // "元に戻す(&U)", named after the step it undoes
    QAction* redo = nullptr;          // "やり直し(&R)"
};

class AppView : public QWidget {
    Q_OBJECT
public:
    explicit AppView(QWidget* parent = nullptr);
    ~AppView() override;

    AppSession& session() { return session_; }
    MainPanel* mainPanel() const { return mainPanel_; }
    ReadPanel* readPanel() const { return readPanel_; }

    // Called once by the frame after it built the menu: the format name into the menu,
    // and the print entries greyed.
    void attachMenu(const ViewMenuEntries& entries);
    void setPrintEntriesEnabled(bool enabled);

    static QString title();  // "Mireva３　ver" and the version

signals:
    // The main panel has been shown after a reading run: the frame makes room for it.
    void mainPanelShown();

public slots:
    // Requests of the read wizard and the main panel.
    void startWorksheet();
    void closeWorksheet();
    void printReport();
    void previewReport();
    void resetWorksheet();
    void exportExcel();

    // Menu entries.
    void print();
    void printPreview();
    void printerSetup();
    void channelSettings();
    void reportDataForm();
    void locationTableEditor();
    void standardValues();
    void about();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    AppSession session_;
    MainPanel* mainPanel_ = nullptr;
    ReadPanel* readPanel_ = nullptr;
    ViewMenuEntries menu_;
    std::unique_ptr<ReportPrinting> printing_;  // keeps the chosen printer and paper
};

}  // namespace mireva::ui
