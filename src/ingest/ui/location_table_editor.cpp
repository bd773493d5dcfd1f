#include "ingest/ui/location_table_editor.h"

#include <QButtonGroup>
#include <QDate>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "uikit/cp932_field_validator.h"
#include "uikit/file_dialogs.h"
#include "uikit/message_boxes.h"
#include "uikit/qt_text.h"
#include "core/text.h"
#include "ingest/meter_folder_scan.h"
#include "ingest/ui/drop_edit.h"
#include "ingest/ui/location_table_model.h"
#include "uikit/qt_path.h"

namespace mireva::ui {
namespace {

constexpr int kPlacementLength = 7;
constexpr int kListedUnusableNames = 10;

const QString kTableFilter = QStringLiteral("測定場所管理番号表 (*.csv *.CSV)");

QPushButton* button(QWidget* parent, const QString& text, const char* name) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

QLineEdit* lineEdit(QWidget* parent, const char* name) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setValidator(new Cp932FieldValidator(e));  // a field of the table file
    return e;
}

}  // namespace

CCreateFileDlg::CCreateFileDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("測定場所管理表の作成"));
    setObjectName(QStringLiteral("CCreateFileDlg"));

    model_ = new LocationTableModel(this);
    list_ = new QTableView(this);
    list_->setObjectName(QStringLiteral("list"));
    list_->setModel(model_);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setShowGrid(false);
    list_->setWordWrap(false);
    list_->setAlternatingRowColors(true);
    list_->verticalHeader()->hide();
    list_->verticalHeader()->setDefaultSectionSize(list_->fontMetrics().height() + 6);
    list_->horizontalHeader()->setHighlightSections(false);
    list_->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    const int widths[kLocationColumnCount] = {50, 90, 90, 90, 170, 170, 170};
    int listWidth = 0;
    for (int c = 0; c < kLocationColumnCount; ++c) {
        list_->setColumnWidth(c, widths[c]);
        listWidth += widths[c];
    }
    list_->setMinimumSize(listWidth + 24, 260);

    auto* clear = button(this, QStringLiteral("クリア"), "clearButton");
    loadEdit_ = new DropEdit(this);
    loadEdit_->setObjectName(QStringLiteral("loadEdit"));
    auto* browse = button(this, QStringLiteral("参照"), "browseButton");
    auto* fromFolder = button(this, QStringLiteral("フォルダから追加"), "addFromFolderButton");
    fromFolder->setToolTip(QStringLiteral("測定データのフォルダにあるCSVファイルを一覧に追加します"));

    single_ = new QRadioButton(QStringLiteral("SINGLE"), this);
    single_->setObjectName(QStringLiteral("singleRadio"));
    multi_ = new QRadioButton(QStringLiteral("MULTI"), this);
    multi_->setObjectName(QStringLiteral("multiRadio"));
    auto* typeGroup = new QButtonGroup(this);
    typeGroup->addButton(single_);
    typeGroup->addButton(multi_);
    single_->setChecked(true);

    date_ = new QDateEdit(QDate::currentDate(), this);
    date_->setObjectName(QStringLiteral("datePicker"));
    date_->setCalendarPopup(true);
    date_->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));

    fileName_ = lineEdit(this, "fileNameEdit");
    placement1_ = lineEdit(this, "placement1Edit");
    placement2_ = lineEdit(this, "placement2Edit");
    placement1_->setMaxLength(kPlacementLength);
    placement2_->setMaxLength(kPlacementLength);
    // A longer hand-made name from a clicked row is shown whole; the limit follows it
    // down as it is shortened or replaced and never grows back past seven characters.
    for (QLineEdit* placement : {placement1_, placement2_}) {
        connect(placement, &QLineEdit::textChanged, placement, [placement](const QString& text) {
            placement->setMaxLength(std::max<int>(kPlacementLength, static_cast<int>(text.size())));
        });
    }

    auto* add = button(this, QStringLiteral("追加"), "addButton");
    auto* edit = button(this, QStringLiteral("編集"), "editButton");
    auto* remove = button(this, QStringLiteral("削除"), "deleteButton");
    auto* save = button(this, QStringLiteral("CSVに保存"), "saveButton");
    auto* exit = button(this, QStringLiteral("終了"), "exitButton");
    exit->setDefault(true);

    // Layout: the list with its heading, the load row, the entry form, the closing row.
    auto* top = new QVBoxLayout(this);
    top->addWidget(new QLabel(QStringLiteral("測定場所管理表"), this));
    top->addWidget(list_, 1);

    auto* loadRow = new QHBoxLayout;
    loadRow->addWidget(clear);
    loadRow->addSpacing(16);
    loadRow->addWidget(new QLabel(QStringLiteral("ファイルから読み出し："), this));
    loadRow->addWidget(loadEdit_, 1);
    loadRow->addWidget(browse);
    loadRow->addSpacing(16);
    loadRow->addWidget(fromFolder);
    top->addLayout(loadRow);

    auto* form = new QGroupBox(this);
    auto* grid = new QGridLayout(form);
    auto* typeRow = new QHBoxLayout;
    typeRow->addWidget(single_);
    typeRow->addWidget(multi_);
    typeRow->addStretch();
    grid->addWidget(new QLabel(QStringLiteral("DATA_TYPE："), form), 0, 0);
    grid->addLayout(typeRow, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("DATE："), form), 0, 2);
    grid->addWidget(date_, 0, 3);
    grid->addWidget(new QLabel(QStringLiteral("FILE_NAME："), form), 1, 0);
    grid->addWidget(fileName_, 1, 1, 1, 4);
    grid->addWidget(new QLabel(QStringLiteral("PLACEMENT1："), form), 2, 0);
    grid->addWidget(placement1_, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("PLACEMENT2："), form), 2, 2);
    grid->addWidget(placement2_, 2, 3);
    // Seven characters need little room; the free space goes to the right.
    const int shortField = fontMetrics().horizontalAdvance(QStringLiteral("国国国国国国国")) + 24;
    placement1_->setFixedWidth(shortField);
    placement2_->setFixedWidth(shortField);
    date_->setFixedWidth(shortField);
    grid->setColumnStretch(4, 1);
    grid->setColumnMinimumWidth(4, 16);
    auto* rowButtons = new QVBoxLayout;
    rowButtons->addWidget(add);
    rowButtons->addWidget(edit);
    rowButtons->addWidget(remove);
    grid->addLayout(rowButtons, 0, 5, 3, 1);
    top->addWidget(form);

    auto* closingRow = new QHBoxLayout;
    closingRow->addStretch();
    closingRow->addWidget(save);
    closingRow->addWidget(exit);
    top->addLayout(closingRow);

    connect(clear, &QPushButton::clicked, this, &CCreateFileDlg::clearAll);
    connect(loadEdit_, &QLineEdit::textChanged, this, &CCreateFileDlg::loadFromField);
    connect(browse, &QPushButton::clicked, this, &CCreateFileDlg::browseForTable);
    connect(fromFolder, &QPushButton::clicked, this, &CCreateFileDlg::addFromFolder);
    connect(add, &QPushButton::clicked, this, &CCreateFileDlg::addRow);
    connect(edit, &QPushButton::clicked, this, &CCreateFileDlg::editRow);
    connect(remove, &QPushButton::clicked, this, &CCreateFileDlg::deleteRows);
    connect(save, &QPushButton::clicked, this, &CCreateFileDlg::saveTable);
    connect(exit, &QPushButton::clicked, this, &CCreateFileDlg::finish);
    // The Delete key in the list does what "削除" does.
    auto* deleteKey = new QShortcut(QKeySequence::Delete, list_, nullptr, nullptr, Qt::WidgetShortcut);
    connect(deleteKey, &QShortcut::activated, this, &CCreateFileDlg::deleteRows);
    connect(list_, &QTableView::clicked, this, &CCreateFileDlg::copySelectedRowToForm);
    connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CCreateFileDlg::copySelectedRowToForm);
}

