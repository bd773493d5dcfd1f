#include "panel/ui/main_panel.h"

#include <QFile>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

#include "uikit/dialog_units.h"
#include "uikit/message_boxes.h"
#include "uikit/qt_text.h"
#include "core/file_io.h"
#include "core/input_checks.h"
#include "core/text.h"
#include "ingest/aggregation_run.h"
#include "settings/settings_file.h"
#include "standards/ui/under_std_dlg.h"
#include "uikit/progress_box.h"
#include "panel/ui/level_chart_feed.h"
#include "panel/ui/operation_pages.h"
#include "panel/ui/panel_button.h"
#include "panel/ui/panel_operations.h"
#include "panel/ui/worksheet_grid.h"
#include "panel/ui/worksheet_grid_model.h"
#include "panel/ui/worksheet_undo.h"
#include "panel/worksheet_edits.h"
#include "uikit/qt_path.h"

namespace mireva::ui {
namespace {

namespace fs = std::filesystem;

bool readable(const fs::path& path) { return !path.empty() && fileReadFailure(path).empty(); }

struct Anchor {
    int widthUnits, heightUnits, dx, dy;
};
constexpr Anchor kCloseAnchor{48, 30, 10, 20};
constexpr Anchor kPrintAnchor{48, 30, 100, 20};
constexpr Anchor kPreviewAnchor{48, 30, 190, 20};
constexpr Anchor kExcelAnchor{48, 30, 280, 20};
constexpr Anchor kResetAnchor{48, 30, 935, 20};
constexpr Anchor kOperationTabsAnchor{300, 70, 400, -2};
constexpr int kPageDx = 405;

}  // namespace

MainPanel::MainPanel(AppSession& session, QWidget* parent) : QWidget(parent), session_(session) {
    setObjectName("mainPanel");

    // Pages first, then the tabs that select them.
    offsetPage_ = new OffsetPage(this);
    rowPage_ = new RowPage(this);
    otherPage_ = new OtherPage(this);
    operationTabs_ = new QTabWidget(this);
    operationTabs_->setObjectName("operationTabs");
    operationTabs_->resize(dluSize(kOperationTabsAnchor.widthUnits, kOperationTabsAnchor.heightUnits));
    for (const char* label : {"オフセット", "行単位の操作", "その他"}) {
        operationTabs_->addTab(new QWidget(operationTabs_), QString::fromUtf8(label));
    }
    operationTabs_->lower();
    connect(operationTabs_, &QTabWidget::currentChanged, this, &MainPanel::selectOperationTab);

    bandTabs_ = new QTabBar(this);
    bandTabs_->setObjectName("bandTabs");
    bandTabs_->setExpanding(false);
    bandTabs_->setDrawBase(false);
    for (const std::string& label : ChannelCatalog::instance().bandTabLabels())
        bandTabs_->addTab(fromSj(SjView{label}));
    bandTabs_->setCurrentIndex(0);
    currentBandTab_ = 0;
    connect(bandTabs_, &QTabBar::currentChanged, this, &MainPanel::selectBandTab);

    model_ = new WorksheetGridModel(this);
    grid_ = new WorksheetGrid(model_, this);
    grid_->applyColumnWidths();

    // The buttons keep their template size; a label too wide for it takes two lines.
    close_ = new PanelButton(QStringLiteral("閉じる"), this);
    print_ = new PanelButton(QStringLiteral("印刷"), this);
    preview_ = new PanelButton(QStringLiteral("印刷プレビュー"), this);
    excel_ = new PanelButton(QStringLiteral("Excel出力"), this);
    reset_ = new PanelButton(QStringLiteral("リセット"), this);
    for (QPushButton* b : {close_, print_, preview_, excel_, reset_}) {
        b->setAutoDefault(false);
        b->resize(dluSize(48, 30));
    }
    connect(close_, &QPushButton::clicked, this, &MainPanel::closeWorksheet);
    connect(print_, &QPushButton::clicked, this, &MainPanel::printReport);
    connect(preview_, &QPushButton::clicked, this, &MainPanel::previewReport);
    connect(excel_, &QPushButton::clicked, this, &MainPanel::exportExcel);
    connect(reset_, &QPushButton::clicked, this, &MainPanel::askReset);

    connect(offsetPage_, &OffsetPage::offsetMinusTenth, this, &MainPanel::offsetMinusTenth);
    connect(offsetPage_, &OffsetPage::offsetMinusOne, this, &MainPanel::offsetMinusOne);
    connect(offsetPage_, &OffsetPage::offsetMinusTen, this, &MainPanel::offsetMinusTen);
    connect(offsetPage_, &OffsetPage::offsetPlusTenth, this, &MainPanel::offsetPlusTenth);
    connect(offsetPage_, &OffsetPage::offsetPlusOne, this, &MainPanel::offsetPlusOne);
    connect(offsetPage_, &OffsetPage::offsetPlusTen, this, &MainPanel::offsetPlusTen);
    connect(offsetPage_, &OffsetPage::offsetTyped, this, &MainPanel::offsetTyped);
    connect(rowPage_, &RowPage::movePlacesUp, this, &MainPanel::movePlacesUp);
    connect(rowPage_, &RowPage::movePlacesDown, this, &MainPanel::movePlacesDown);
    connect(rowPage_, &RowPage::movePlacesTo, this, &MainPanel::movePlacesTo);
    connect(rowPage_, &RowPage::deletePlaces, this, &MainPanel::deletePlaces);
    connect(otherPage_, &OtherPage::roundLevels, this, &MainPanel::roundLevels);
    connect(otherPage_, &OtherPage::writeCsv, this, &MainPanel::writeCsv);
    undo_ = new WorksheetUndo(this);
    // The worksheet operations answer the page requests.
    new PanelOperations(this);
    levelChart_ = new LevelChartFeed(this);
    connect(otherPage_, &OtherPage::showLevelChart, this, &MainPanel::showLevelChart);

    selectOperationTab(0);
    layoutControls();
}

MainPanel::~MainPanel() = default;

void MainPanel::runReading() {
    if (!resetRequest_) {
        if (!readable(toPath(locationTablePath_))) {
            MessageBoxes::inform(this, QStringLiteral("測定場所管理番号表を開けません"));
            return;
        }
        const fs::path folder = toPath(dataFolderPath_);
        if (!isDirectory(folder)) {
            MessageBoxes::inform(this, QStringLiteral("読み込みフォルダを開けません"));
            return;
        }
        // A folder that cannot be listed would read as one without files and replace
        // the worksheet with an empty one: refused, naming the folder and the reason.
        if (const std::string why = folderListFailure(folder); !why.empty()) {
            MessageBoxes::inform(this, QStringLiteral("読み込みフォルダを開けません\n%1\n%2")
                                           .arg(dataFolderPath_, QString::fromLocal8Bit(why.c_str())));
            return;
        }
    }
    // A reset is one more step to undo; a reading run starts a new worksheet and history.
    PanelView beforeReset;
    if (resetRequest_) {
        beforeReset = undo_->begin();
    } else {
        undo_->clear();
    }
    ProgressBox progress(this, ProgressBox::readingText());
    model_->clearRows();
    judgement_.belowStandardFlag = false;
    judgement_.belowStandardRows.clear();

    if (resetRequest_) {
        std::string error;
        const bool copied = mireva::resetWorksheet(WorksheetFiles::of(session_.locations), session_.summary, &error);
        if (!copied) {
            MessageBoxes::error(this, QStringLiteral("測定データを読み込み直後の状態に戻せませんでした。\n") +
                                          QString::fromStdString(error));
        }
        refreshGrid();
        progress.close();
        if (copied) undo_->commit(EditKind::Reset, std::move(beforeReset));
        return;
    }
    readingRun();
}

void MainPanel::readingRun() {
    grid_->forgetUserWidths();
    channelWanted_.fill(1);
    RunRecord record;
    record.channelWanted = channelWanted_;
    record.dataFolder = toPath(dataFolderPath_);
    record.locationTablePath = toPath(locationTablePath_);
    record.errorLogPath = session_.locations.errorLog();
    record.worksheetPath = session_.locations.worksheet();
    const int result =
        aggregationRun(record, [this](const Sj& message) { MessageBoxes::inform(window(), fromSj(message)); });
    if (result != 0) return;
    session_.summary.takeRun(record.summary);
    refreshGrid();
    std::string error;
    if (!copyFileReplacing(session_.locations.worksheet(), session_.locations.worksheetReset(), &error)) {
        MessageBoxes::error(
            this, QStringLiteral("リセット用の測定データを保存できませんでした。\n") + QString::fromStdString(error));
    }
}

void MainPanel::fillGrid() {
    ReportSettings settings;
    SettingsFile(session_.settingsPath).readBroadcasterNames(settings);
    model_->fill(session_.locations.worksheet(), currentBandTab_, settings.broadcasterNames);
    grid_->applyColumnWidths();
}

void MainPanel::refreshGrid() {
    fillGrid();
    judge();
}

void MainPanel::judge() {
    ReportSettings settings;
    SettingsFile(session_.settingsPath).readStandardValues(settings);
    // The judgement looks at the level line of each whole place only, so the worksheet
    // the grid has just read is handed over with its other lines left empty: no copy
    // of the whole file on every band tab change.
    const WorksheetLines& worksheet = model_->worksheet();
    const size_t count = worksheet.dataLineCount();
    levelLines_.lines.resize(count);
    for (size_t d = 0; d < count; ++d) {
        std::string& target = levelLines_.lines[d];
        if (d % kRowsPerPlace == static_cast<size_t>(BlockRow::Level)) {
            target.assign(worksheet.dataLine(d));
        } else {
            target.clear();
        }
    }
    mireva::judge(levelLines_, settings.standardValues, judgement_);
    applyBelowStandardRows();
}

void MainPanel::showLevelChart() { levelChart_->showWindow(); }

void MainPanel::applyBelowStandardRows() { model_->setBelowStandardRows(judgement_.belowStandardRows); }

void MainPanel::showJudgementDialog() {
    if (judgementDialogHook_) {
        judgementDialogHook_(*this);
        return;
    }
    ui::showJudgementDialog(window(), judgement_, session_.settingsPath);
}

void MainPanel::selectBandTab(int tab) {
    if (tab < 0 || tab >= kBandTabCount) return;
    if (bandTabs_->currentIndex() != tab) {
        bandTabs_->setCurrentIndex(tab);  // comes back here through currentChanged
        return;
    }
    currentBandTab_ = tab;
    refreshGrid();
}

int MainPanel::currentOperationTab() const { return operationTabs_->currentIndex(); }

void MainPanel::selectOperationTab(int tab) {
    if (operationTabs_->currentIndex() != tab) {
        operationTabs_->setCurrentIndex(tab);
        return;
    }
    offsetPage_->setVisible(tab == 0);
    rowPage_->setVisible(tab == 1);
    otherPage_->setVisible(tab == 2);
}

void MainPanel::askReset() {
    if (MessageBoxes::ask(this, QStringLiteral("全ての測定データがオフセット前の状態に戻り、\n使用チャンネルも読み込み"
                                               "直後の状態に戻ります。\nよろしいですか？"))) {
        emit resetWorksheet();
    }
}

void MainPanel::layoutControls() {
    const int W = width();
    const int H = height();
    bandTabs_->setGeometry(0, 0, 800, 21);
    grid_->setGeometry(0, 22, W, std::max(0, H - 135));
    const auto place = [W, H](QWidget* w, const Anchor& a) {
        const QSize s = dluSize(a.widthUnits, a.heightUnits);
        w->setGeometry(W - s.width() - a.dx, H - s.height() - a.dy, s.width(), s.height());
    };
    place(close_, kCloseAnchor);
    place(print_, kPrintAnchor);
    place(preview_, kPreviewAnchor);
    place(excel_, kExcelAnchor);
    place(reset_, kResetAnchor);
    place(operationTabs_, kOperationTabsAnchor);
    for (QWidget* page :
         {static_cast<QWidget*>(offsetPage_), static_cast<QWidget*>(rowPage_), static_cast<QWidget*>(otherPage_)}) {
        page->move(W - page->width() - kPageDx, H - page->height());
        page->raise();
    }
}

QSize MainPanel::minimumUsableSize() const {
    // The anchored controls reach dx + their width in from the right edge; the band
    // tabs are 800 pixels wide from the left. A small margin keeps the leftmost control
    // off the frame's edge.
    constexpr int kMargin = 8;
    int width = 800;
    for (const Anchor& a :
         {kCloseAnchor, kPrintAnchor, kPreviewAnchor, kExcelAnchor, kResetAnchor, kOperationTabsAnchor}) {
        width = std::max(width, dluX(a.widthUnits) + a.dx + kMargin);
    }
    for (const QWidget* page : {static_cast<const QWidget*>(offsetPage_), static_cast<const QWidget*>(rowPage_),
                                static_cast<const QWidget*>(otherPage_)}) {
        width = std::max(width, page->width() + kPageDx + kMargin);
    }
    // The grid is H - 135 high: its header, the rows, the horizontal scroll bar and
    // its frame must fit.
    const int gridHeight = grid_->horizontalHeader()->sizeHint().height() +
                           kMinimumGridRows * grid_->verticalHeader()->defaultSectionSize() +
                           grid_->horizontalScrollBar()->sizeHint().height() + 2 * grid_->frameWidth();
    return {width, gridHeight + 135};
}

void MainPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutControls();
}

void MainPanel::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Escape:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            event->accept();  // the panel has no cancel and no default command
            return;
        default:
            QWidget::keyPressEvent(event);
    }
}

}  // namespace mireva::ui
