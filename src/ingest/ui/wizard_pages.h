// The two pages of the read wizard: the location table file, then the folder of the
// meter's data. Each keeps the text of its edit when it closes with its forward button.
#pragma once

#include <QDialog>
#include <QString>

class QPushButton;

namespace mireva::ui {

class DropEdit;

inline constexpr int kWizardPathLimit = 511;  // characters an edit of a page holds

// Page 1, "測定場所管理表の選択".
class LocationTablePage : public QDialog {
    Q_OBJECT
public:
    explicit LocationTablePage(QWidget* parent = nullptr);

    QString path() const { return path_; }  // set when the page closes with OK
    DropEdit* edit() const { return edit_; }
    QPushButton* browseButton() const { return browse_; }
    QPushButton* nextButton() const { return next_; }

    void accept() override;

private:
    void browse();

    DropEdit* edit_ = nullptr;
    QPushButton* browse_ = nullptr;
    QPushButton* next_ = nullptr;
    QString path_;
};

// Page 2, "測定データ場所の選択".
class DataFolderPage : public QDialog {
    Q_OBJECT
public:
    explicit DataFolderPage(QWidget* parent = nullptr);

    // Where the folder browser starts: the location table chosen on page 1.
    void setInitialFolder(const QString& folder) { initialFolder_ = folder; }
    QString path() const { return path_; }  // set when the page closes with OK
    DropEdit* edit() const { return edit_; }
    QPushButton* chooseButton() const { return choose_; }
    QPushButton* startButton() const { return start_; }
    QPushButton* backButton() const { return back_; }

    void accept() override;

private:
    void chooseFolder();

    DropEdit* edit_ = nullptr;
    QPushButton* choose_ = nullptr;
    QPushButton* start_ = nullptr;
    QPushButton* back_ = nullptr;
    QString initialFolder_;
    QString path_;
};

}  // namespace mireva::ui
