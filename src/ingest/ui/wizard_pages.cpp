#include "ingest/ui/wizard_pages.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <iterator>

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

// The face of both pages: the prompt, the path field with the button that picks a path
// beside it, and at the bottom right the page's buttons, the last of which goes forward.
// It is off while the field is empty, so Enter in an empty field does nothing, and
// Enter with a text goes forward like a click on it: no other button is a default one.
void layOutPathPage(QDialog* page, const QString& prompt, DropEdit* edit, QPushButton* pick,
                    std::initializer_list<QPushButton*> buttons) {
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(new QLabel(prompt, page));
    auto* row = new QHBoxLayout;
    row->addWidget(edit, 1);
    row->addWidget(pick);
    layout->addLayout(row);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    for (QPushButton* b : buttons) bottom->addWidget(b);
    layout->addLayout(bottom);
    QPushButton* forward = *std::prev(buttons.end());
    forward->setEnabled(false);
    pick->setAutoDefault(false);
    for (QPushButton* b : buttons) b->setAutoDefault(false);
    forward->setDefault(true);
    QObject::connect(edit, &QLineEdit::textChanged, page,
                     [forward](const QString& t) { forward->setEnabled(!t.isEmpty()); });
}

}  // namespace

LocationTablePage::LocationTablePage(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("測定場所管理表の選択"));
    edit_ = makePathEdit(this);
    browse_ = new QPushButton(QStringLiteral("参照"), this);
    next_ = new QPushButton(QStringLiteral("次へ"), this);
    layOutPathPage(this, QStringLiteral("測定場所管理表のファイルを選択してください。"), edit_, browse_, {next_});

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
    edit_ = makePathEdit(this);
    choose_ = new QPushButton(QStringLiteral("フォルダの選択"), this);
    back_ = new QPushButton(QStringLiteral("戻る"), this);
    start_ = new QPushButton(QStringLiteral("集計開始"), this);
    layOutPathPage(this, QStringLiteral("測定データの場所（フォルダ）を選択してください。"), edit_, choose_,
                   {back_, start_});

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
