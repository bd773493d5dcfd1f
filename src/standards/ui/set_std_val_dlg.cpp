#include "standards/ui/set_std_val_dlg.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QValidator>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

#include "uikit/message_boxes.h"
#include "uikit/qt_text.h"
#include "settings/settings_file.h"
#include "standards/standard_values.h"

namespace mireva::ui {

namespace {

// The edit's input limit: typing or pasting cannot make the text longer than the
// limit, but a longer value read from the settings file is shown whole (and can
// only be shortened), so opening the dialog and pressing OK never cuts it.
class LengthLimit : public QValidator {
public:
    LengthLimit(QLineEdit* edit, int limit) : QValidator(edit), limit_(limit), allowed_(limit) {
        connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) {
            allowed_ = std::max(limit_, std::min(allowed_, static_cast<int>(text.size())));
        });
    }
    // Lets the text set at opening keep its length, however long (call before setText).
    void allowCurrent(const QString& text) { allowed_ = std::max(limit_, static_cast<int>(text.size())); }
    State validate(QString& input, int&) const override { return input.size() <= allowed_ ? Acceptable : Invalid; }

private:
    int limit_;
    int allowed_;
};

// Rows of the dialog: left and right standard value of each row (-1: none).
constexpr int kRows[9][2] = {
    {kStdUhf, -1},
    {kStdBsCs, kStdBsLCsL},
    {kStdCatv, kStdCatvUp},
    {kStdJcsat3aH, kStdJcsat3a},
    {kStdJcsat4bH, kStdJcsat4b},
    {kStdSccBH, kStdSccB},
    {kStdSccCH, kStdSccC},
    {kStdFm, kStdSkyp},
    {kStdLte, kStdPilot},
};

}  // namespace

CSetStdValDlg::CSetStdValDlg(std::filesystem::path settingsPath, QWidget* parent)
    : QDialog(parent), settingsPath_(std::move(settingsPath)) {
    setWindowTitle(QStringLiteral("基準値の設定"));

    ReportSettings settings = ReportSettings::defaults();
    SettingsFile(settingsPath_).readStandardValues(settings);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setColumnMinimumWidth(3, 24);
    std::vector<QWidget*> tabOrder;  // row by row, left before right
    for (int row = 0; row < 9; ++row) {
        for (int side = 0; side < 2; ++side) {
            int key = kRows[row][side];
            if (key < 0) continue;
            int column = side * 4;
            auto* label = new QLabel(fromSj(standardValueLabel(key)));
            auto* edit = new QLineEdit;
            edit->setObjectName(QString::fromLatin1(standardValueKey(key)));
            auto* limit = new LengthLimit(edit, kMaxChars);
            edit->setValidator(limit);
            const QString stored = fromSj(SjView{settings.standardValues[key]});
            limit->allowCurrent(stored);
            edit->setText(stored);
            edit->setFixedWidth(64);
            label->setBuddy(edit);
            grid->addWidget(label, row, column);
            grid->addWidget(edit, row, column + 1);
            grid->addWidget(new QLabel(QStringLiteral("dBμV")), row, column + 2);
            edits_[key] = edit;
            tabOrder.push_back(edit);
        }
    }

    auto* note = new QLabel(QStringLiteral("※基準値の判定は、データの読み込み時に行われます。"));
    ok_ = new QPushButton(QStringLiteral("OK"));
    // Enter must not press OK.
    ok_->setAutoDefault(false);
    ok_->setDefault(false);
    connect(ok_, &QPushButton::clicked, this, &CSetStdValDlg::onOk);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addWidget(note);
    layout->addLayout(buttons);
    tabOrder.push_back(ok_);
    for (size_t i = 1; i < tabOrder.size(); ++i) setTabOrder(tabOrder[i - 1], tabOrder[i]);
    setFixedSize(sizeHint());
}

void CSetStdValDlg::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            event->accept();  // neither presses OK nor closes the dialog
            return;
        default:
            QDialog::keyPressEvent(event);
    }
}

void CSetStdValDlg::onOk() {
    ReportSettings settings = ReportSettings::defaults();
    for (int k = 0; k < kStandardValueCount; ++k) settings.standardValues[k] = toSj(edits_[k]->text()).bytes;
    const std::vector<Sj> messages = validateStandardValues(settings.standardValues);
    for (const Sj& message : messages) MessageBoxes::show(this, fromSj(message), MessageIcon::Error);
    if (!messages.empty()) return;

    std::string error;
    if (!SettingsFile(settingsPath_).writeStandardValues(settings, &error)) {
        // The dialog stays open, so the typed values are not lost.
        MessageBoxes::show(this, QStringLiteral("基準値を保存できませんでした。\n") + QString::fromStdString(error),
                           MessageIcon::Error);
        return;
    }
    accept();
}

bool showStandardValuesDialog(QWidget* parent, const std::filesystem::path& settingsPath) {
    CSetStdValDlg dialog(settingsPath, parent);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace mireva::ui
