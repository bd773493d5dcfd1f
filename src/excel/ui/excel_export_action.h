// The main panel's "Excel出力": the report's workbook of the worksheet as it is now,
// saved where the user says and opened in the desktop's spreadsheet program.
#pragma once

#include <QDate>
#include <QString>

#include "core/app_session.h"

class QWidget;

namespace mireva::ui {

// Reads the worksheet, the settings and the current channel selection afresh, checks
// there is something to export (else says why and stops), asks for the file (default
// name from the report name and the date), writes it with a progress dialog the user
// can cancel (an earlier file is then left as it was) and opens it. Every message box
// and the save dialog go through the seams.
void runExcelExport(QWidget* parent, const AppSession& session, const QDate& today = QDate::currentDate());

// "Excelファイルを作成しています。": what the progress dialog of the export says.
QString workbookProgressTitle();

// "報告書_20261210.xlsx": the report name (characters a file name cannot hold become
// "_"; an empty name gives "報告書") and the date.
QString defaultWorkbookName(const QString& reportName, const QDate& date);

}  // namespace mireva::ui
