#include "excel/ui/excel_export_action.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "core/error_reason.h"
#include "uikit/desktop_open.h"
#include "uikit/file_dialogs.h"
#include "uikit/message_boxes.h"
#include "uikit/qt_text.h"
#include "uikit/work_progress_dialog.h"
#include "core/worksheet_document.h"
#include "excel/workbook_export.h"
#include "settings/settings_file.h"
#include "uikit/qt_path.h"

namespace mireva::ui {

namespace {

QString initialFolder() {
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir()) return documents;
    return QDir::homePath();
}

}  // namespace

QString workbookProgressTitle() { return QStringLiteral("Excelファイルを作成しています。"); }

QString defaultWorkbookName(const QString& reportName, const QDate& date) {
    QString base = reportName.trimmed();
    for (QChar& c : base)
        if (c.unicode() < 0x20 || QStringLiteral("/\\:*?\"<>|").contains(c)) c = QLatin1Char('_');
    if (base.isEmpty()) base = QStringLiteral("報告書");
    return base + QLatin1Char('_') + date.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral(".xlsx");
}

void runExcelExport(QWidget* parent, const AppSession& session, const QDate& today) {
    WorksheetDocument worksheet;
    worksheet.load(session.locations.worksheet());  // unreadable: no place, said below

    excel::WorkbookInputs inputs;
    inputs.worksheet = &worksheet;
    inputs.selection = session.summary.current;
    inputs.settings = ReportSettings::defaults();
    SettingsFile settings(session.settingsPath);
    settings.readPrintData2(inputs.settings);
    settings.readBroadcasterNames(inputs.settings);

    if (excel::WorkbookProblem problem = excel::checkWorkbook(inputs); problem != excel::WorkbookProblem::None) {
        MessageBoxes::show(parent, QString::fromStdString(excel::problemMessage(problem)), MessageIcon::Warning);
        return;
    }

    const QString name = defaultWorkbookName(fromSj(SjView{inputs.settings.printData2.report}), today);
    const QString chosen =
        FileDialogs::saveFile(parent, QStringLiteral("Excel出力"), QStringLiteral("Excel ブック (*.xlsx)"),
                              QDir(initialFolder()).filePath(name), QStringLiteral("xlsx"));
    if (chosen.isEmpty()) return;
    if (QFileInfo(chosen).exists() &&
        !MessageBoxes::ask(parent,
                           QStringLiteral("指定のファイルは既に存在します。\n上書きしますがよろしいでしょうか?")))
        return;

    excel::ExportOutcome outcome;
    {
        // The workbook's last parts are written by our own loop: stoppable to the end.
        WorkProgressDialog progress(parent, workbookProgressTitle(), WorkProgressDialog::Unit::Sheets,
                                    WorkProgressDialog::Finishing::Cancellable);
        outcome = excel::exportWorkbook(inputs, toPath(chosen), progress.callback());
    }
    // Cancelled by the user: an earlier file of that name is as it was; nothing to say.
    if (outcome.cancelled) return;
    const QString shown = QDir::toNativeSeparators(chosen);
    if (!outcome.written) {
        // The reason in the user's words when the file itself failed; else what the
        // workbook writer said.
        const std::string reason = outcome.errorNumber != 0 ? errorReason(outcome.errorNumber) : outcome.error;
        MessageBoxes::error(
            parent,
            QStringLiteral("Excelファイルを保存できませんでした。\n%1\n%2").arg(shown, QString::fromStdString(reason)));
        return;
    }
    if (!DesktopOpen::openFile(chosen))
        MessageBoxes::inform(parent, QStringLiteral("Excelファイルを保存しました。\n%1").arg(shown));
}

}  // namespace mireva::ui
