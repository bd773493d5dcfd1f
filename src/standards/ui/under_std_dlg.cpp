#include "standards/ui/under_std_dlg.h"

#include <QAbstractTableModel>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "uikit/file_dialogs.h"
#include "uikit/message_boxes.h"
#include "uikit/qt_text.h"
#include "uikit/ui_fonts.h"
#include "core/file_io.h"
#include "settings/settings_file.h"
#include "uikit/qt_path.h"

namespace mireva::ui {

namespace {

// The list's rows, converted to UTF-16 only when a cell is painted: a building with
// thousands of outlets can list tens of thousands of levels.
class RowsModel : public QAbstractTableModel {
public:
    explicit RowsModel(const std::vector<JudgementRow>& rows, QObject* parent)
        : QAbstractTableModel(parent), rows_(rows) {}
    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(rows_.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 4; }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid()) return {};
        if (role == Qt::TextAlignmentRole) return int(Qt::AlignLeft | Qt::AlignVCenter);
        if (role != Qt::DisplayRole) return {};
        const JudgementRow& row = rows_[static_cast<size_t>(index.row())];
        switch (index.column()) {
            case 0:
                return fromSj(SjView{row.place});
            case 1:
                return fromSj(SjView{row.band});
            case 2:
                return fromSj(SjView{row.channel});
            default:
                return fromSj(SjView{row.level});
        }
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal) return {};
        if (role == Qt::TextAlignmentRole) return int(Qt::AlignLeft | Qt::AlignVCenter);
        if (role != Qt::DisplayRole) return {};
        static const QString titles[4] = {QStringLiteral("測定場所"), QStringLiteral("帯域"),
                                          QStringLiteral("チャンネル"), QStringLiteral("レベル")};
        return titles[section];
    }

private:
    const std::vector<JudgementRow>& rows_;
};

struct ValueLine {
    int key;
    const char* format;  // %s: the value as stored
    int column, line;
};

constexpr ValueLine kValueLines[kStandardValueCount] = {
    {kStdUhf, "地デジ : %s dBμV", 0, 0},
    {kStdBsCs, "BS（右旋）/110度CS（右旋）: %s dBμV", 0, 1},
    {kStdBsLCsL, "BS（左旋）/110度CS（左旋）: %s dBμV", 1, 1},
    {kStdCatv, "CATV : %s dBμV", 0, 2},
    {kStdCatvUp, "CATVUP : %s dBμV", 1, 2},
    {kStdJcsat3aH, "JCSAT-3A（水平）: %s dBμV", 0, 3},
    {kStdJcsat3a, "JCSAT-3A（垂直）: %s dBμV", 1, 3},
    {kStdJcsat4bH, "JCSAT-4B（水平） : %s dBμV", 0, 4},
    {kStdJcsat4b, "JCSAT-4B（垂直）: %s dBμV", 1, 4},
    {kStdSccBH, "SCC-B（水平）: %s dBμV", 0, 5},
    {kStdSccB, "SCC-B（垂直）: %s dBμV", 1, 5},
    {kStdSccCH, "SCC-C（水平）: %s dBμV", 0, 6},
    {kStdSccC, "SCC-C（垂直）: %s dBμV", 1, 6},
    {kStdFm, "FM : %s dBμV", 0, 7},
    {kStdSkyp, "スカパー！プレミアム光 : %s dBμV", 1, 7},
    {kStdLte, "LTE : %s dBμV", 0, 8},
    {kStdPilot, "PILOT : %s dBμV", 1, 8},
};

}  // namespace

CUnderStdDlg::CUnderStdDlg(JudgementResult& result, std::filesystem::path settingsPath, QWidget* parent)
    : QDialog(parent), settingsPath_(std::move(settingsPath)) {
    setWindowTitle(QStringLiteral("基準値判定"));

    ReportSettings settings = ReportSettings::defaults();
    SettingsFile(settingsPath_).readStandardValues(settings);

    auto* title = new QLabel(QStringLiteral("基準値以下のレベル一覧"));
    title->setAlignment(Qt::AlignCenter);
    auto* valuesGrid = new QGridLayout;
    valuesGrid->setHorizontalSpacing(24);
    valuesGrid->setVerticalSpacing(2);
    for (const ValueLine& v : kValueLines) {
        QString text = QString::fromUtf8(v.format);
        text.replace(QStringLiteral("%s"), fromSj(SjView{settings.standardValues[v.key]}));
        auto* label = new QLabel(text);
        label->setFont(withJapaneseFace(label->font()));
        label->setObjectName(QString::fromLatin1(standardValueKey(v.key)));
        valuesGrid->addWidget(label, v.line, v.column);
        values_[v.key] = label;
    }
    valuesGrid->setColumnStretch(2, 1);

    rows_ = judgementRows(result.belowStandardDetails);
    result.belowStandardDetails.clear();

    list_ = new QTableView;
    list_->setModel(new RowsModel(rows_, list_));
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setShowGrid(false);
    list_->setWordWrap(false);
    list_->verticalHeader()->hide();
    list_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    list_->verticalHeader()->setDefaultSectionSize(list_->fontMetrics().height() + 4);
    list_->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    list_->horizontalHeader()->setHighlightSections(false);
    const int widths[4] = {180, 180, 80, 100};
    for (int c = 0; c < 4; ++c) list_->setColumnWidth(c, widths[c]);

    ok_ = new QPushButton(QStringLiteral("OK"));
    ok_->setDefault(true);
    save_ = new QPushButton(QStringLiteral("CSVに保存"));
    save_->setAutoDefault(false);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(save_, &QPushButton::clicked, this, &CUnderStdDlg::saveCsv);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save_);
    buttons->addWidget(ok_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(new QLabel(QStringLiteral("基準値：")));
    layout->addLayout(valuesGrid);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);
    resize(600, 520);
}

void CUnderStdDlg::saveCsv() {
    const QString chosen =
        FileDialogs::saveFile(this, QStringLiteral("名前を付けて保存"),
                              QStringLiteral("測定場所管理番号表 (*.csv *.CSV)"), {}, QStringLiteral("csv"));
    if (chosen.isEmpty()) return;
    const std::filesystem::path path = toPath(chosen);
    if (QFileInfo(chosen).isFile() &&
        !MessageBoxes::ask(this, QStringLiteral("指定のファイルは既に存在します。\n上書きしますがよろしいでしょうか?")))
        return;
    std::string error;
    if (!replaceFileContent(path, judgementCsv(rows_), &error)) {
        MessageBoxes::show(this, QStringLiteral("保存できませんでした。\n") + QString::fromStdString(error),
                           MessageIcon::Error);
        return;
    }
    MessageBoxes::show(this, QStringLiteral("保存しました。"), MessageIcon::Information);
}

void showJudgementDialog(QWidget* parent, JudgementResult& result, const std::filesystem::path& settingsPath) {
    CUnderStdDlg dialog(result, settingsPath, parent);
    dialog.exec();
}

}  // namespace mireva::ui
