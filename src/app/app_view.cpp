#include "app/app_view.h"

#include <QAction>
#include <QResizeEvent>

#include "app/about_dialog.h"
#include "uikit/message_boxes.h"
#include "uikit/qt_text.h"
#include "channels/ui/set_ch_dlg.h"
#include "excel/ui/excel_export_action.h"
#include "ingest/ui/location_table_editor.h"
#include "ingest/ui/read_panel.h"
#include "panel/ui/main_panel.h"
#include "panel/ui/worksheet_grid.h"
#include "panel/ui/worksheet_undo.h"
#include "settings/settings_file.h"
#include "reports/ui/report_data_form.h"
#include "reports/ui/report_printing.h"
#include "standards/ui/set_std_val_dlg.h"
#include "uikit/qt_path.h"
#include "core/version.h"

namespace mireva::ui {

AppView::AppView(QWidget* parent) : QWidget(parent), printing_(std::make_unique<ReportPrinting>(this)) {
    setObjectName("appView");
    std::string error;
    session_.locations = DataLocations::resolve(&error);
    session_.settingsPath = session_.locations.settingsFile();
    if (!error.empty()) {
        MessageBoxes::error(this, QStringLiteral("データフォルダを使用できません。\n%1\n%2")
                                      .arg(pathText(session_.locations.folder()), QString::fromStdString(error)));
    }

    mainPanel_ = new MainPanel(session_, this);
    mainPanel_->hide();
    readPanel_ = new ReadPanel(this);

    connect(readPanel_, &ReadPanel::startWorksheet, this, &AppView::startWorksheet);
    connect(mainPanel_, &MainPanel::closeWorksheet, this, &AppView::closeWorksheet);
    connect(mainPanel_, &MainPanel::printReport, this, &AppView::printReport);
    connect(mainPanel_, &MainPanel::previewReport, this, &AppView::previewReport);
    connect(mainPanel_, &MainPanel::resetWorksheet, this, &AppView::resetWorksheet);
    connect(mainPanel_, &MainPanel::exportExcel, this, &AppView::exportExcel);
}

AppView::~AppView() = default;

QString AppView::title() { return QStringLiteral("Mireva３　ver" MIREVA_VERSION); }

void AppView::attachMenu(const ViewMenuEntries& entries) {
    menu_ = entries;
    SettingsFile file(session_.settingsPath);
    ReportSettings settings;
    file.readFormatNames(settings);
    // The name is the user's text: an "&" in it is shown, not taken as a shortcut mark.
    if (menu_.reportFormat)
        menu_.reportFormat->setText(fromSj(SjView{settings.format1}).replace('&', QStringLiteral("&&")));
    file.writeFormatNames(settings);
    setPrintEntriesEnabled(false);
    mainPanel_->worksheetUndo()->attachActions(menu_.undo, menu_.redo);
}

void AppView::setPrintEntriesEnabled(bool enabled) {
    if (menu_.print) menu_.print->setEnabled(enabled);
    if (menu_.preview) menu_.preview->setEnabled(enabled);
}

void AppView::startWorksheet() {
    mainPanel_->setLocationTablePath(readPanel_->locationTablePath());
    mainPanel_->setDataFolderPath(readPanel_->dataFolderPath());
    mainPanel_->setResetRequest(false);
    mainPanel_->runReading();
    mainPanel_->show();
    readPanel_->hide();
    emit mainPanelShown();
    setPrintEntriesEnabled(true);
    mainPanel_->grid()->setFullRowSelectionAndGridLines();
    if (mainPanel_->belowStandardFlag()) mainPanel_->showJudgementDialog();
}

void AppView::closeWorksheet() {
    setPrintEntriesEnabled(false);
    mainPanel_->worksheetUndo()->clear();  // the worksheet on disk stays as it is
    readPanel_->show();
    mainPanel_->hide();
}

void AppView::printReport() { print(); }

void AppView::previewReport() { printPreview(); }

void AppView::resetWorksheet() {
    mainPanel_->setResetRequest(true);
    mainPanel_->runReading();
    mainPanel_->showJudgementDialog();
}

void AppView::exportExcel() { runExcelExport(window(), session_); }

// Printing and preview read the worksheet, the current selection and the report
// data as they are at the request.
void AppView::print() {
    printing_->print({session_.locations.worksheet(), session_.summary.current, session_.settingsPath}, QString());
}

void AppView::printPreview() {
    printing_->preview({session_.locations.worksheet(), session_.summary.current, session_.settingsPath}, QString());
}

void AppView::printerSetup() { printing_->printerSetup(); }

void AppView::channelSettings() {
    CSetChDlg dialog(session_, window());
    // The grid heads its columns with the broadcaster names: show the confirmed ones at once.
    if (dialog.exec() == QDialog::Accepted && !mainPanel_->isHidden()) mainPanel_->refreshGrid();
}

void AppView::reportDataForm() { showReportDataForm(window(), session_.settingsPath); }

void AppView::locationTableEditor() {
    CCreateFileDlg dialog(window());
    dialog.exec();
}

void AppView::standardValues() { showStandardValuesDialog(window(), session_.settingsPath); }

void AppView::about() {
    AboutDialog dialog(window());
    dialog.exec();
}

void AppView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    mainPanel_->setGeometry(rect());
    readPanel_->setGeometry(rect());
}

}  // namespace mireva::ui
