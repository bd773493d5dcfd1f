#include "panel/ui/level_chart_feed.h"

#include <QItemSelectionModel>

#include "charts/ui/level_chart_window.h"
#include "core/worksheet_layout.h"
#include "panel/ui/main_panel.h"
#include "panel/ui/worksheet_grid.h"
#include "panel/ui/worksheet_grid_model.h"
#include "settings/settings_file.h"

namespace mireva::ui {
namespace {
constexpr int kLevelGridRow = 2;  // the level row's place among a place's six grid rows
constexpr int kPlaceField = 2;    // 測定場所
}  // namespace

LevelChartFeed::LevelChartFeed(MainPanel* panel) : QObject(panel), panel_(panel) {
    standards_.fill("0.0");
    WorksheetGridModel* model = panel->gridModel();
    connect(model, &QAbstractItemModel::modelReset, this, &LevelChartFeed::gridFilled);
    // Changes in place come in bursts (a deletion removes its rows one by one, and a
    // fill repaints every row after judging): they are drawn once, when the burst is over.
    connect(model, &QAbstractItemModel::dataChanged, this, &LevelChartFeed::refreshLater);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &LevelChartFeed::refreshLater);
    connect(panel->grid()->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid()) currentRowChanged(current.row());
            });
}

void LevelChartFeed::showWindow() {
    if (!window_) {
        window_ = new LevelChartWindow(panel_);
        connect(window_, &LevelChartWindow::shown, this, [this] {
            readSettings();
            refresh();
        });
    }
    const QModelIndex current = panel_->grid()->currentIndex();
    if (current.isValid()) place_ = current.row() / kGridRowsPerPlace;
    if (window_->isVisible()) {
        readSettings();
        refresh();
    }
    window_->show();
    window_->raise();
    window_->activateWindow();
}

int LevelChartFeed::placeCount() const {
    // Places whose level row the grid holds.
    const int rows = panel_->gridModel()->rowCount();
    return rows > kLevelGridRow ? (rows - kLevelGridRow - 1) / kGridRowsPerPlace + 1 : 0;
}

void LevelChartFeed::readSettings() {
    ReportSettings settings;
    const SettingsFile file(panel_->session().settingsPath);
    file.readStandardValues(settings);
    file.readBroadcasterNames(settings);
    standards_ = settings.standardValues;
    names_ = settings.broadcasterNames;
}

void LevelChartFeed::gridFilled() {
    if (!window_ || !window_->isVisible()) return;
    // Every fill reads the broadcaster names and the judgement the standard values
    // afresh; the chart takes the same ones.
    readSettings();
    refresh();
}

void LevelChartFeed::currentRowChanged(int row) {
    const int place = row / kGridRowsPerPlace;
    if (place == place_) return;
    place_ = place;
    refresh();
}

LevelChartModel LevelChartFeed::chartOf(int place) const {
    const WorksheetGridModel* model = panel_->gridModel();
    const int row = place * kGridRowsPerPlace + kLevelGridRow;
    const int tab = panel_->currentBandTab();
    if (place < 0 || row >= model->rowCount()) return buildLevelChart(place + 1, {}, tab, {}, standards_, names_);
    std::vector<std::string> texts;
    std::vector<int> channels;
    std::string placeText;
    for (int column = 1; column < model->columnCount(); ++column) {
        const int field = model->columnField(column);
        if (field == kPlaceField) placeText = model->cellBytes(row, column);
        if (field < kLeadingFields) continue;
        channels.push_back(field - kLeadingFields);
        texts.push_back(model->cellBytes(row, column));
    }
    std::vector<ChannelLevel> levels;
    levels.reserve(texts.size());
    for (size_t i = 0; i < texts.size(); ++i) levels.push_back({channels[i], texts[i]});
    // The field holds "name:レベル"; the chart names the place alone.
    std::string_view name = placeText;
    if (const size_t colon = name.rfind(':'); colon != std::string_view::npos) name = name.substr(0, colon);
    return buildLevelChart(place + 1, name, tab, levels, standards_, names_);
}

void LevelChartFeed::refreshLater() {
    if (!window_ || !window_->isVisible() || refreshPending_) return;
    refreshPending_ = true;
    QMetaObject::invokeMethod(this, &LevelChartFeed::refresh, Qt::QueuedConnection);
}

void LevelChartFeed::refresh() {
    refreshPending_ = false;
    if (!window_ || !window_->isVisible()) return;
    const int places = placeCount();
    if (place_ >= places) place_ = std::max(0, places - 1);
    window_->setModel(chartOf(place_));
}

}  // namespace mireva::ui