const std::vector<LocationTableRow>& CCreateFileDlg::rows() const { return model_->rows(); }

std::vector<int> CCreateFileDlg::selectedRows() const {
    std::vector<int> out;
    for (const QModelIndex& index : list_->selectionModel()->selectedRows()) out.push_back(index.row());
    std::sort(out.begin(), out.end());
    return out;
}

void CCreateFileDlg::clearAll() {
    model_->clear();
    unsaved_ = false;
    single_->setChecked(true);
    date_->setDate(QDate::currentDate());
    loadEdit_->clear();
    fileName_->clear();
    setLimitedText(placement1_, {});
    setLimitedText(placement2_, {});
}

QString CCreateFileDlg::discardQuestion() {
    return QStringLiteral("一覧に保存していない行があります。\n一覧を空にしてファイルから読み出しますか？");
}

void CCreateFileDlg::loadFromField() {
    // Rows added or changed since the list was loaded or saved would be lost with the
    // first keystroke: ask first; No puts the field back as it was.
    if (unsaved_ && model_->rowCount() > 0) {
        if (!MessageBoxes::ask(this, discardQuestion())) {
            const int grown = static_cast<int>(loadEdit_->text().size() - loadText_.size());
            const int cursor = std::clamp(loadEdit_->cursorPosition() - grown, 0, static_cast<int>(loadText_.size()));
            const QSignalBlocker quiet(loadEdit_);
            loadEdit_->setText(loadText_);
            loadEdit_->setCursorPosition(cursor);
            return;
        }
    }
    unsaved_ = false;
    loadText_ = loadEdit_->text();
    model_->clear();
    std::vector<LocationTableRow> rows;
    const QString path = loadEdit_->text();
    if (path.isEmpty() || !loadLocationTableRows(toPath(path), rows)) return;
    model_->setRows(std::move(rows));
}

