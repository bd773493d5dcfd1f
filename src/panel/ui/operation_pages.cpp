#include "panel/ui/operation_pages.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

#include "uikit/dialog_units.h"
#include "uikit/file_dialogs.h"
#include "uikit/message_boxes.h"

namespace mireva::ui {
namespace {

QLabel* addLabel(QWidget* parent, const QString& text, int x, int y, int w, int h) {
    auto* label = new QLabel(text, parent);
    // Static texts of the templates are sized for the dialog font; let them run on.
    const QRect r = dluRect(x, y, w, h);
    label->setGeometry(r.x(), r.y() - 3, std::max(r.width(), label->sizeHint().width()), r.height() + 6);
    return label;
}

void placeCombo(QComboBox* combo, int x, int y, int w) {
    const QRect r = dluRect(x, y, w, 14);
    combo->setGeometry(r);
}

}  // namespace

OperationPage::OperationPage(int widthUnits, int heightUnits, QWidget* parent) : QWidget(parent) {
    setFixedSize(dluSize(widthUnits, heightUnits));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
}

QPushButton* OperationPage::addButton(const QString& label, int x, int y, int w, int h) {
    auto* button = new QPushButton(label, this);
    button->setGeometry(dluRect(x, y, w, h));
    button->setAutoDefault(false);
    return button;
}

OffsetPage::OffsetPage(QWidget* parent) : OperationPage(340, 52, parent) {
    setObjectName("offsetPage");
    addLabel(this, QStringLiteral("オフセット帯域："), 18, 18, 49, 8);
    group_ = new QComboBox(this);
    group_->addItems({QStringLiteral("地デジ"), QStringLiteral("BS/CS"), QStringLiteral("CATV"),
                      QStringLiteral("CATV上り"), QStringLiteral("JCSAT-3A/4B"), QStringLiteral("SCC-B/C"),
                      QStringLiteral("FM"), QStringLiteral("ｽｶﾊﾟｰ!ﾌﾟﾚﾐｱﾑ光"), QStringLiteral("LTE"),
                      QStringLiteral("PILOT"), QStringLiteral("ALL")});
    group_->setCurrentIndex(0);
    placeCombo(group_, 6, 30, 81);
    addLabel(this, QStringLiteral("オフセット値："), 93, 18, 41, 8);
    sign_ = new QComboBox(this);
    sign_->addItems({QStringLiteral("＋"), QStringLiteral("－")});
    sign_->setCurrentIndex(0);
    placeCombo(sign_, 92, 30, 29);
    value_ = new QLineEdit(this);
    value_->setMaxLength(4);
    value_->setGeometry(dluRect(126, 30, 30, 14));
    addLabel(this, QStringLiteral("dB"), 159, 34, 9, 8);

    connect(addButton(QStringLiteral("オフセット"), 171, 19, 50, 31), &QPushButton::clicked, this,
            &OffsetPage::offsetTyped);
    connect(addButton(QStringLiteral("－10dB"), 226, 3, 50, 14), &QPushButton::clicked, this,
            &OffsetPage::offsetMinusTen);
    connect(addButton(QStringLiteral("－1dB"), 226, 19, 50, 14), &QPushButton::clicked, this,
            &OffsetPage::offsetMinusOne);
    connect(addButton(QStringLiteral("－0.1dB"), 226, 35, 50, 14), &QPushButton::clicked, this,
            &OffsetPage::offsetMinusTenth);
    connect(addButton(QStringLiteral("+10dB"), 281, 3, 50, 14), &QPushButton::clicked, this,
            &OffsetPage::offsetPlusTen);
    connect(addButton(QStringLiteral("＋1dB"), 281, 19, 50, 14), &QPushButton::clicked, this,
            &OffsetPage::offsetPlusOne);
    connect(addButton(QStringLiteral("+0.1dB"), 281, 35, 50, 14), &QPushButton::clicked, this,
            &OffsetPage::offsetPlusTenth);
}

int OffsetPage::offsetGroup() const { return group_->currentIndex(); }
int OffsetPage::signItem() const { return sign_->currentIndex(); }
QString OffsetPage::offsetText() const { return value_->text(); }

RowPage::RowPage(QWidget* parent) : OperationPage(300, 52, parent) {
    setObjectName("rowPage");
    auto* box = new QGroupBox(QStringLiteral("行の並び替え"), this);
    box->setGeometry(dluRect(11, 0, 152, 48));
    box->lower();
    connect(addButton(QStringLiteral("UP"), 20, 10, 54, 16), &QPushButton::clicked, this, &RowPage::movePlacesUp);
    connect(addButton(QStringLiteral("DOWN"), 20, 28, 54, 16), &QPushButton::clicked, this, &RowPage::movePlacesDown);
    QLabel* moveLabel = addLabel(this, QStringLiteral("移動先の行No"), 77, 15, 52, 8);
    moveEdit_ = new QLineEdit(this);
    moveEdit_->setMaxLength(5);
    moveEdit_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), moveEdit_));
    // The label is as wide as its text; the field starts after it, and the group box
    // reaches past the field when the text is wider than the template made room for.
    QRect edit = dluRect(125, 12, 30, 14);
    edit.moveLeft(std::max(edit.left(), moveLabel->geometry().right() + 4));
    moveEdit_->setGeometry(edit);
    QRect frame = box->geometry();
    frame.setRight(std::max(frame.right(), edit.right() + 6));
    box->setGeometry(frame);
    connect(addButton(QStringLiteral("移動"), 75, 28, 80, 16), &QPushButton::clicked, this, &RowPage::moveTo);
    connect(addButton(QStringLiteral("行の削除"), 175, 10, 54, 33), &QPushButton::clicked, this,
            &RowPage::deletePlaces);
}

void RowPage::moveTo() {
    const QString text = moveEdit_->text();
    if (text.isEmpty()) {
        MessageBoxes::error(this, QStringLiteral("移動先の行番号が入力されてません。"));
        return;
    }
    moveText_ = text.left(127);
    emit movePlacesTo();
}

OtherPage::OtherPage(QWidget* parent) : OperationPage(300, 52, parent) {
    setObjectName("otherPage");
    connect(addButton(QStringLiteral("四捨五入"), 20, 10, 54, 16), &QPushButton::clicked, this,
            &OtherPage::roundLevels);
    connect(addButton(QStringLiteral("CSV出力"), 20, 28, 54, 16), &QPushButton::clicked, this,
            &OtherPage::chooseCsvFile);
    connect(addButton(QStringLiteral("グラフ"), 80, 10, 54, 16), &QPushButton::clicked, this,
            &OtherPage::showLevelChart);
}

void OtherPage::chooseCsvFile() {
    const QString path =
        FileDialogs::saveFile(this, QString(), QStringLiteral(" (*.csv *.CSV)"), QString(), QStringLiteral("csv"));
    if (path.isEmpty()) return;
    csvPath_ = path;
    emit writeCsv();
}

}  // namespace mireva::ui
