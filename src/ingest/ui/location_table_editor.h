// The location table editor "測定場所管理表の作成": builds or changes a measurement
// location table without a spreadsheet. The list is the dialog's only state; the
// table is written only to the file the user names.
#pragma once

#include <QDialog>

#include <vector>

#include "ingest/location_table_writer.h"

class QDateEdit;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableView;

namespace mireva::ui {

class DropEdit;
class LocationTableModel;

class CCreateFileDlg : public QDialog {
    Q_OBJECT
public:
    explicit CCreateFileDlg(QWidget* parent = nullptr);

    const std::vector<LocationTableRow>& rows() const;
    QTableView* list() const { return list_; }

    // The steps behind the buttons, callable directly (tests, shortcuts).
    void clearAll();
    void loadFromField();
    void browseForTable();
    void addRow();
    void editRow();
    void deleteRows();
    void addFromFolder();
    // "CSVに保存": save dialog, overwrite question, write. False when nothing was
    // written (cancelled, declined or failed).
    bool saveTable();
    void finish();

    enum class SaveOutcome { Saved, Cancelled, Failed };

    // Asked when a change of "ファイルから読み出し" would empty a list with unsaved rows.
    static QString discardQuestion();
    // Whether rows were added, changed or deleted since the list was loaded, saved or cleared.
    bool hasUnsavedRows() const { return unsaved_ && !rows().empty(); }

private:
    SaveOutcome runSave();
    void copySelectedRowToForm();
    std::vector<int> selectedRows() const;
    LocationTableRow rowFromForm() const;
    void setLimitedText(QLineEdit* edit, const QString& text);

    LocationTableModel* model_ = nullptr;
    QTableView* list_ = nullptr;
    DropEdit* loadEdit_ = nullptr;
    QString lastSaved_;     // where the dialogs start again within this session
    QString loadText_;      // the load field's text the list was last loaded for
    bool unsaved_ = false;  // rows changed since the list was loaded, saved or cleared
    QString lastScanFolder_;
    QRadioButton* single_ = nullptr;
    QRadioButton* multi_ = nullptr;
    QDateEdit* date_ = nullptr;
    QLineEdit* fileName_ = nullptr;
    QLineEdit* placement1_ = nullptr;
    QLineEdit* placement2_ = nullptr;
};

}  // namespace mireva::ui