void CCreateFileDlg::browseForTable() {
    QString path = FileDialogs::openFile(this, QStringLiteral("ファイルを開く"), kTableFilter, loadEdit_->text());
    if (path.isEmpty()) return;
    if (path == loadEdit_->text())
        loadFromField();  // the same file again: read it afresh
    else
        loadEdit_->setText(path);
}

void CCreateFileDlg::setLimitedText(QLineEdit* edit, const QString& text) {
    // A hand-made table may hold a longer name than can be typed; show it whole rather
    // than cut it, so that "編集" does not shorten it unasked.
    edit->setMaxLength(std::max<int>(kPlacementLength, static_cast<int>(text.size())));
    edit->setText(text);
}

void CCreateFileDlg::copySelectedRowToForm() {
    std::vector<int> selected = selectedRows();
    if (selected.size() != 1) return;
    const LocationTableRow& row = model_->row(selected.front());
    if (row[kColDataType] == "SINGLE") single_->setChecked(true);
    if (row[kColDataType] == "MULTI") multi_->setChecked(true);
    const std::string& date = row[kColDate];
    auto part = [&](size_t from, size_t length) {
        return from < date.size() ? static_cast<int>(leadingInteger(std::string_view(date).substr(from, length))) : 0;
    };
    QDate d(part(0, 4), part(4, 2), part(6, 2));
    if (d.isValid()) date_->setDate(d);
    fileName_->setText(fromSj(SjView{row[kColFileName]}));
    setLimitedText(placement1_, fromSj(SjView{row[kColPlacement1]}));
    setLimitedText(placement2_, fromSj(SjView{row[kColPlacement2]}));
}

LocationTableRow CCreateFileDlg::rowFromForm() const {
    LocationTableRow row;
    row[kColDataType] = multi_->isChecked() ? "MULTI" : "SINGLE";
    row[kColDate] = date_->date().toString(QStringLiteral("yyyyMMdd")).toStdString();
    row[kColFileType] = "CSV";
    row[kColFileName] = toSj(fileName_->text()).bytes;
    row[kColPlacement1] = toSj(placement1_->text()).bytes;
    row[kColPlacement2] = toSj(placement2_->text()).bytes;
    return row;
}

void CCreateFileDlg::addRow() {
    const QString name = fileName_->text();
    if (!name.contains(QStringLiteral("csv")) && !name.contains(QStringLiteral("CSV"))) {
        MessageBoxes::inform(this, QStringLiteral("拡張子が集計対象外のため\n追加できません"));
        return;
    }
    LocationTableRow row = rowFromForm();
    row[kColNo] = std::to_string(model_->rowCount() + 1);
    model_->appendRows({row});
    unsaved_ = true;
    list_->scrollToBottom();
}

