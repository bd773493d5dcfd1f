// The format 1 report data form: report name, subject, title, property, test date,
// weather, tester, equipment, footer and notes, kept in section PrintData2 of the
// settings file. Captioned with the format 1 name; "保存" writes the ten values,
// "キャンセル" (or closing the window) writes nothing.
#pragma once

#include <QDialog>

#include <array>
#include <filesystem>

#include "settings/report_settings.h"

class QLineEdit;
class QPushButton;

namespace mireva::ui {

class CSetDoc2Dlg : public QDialog {
    Q_OBJECT
public:
    // One edit per PrintData2 key, top to bottom.
    enum Field {
        Report,
        Subject,
        Title,
        ProperName,
        MeasureDate,
        Weather,
        MeasureName,
        MeasureEquip,
        Footer,
        AddNote,
        FieldCount
    };

    explicit CSetDoc2Dlg(std::filesystem::path settingsFile, QWidget* parent = nullptr);

    QLineEdit* edit(Field field) const { return edits_[field]; }
    QPushButton* saveButton() const { return save_; }
    QPushButton* cancelButton() const { return cancel_; }

    static int inputLimit(Field field);

private:
    void saveAndClose();

    std::filesystem::path settingsFile_;
    ReportSettings settings_;
    std::array<QLineEdit*, FieldCount> edits_{};
    QPushButton* save_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

// Opens the form modally from the menu, for the settings file given.
void showReportDataForm(QWidget* parent, const std::filesystem::path& settingsFile);

}  // namespace mireva::ui
