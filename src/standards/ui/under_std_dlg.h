// The judgement dialog "基準値判定": the 17 standard values and the list of levels
// at or below them, which "CSVに保存" saves as a CSV file. Opening it takes the
// details of the last judgement and empties them, so a second opening without a new
// judgement shows an empty list.
#pragma once

#include <QDialog>

#include <filesystem>
#include <vector>

#include "standards/judgement.h"

class QLabel;
class QPushButton;
class QTableView;

namespace mireva::ui {

class CUnderStdDlg : public QDialog {
    Q_OBJECT
public:
    CUnderStdDlg(JudgementResult& result, std::filesystem::path settingsPath, QWidget* parent = nullptr);

    const std::vector<JudgementRow>& rows() const { return rows_; }
    QTableView* list() const { return list_; }
    // The value line of a standard value (StandardKey order).
    QLabel* valueLabel(int key) const { return values_[key]; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* saveButton() const { return save_; }

    // "CSVに保存": asks for a file, asks before overwriting, writes the list.
    void saveCsv();

private:
    std::filesystem::path settingsPath_;
    std::vector<JudgementRow> rows_;
    std::array<QLabel*, kStandardValueCount> values_{};
    QTableView* list_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* save_ = nullptr;
};

// Shows the dialog modally over `parent`.
void showJudgementDialog(QWidget* parent, JudgementResult& result, const std::filesystem::path& settingsPath);

}  // namespace mireva::ui