void CCreateFileDlg::editRow() {
    std::vector<int> selected = selectedRows();
    if (selected.empty()) {
        MessageBoxes::inform(this, QStringLiteral("行を選択してください。"));
        return;
    }
    const int index = selected.front();
    const LocationTableRow& current = model_->row(index);
    if ((current[kColDataType] != "SINGLE" && current[kColDataType] != "MULTI") || current[kColFileType] != "CSV") {
        MessageBoxes::inform(this, QStringLiteral("「データロガー」「PNG」「MP4」は集計対象外のため\n編集できません"));
        return;
    }
    if (fileName_->text().isEmpty()) {
        MessageBoxes::inform(this, QStringLiteral("ファイル名を入力してください。"));
        return;
    }
    LocationTableRow row = rowFromForm();
    row[kColNo] = current[kColNo];
    model_->replaceRow(index, row);
    unsaved_ = true;
}

void CCreateFileDlg::deleteRows() {
    std::vector<int> selected = selectedRows();
    if (selected.empty()) {
        MessageBoxes::inform(this, QStringLiteral("行を選択してください。"));
        return;
    }
    model_->removeRowsAndRenumber(selected);
    unsaved_ = true;
}

void CCreateFileDlg::addFromFolder() {
    QString initial = !lastScanFolder_.isEmpty()    ? lastScanFolder_
                      : loadEdit_->text().isEmpty() ? QString()
                                                    : QFileInfo(loadEdit_->text()).absolutePath();
    QString folder =
        FileDialogs::chooseFolder(this, QStringLiteral("測定データのフォルダを選択してください。"), initial);
    if (folder.isEmpty()) return;
    lastScanFolder_ = folder;
    MeterFolderScan scan = scanMeterFolder(toPath(folder));
    std::vector<LocationTableRow> fresh = rowsNotYetListed(model_->rows(), scan.files);
    const int first = model_->rowCount();
    model_->appendRows(fresh);
    if (!fresh.empty()) {
        unsaved_ = true;
        list_->scrollTo(model_->index(first, 0), QAbstractItemView::PositionAtTop);
    }

    if (scan.files.empty() && scan.unusable.empty()) {
        MessageBoxes::inform(this, QStringLiteral("選択したフォルダに測定データ（CSVファイル）が見つかりません。"));
    } else if (fresh.empty() && !scan.files.empty() && scan.unusable.empty()) {
        MessageBoxes::inform(this, QStringLiteral("見つかった測定データはすべて一覧にあります。"));
    }
    if (!scan.unusable.empty()) {
        QString text = QStringLiteral("次のファイルは名前に「,」または使用できない文字が含まれるため\n追加できません");
        for (size_t i = 0; i < scan.unusable.size() && i < kListedUnusableNames; ++i)
            text += QStringLiteral("\n") + QString::fromUtf8(scan.unusable[i]);
        if (scan.unusable.size() > kListedUnusableNames)
            text += QStringLiteral("\nほか%1件").arg(scan.unusable.size() - kListedUnusableNames);
        MessageBoxes::inform(this, text);
    }
}

CCreateFileDlg::SaveOutcome CCreateFileDlg::runSave() {
    QString path = FileDialogs::saveFile(this, QStringLiteral("名前を付けて保存"), kTableFilter,
                                         lastSaved_.isEmpty() ? loadEdit_->text() : lastSaved_, QStringLiteral("csv"));
    if (path.isEmpty()) return SaveOutcome::Cancelled;
    std::error_code ec;
    if (std::filesystem::exists(toPath(path), ec) &&
        !MessageBoxes::ask(this, QStringLiteral("指定のファイルは既に存在します。\n上書きしますがよろしいでしょうか?")))
        return SaveOutcome::Cancelled;
    std::string error;
    if (!writeLocationTable(toPath(path), model_->rows(), &error)) {
        MessageBoxes::error(this, QStringLiteral("測定場所管理表を保存できませんでした。\n%1\n%2")
                                      .arg(QDir::toNativeSeparators(path), QString::fromStdString(error)));
        return SaveOutcome::Failed;
    }
    lastSaved_ = path;
    unsaved_ = false;
    return SaveOutcome::Saved;
}

bool CCreateFileDlg::saveTable() { return runSave() == SaveOutcome::Saved; }

void CCreateFileDlg::finish() {
    // A failed save keeps the dialog open: closing would throw the list away.
    if (MessageBoxes::ask(this, QStringLiteral("測定場所管理表を保存しますか？")) && runSave() == SaveOutcome::Failed)
        return;
    accept();
}

}  // namespace mireva::ui
