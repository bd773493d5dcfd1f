#include "reports/ui/report_data_form.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QValidator>
#include <QVBoxLayout>

#include "uikit/message_boxes.h"
#include "uikit/qt_text.h"
#include "settings/settings_file.h"

namespace mireva::ui {

namespace {

struct FieldInfo {
    const char* label;
    int id;
    int limit;
    std::string PrintData2::*member;
};

const FieldInfo kFields[CSetDoc2Dlg::FieldCount] = {
    {"報告書名：", 1167, 16, &PrintData2::report},    {"件名：", 1168, 16, &PrintData2::subject},
    {"タイトル：", 1159, 16, &PrintData2::title},     {"物件名：", 1160, 10, &PrintData2::properName},
    {"試験日：", 1161, 16, &PrintData2::measureDate}, {"天候：", 1162, 16, &PrintData2::weather},
    {"試験者：", 1163, 16, &PrintData2::measureName}, {"測定器具：", 1164, 16, &PrintData2::measureEquip},
    {"フッター：", 1165, 16, &PrintData2::footer},    {"追記事項：", 1166, 60, &PrintData2::addNote},
};

// An input limit that a longer stored value does not break: the value is shown in
// full, can be shortened, and cannot grow while it is over the limit.
class GrowthLimit : public QValidator {
public:
    GrowthLimit(QLineEdit* edit, int limit) : QValidator(edit), limit_(limit), last_(edit->text().size()) {
        connect(edit, &QLineEdit::textChanged, this, [this](const QString& t) { last_ = t.size(); });
    }
    State validate(QString& input, int&) const override {
        return input.size() <= limit_ || input.size() <= last_ ? Acceptable : Invalid;
    }

private:
    int limit_;
    qsizetype last_;
};

void applyInputLimit(QLineEdit* edit, int limit) {
    if (edit->text().size() <= limit)
        edit->setMaxLength(limit);
    else
        edit->setValidator(new GrowthLimit(edit, limit));
}

}  // namespace

int CSetDoc2Dlg::inputLimit(Field field) { return kFields[field].limit; }

CSetDoc2Dlg::CSetDoc2Dlg(std::filesystem::path settingsFile, QWidget* parent)
    : QDialog(parent), settingsFile_(std::move(settingsFile)), settings_(ReportSettings::defaults()) {
    setObjectName("CSetDoc2Dlg");
    SettingsFile file(settingsFile_);
    file.readFormatNames(settings_);
    setWindowTitle(fromSj(SjView{settings_.format1}));
    file.readPrintData2(settings_);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    for (int f = 0; f < FieldCount; ++f) {
        const FieldInfo& info = kFields[f];
        auto* label = new QLabel(QString::fromUtf8(info.label), this);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("edit%1").arg(info.id));
        edit->setText(fromSj(SjView{settings_.printData2.*info.member}));
        edit->setCursorPosition(0);
        applyInputLimit(edit, info.limit);
        edit->setMinimumWidth(f == AddNote ? 460 : 220);
        label->setBuddy(edit);
        grid->addWidget(label, f, 0);
        grid->addWidget(edit, f, 1, Qt::AlignLeft);
        edits_[f] = edit;
    }

    save_ = new QPushButton(QStringLiteral("保存"), this);
    cancel_ = new QPushButton(QStringLiteral("キャンセル"), this);
    save_->setDefault(true);
    save_->setAutoDefault(true);
    connect(save_, &QPushButton::clicked, this, &CSetDoc2Dlg::saveAndClose);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save_);
    buttons->addWidget(cancel_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    setSizeGripEnabled(false);
}

void CSetDoc2Dlg::saveAndClose() {
    for (int f = 0; f < FieldCount; ++f) {
        const FieldInfo& info = kFields[f];
        const int capacity = f == AddNote ? kAddNoteCapacity : kPrintDataCapacity;
        settings_.printData2.*info.member = std::string(cutToCharacters(toSj(edits_[f]->text()).bytes, capacity));
    }
    std::string error;
    if (!SettingsFile(settingsFile_).writePrintData2(settings_, &error)) {
        // The form stays open with what the user typed, so nothing is lost.
        MessageBoxes::error(
            this, QStringLiteral("印刷データを保存できませんでした。\n%1").arg(QString::fromStdString(error)));
        return;
    }
    accept();
}

void showReportDataForm(QWidget* parent, const std::filesystem::path& settingsFile) {
    CSetDoc2Dlg dialog(settingsFile, parent);
    dialog.exec();
}

}  // namespace mireva::ui
