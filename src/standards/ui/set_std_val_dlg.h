// The standard value dialog "基準値の設定": 17 edits in two columns, each at most 5
// characters. OK validates every edit in order (one message per faulty edit) and
// saves only when all are accepted; Enter and Esc do nothing; the close box closes
// without saving.
#pragma once

#include <QDialog>

#include <array>
#include <filesystem>

#include "settings/report_settings.h"

class QLineEdit;
class QPushButton;

namespace mireva::ui {

class CSetStdValDlg : public QDialog {
    Q_OBJECT
public:
    explicit CSetStdValDlg(std::filesystem::path settingsPath, QWidget* parent = nullptr);

    // The edit of a standard value (StandardKey order); its object name is the key.
    QLineEdit* edit(int key) const { return edits_[key]; }
    QPushButton* okButton() const { return ok_; }

    static constexpr int kMaxChars = 5;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void onOk();

    std::filesystem::path settingsPath_;
    std::array<QLineEdit*, kStandardValueCount> edits_{};
    QPushButton* ok_ = nullptr;
};

// Opens the dialog modally (menu 基準値の設定 > 設定); true when the values were saved.
bool showStandardValuesDialog(QWidget* parent, const std::filesystem::path& settingsPath);

}  // namespace mireva::ui
