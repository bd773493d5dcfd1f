// The panel the program shows while no worksheet is open: one large button that runs
// the read wizard. It keeps the two chosen paths for the life of the program and asks
// the view to start the reading run when the wizard is finished.
#pragma once

#include <QString>
#include <QWidget>

class QPushButton;

namespace mireva::ui {

class ReadPanel : public QWidget {
    Q_OBJECT
public:
    explicit ReadPanel(QWidget* parent = nullptr);

    QString locationTablePath() const { return locationTablePath_; }
    QString dataFolderPath() const { return dataFolderPath_; }
    QPushButton* startButton() const { return start_; }

    // "読込処理開始": the wizard, then startWorksheet() when it was finished.
    void runWizard();

signals:
    // Handled synchronously: when it returns, the run and its messages are over.
    void startWorksheet();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QPushButton* start_ = nullptr;
    QString locationTablePath_;
    QString dataFolderPath_;
};

}  // namespace mireva::ui
