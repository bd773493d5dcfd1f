// Feeds the level chart window from the main panel: the chart of the place of the
// grid's current row over the current band tab, built again whenever the grid is
// filled or changed in place (band tab change, offsets, moves, deletion, rounding,
// reset) and whenever the current row moves to another place. While the grid has no
// current row (after a band tab change) the chart keeps to the place it showed.
#pragma once

#include <QObject>

#include "charts/level_chart_model.h"
#include "standards/standard_values.h"

namespace mireva::ui {

class LevelChartWindow;
class MainPanel;

class LevelChartFeed : public QObject {
    Q_OBJECT
public:
    explicit LevelChartFeed(MainPanel* panel);

    // Opens the window (created on first use) in front, showing the current chart.
    void showWindow();
    LevelChartWindow* window() const { return window_; }
    // Position (from 0) of the place the chart shows.
    int place() const { return place_; }

    // The chart of place `place` on the current band tab as the grid holds it now.
    LevelChartModel chartOf(int place) const;

private:
    void gridFilled();
    void currentRowChanged(int row);
    void refresh();
    void refreshLater();
    void readSettings();
    int placeCount() const;

    MainPanel* panel_;
    LevelChartWindow* window_ = nullptr;
    int place_ = 0;
    bool refreshPending_ = false;
    StandardValues standards_;
    BroadcasterNameList names_;
};

}  // namespace mireva::ui
