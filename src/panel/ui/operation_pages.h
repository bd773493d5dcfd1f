// The three pages under the main panel's operation tabs. Their buttons only forward
// requests (signals) to the panel; the panel reads the pages' fields when it acts.
#pragma once

#include <QString>
#include <QWidget>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace mireva::ui {

// White page of a fixed size in dialog units.
class OperationPage : public QWidget {
    Q_OBJECT
public:
    OperationPage(int widthUnits, int heightUnits, QWidget* parent);

protected:
    QPushButton* addButton(const QString& label, int x, int y, int w, int h);
};

// "オフセット": offset group, sign, typed value and the six step buttons.
class OffsetPage : public OperationPage {
    Q_OBJECT
public:
    explicit OffsetPage(QWidget* parent = nullptr);

    int offsetGroup() const;  // item of the offset group list, 0-10 (10 = "ALL")
    int signItem() const;     // 0 "＋", 1 "－"
    QString offsetText() const;
    QComboBox* groupList() const { return group_; }
    QComboBox* signList() const { return sign_; }
    QLineEdit* valueEdit() const { return value_; }

signals:
    void offsetMinusTenth();
    void offsetMinusOne();
    void offsetMinusTen();
    void offsetPlusTenth();
    void offsetPlusOne();
    void offsetPlusTen();
    void offsetTyped();

private:
    QComboBox* group_ = nullptr;
    QComboBox* sign_ = nullptr;
    QLineEdit* value_ = nullptr;
};

// "行単位の操作": moving and deleting whole places.
class RowPage : public OperationPage {
    Q_OBJECT
public:
    explicit RowPage(QWidget* parent = nullptr);

    // The row No typed for "移動", kept when the button was pressed.
    QString moveText() const { return moveText_; }
    QLineEdit* moveEdit() const { return moveEdit_; }

signals:
    void movePlacesUp();
    void movePlacesDown();
    void movePlacesTo();
    void deletePlaces();

private:
    void moveTo();

    QLineEdit* moveEdit_ = nullptr;
    QString moveText_;
};

// "その他": rounding, CSV output and the level chart.
class OtherPage : public OperationPage {
    Q_OBJECT
public:
    explicit OtherPage(QWidget* parent = nullptr);

    // The file chosen for the last "CSV出力".
    QString csvPath() const { return csvPath_; }

signals:
    void roundLevels();
    void writeCsv();
    void showLevelChart();

private:
    void chooseCsvFile();

    QString csvPath_;
};

}  // namespace mireva::ui
