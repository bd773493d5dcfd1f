#include "ingest/ui/wizard_pages.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "uikit/file_dialogs.h"
#include "ingest/ui/drop_edit.h"

namespace mireva::ui {
namespace {

DropEdit* makePathEdit(QWidget* parent) {
    auto* edit = new DropEdit(parent);
    edit->setMaxLength(kWizardPathLimit);
    edit->setMinimumWidth(420);
    return edit;
}

// A forward button must not fire when the user presses Enter in the edit while it is
// still disabled, and Enter with a text goes forward like the button.
void noDefaults(std::initializer_list<QPushButton*> buttons) {
    for (QPushButton* b : buttons) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
}

}  // namespace

LocationTablePage::LocationTablePage(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("測定場所管理表の選択"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("測定場所管理表のファイルを選択してください。"), this));
    auto* row = new QHBoxLayout;
    edit_ = makePathEdit(this);
    browse_ = new QPushButton(QStringLiteral("参照"), this);
    row->addWidget(edit_, 1);
    row->addWidget(browse_);
    layout->addLayout(row);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    next_ = new QPushButton(QStringLiteral("次へ"), this);
    next_->setEnabled(false);
    buttons->addWidget(next_);
    layout->addLayout(buttons);
    noDefaults({browse_, next_});
    next_->setDefault(true);

    connect(edit_, &QLineEdit::textChanged, this, [this](const QString& t) { next_->setEnabled(!t.isEmpty()); });
    connect(browse_, &QPushButton::clicked, this, &LocationTablePage::browse);
    connect(next_, &QPushButton::clicked, this, &LocationTablePage::accept);
}

void LocationTablePage::accept() {
    if (!next_->isEnabled()) return;  // Enter with an empty edit does nothing
    path_ = edit_->text();
    QDialog::accept();
}

void LocationTablePage::browse() {
    const QString chosen = FileDialogs::openFile(this, QString(), QStringLiteral("測定場所管理番号表 (*.csv *.CSV)"));
    if (chosen.isEmpty()) return;
    edit_->setText(chosen);
    path_ = chosen;  // the whole path, even beyond what the edit shows
    QDialog::accept();
}

DataFolderPage::DataFolderPage(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("測定データ場所の選択"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("測定データの場所（フォルダ）を選択してください。"), this));
    auto* row = new QHBoxLayout;
    edit_ = makePathEdit(this);
    choose_ = new QPushButton(QStringLiteral("フォルダの選択"), this);
    row->addWidget(edit_, 1);
    row->addWidget(choose_);
    layout->addLayout(row);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    back_ = new QPushButton(QStringLiteral("戻る"), this);
    start_ = new QPushButton(QStringLiteral("集計開始"), this);
    start_->setEnabled(false);
    buttons->addWidget(back_);
    buttons->addWidget(start_);
    layout->addLayout(buttons);
    noDefaults({choose_, back_, start_});
    start_->setDefault(true);

    connect(edit_, &QLineEdit::textChanged, this, [this](const QString& t) { start_->setEnabled(!t.isEmpty()); });
    connect(choose_, &QPushButton::clicked, this, &DataFolderPage::chooseFolder);
    connect(start_, &QPushButton::clicked, this, &DataFolderPage::accept);
    connect(back_, &QPushButton::clicked, this, &DataFolderPage::reject);
}

void DataFolderPage::accept() {
    if (!start_->isEnabled()) return;
    path_ = edit_->text();
    QDialog::accept();
}

void DataFolderPage::chooseFolder() {
    // The browser opens where the location table lies.
    QString start = initialFolder_;
    const QFileInfo info(initialFolder_);
    if (!initialFolder_.isEmpty() && !info.isDir()) start = info.path();
    const QString chosen = FileDialogs::chooseFolder(this, QString(), start);
    if (chosen.isEmpty()) return;
    edit_->setText(chosen);
    path_ = chosen;
    QDialog::accept();
}

}  // namespace mireva::ui
