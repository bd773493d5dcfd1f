// The chart window opened from "グラフ" on the その他 page: it shows the place of the
// grid's current row on the current band tab, and follows row, tab and edits.
#include <QCoreApplication>
#include <QItemSelectionModel>
#include <QPushButton>

#include <gtest/gtest.h>

#include "charts/ui/level_chart_renderer.h"
#include "charts/ui/level_chart_window.h"
#include "core/app_session.h"
#include "core/file_io.h"
#include "panel/ui/level_chart_feed.h"
#include "panel/ui/main_panel.h"
#include "panel/ui/operation_pages.h"
#include "panel/ui/worksheet_grid.h"
#include "panel/ui/worksheet_grid_model.h"
#include "settings/settings_file.h"
#include "support/scripted_dialogs.h"
#include "support/test_support.h"
#include "worksheet_fixture.h"

namespace mireva::ui {
namespace {

using test::cp;

std::string fixed(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f", v);
    return buf;
}

// Three places: UHF 13 (channel 0) at 55.5 + 10 p, UHF 14 at 70 in place 1 only, BS-1
// (channel 40) at 48 in every place.
WorksheetDocument threePlaces() {
    return test::makeWorksheet(
        3,
        [](int p, BlockRow row, int c) -> std::string {
            if (row != BlockRow::Level) return test::none();
            if (c == 0) return fixed(55.5 + 10 * p);
            if (c == 1 && p == 1) return "70.0";
            if (c == 40) return "48.0";
            return test::none();
        },
        41);
}

class LevelChartFeedTest : public ::testing::Test {
protected:
    void SetUp() override {
        session = AppSession::forFolder(dir.dataFolder());
        test::writeFile(session.locations.worksheet(), threePlaces().serialize());
        ReportSettings settings = ReportSettings::defaults();
        settings.standardValues[kStdUhf] = "60.0";
        settings.broadcasterNames[0] = cp("第一放送");
        ASSERT_TRUE(SettingsFile(session.settingsPath).writeStandardValues(settings));
        ASSERT_TRUE(SettingsFile(session.settingsPath).writeBroadcasterNames(settings));
        panel = std::make_unique<MainPanel>(session);
        panel->resize(1400, 700);
        panel->show();
        panel->refreshGrid();
    }

    QPushButton* chartButton() {
        for (QPushButton* b : panel->otherPage()->findChildren<QPushButton*>())
            if (b->text() == QStringLiteral("グラフ")) return b;
        return nullptr;
    }
    const LevelChartModel& shown() { return panel->levelChart()->window()->model(); }
    void setCurrentRow(int row) {
        panel->grid()->selectionModel()->setCurrentIndex(
            panel->gridModel()->index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }

    test::TempDir dir;
    test::ScriptedDialogs dialogs;
    AppSession session;
    std::unique_ptr<MainPanel> panel;
};

TEST_F(LevelChartFeedTest, OpensOnTheCurrentPlaceAndFollowsRowAndTab) {
    setCurrentRow(8);  // a row of the second place
    ASSERT_NE(chartButton(), nullptr);
    chartButton()->click();
    LevelChartWindow* window = panel->levelChart()->window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(shown().placeNumber, 2);
    EXPECT_EQ(shown().placeName, "P2");
    EXPECT_EQ(shown().bandTab, 0);
    ASSERT_EQ(shown().bars.size(), 2u);
    EXPECT_EQ(shown().bars[0].valueText, "65.5");
    EXPECT_EQ(shown().bars[0].broadcaster, cp("第一放送"));
    EXPECT_FALSE(shown().bars[0].belowStandard);
    ASSERT_EQ(shown().standards.size(), 1u);
    EXPECT_EQ(shown().standards[0].valueText, "60.0");

    setCurrentRow(0);
    EXPECT_EQ(shown().placeNumber, 1);
    ASSERT_EQ(shown().bars.size(), 1u);
    EXPECT_TRUE(shown().bars[0].belowStandard);  // 55.5 against 60.0
    // The bar's colour is the one the grid paints that place's level row in.
    EXPECT_TRUE(panel->gridModel()->isBelowStandard(2));
    EXPECT_EQ(toQColor(shown().bars[0].colour), panel->gridModel()->background(2));

    // Another band tab: the grid loses its current row, the chart keeps its place.
    setCurrentRow(14);
    panel->selectBandTab(1);
    EXPECT_EQ(shown().placeNumber, 3);
    EXPECT_EQ(shown().bandTab, 1);
    ASSERT_EQ(shown().bars.size(), 1u);
    EXPECT_EQ(shown().bars[0].channel, 40);
}

TEST_F(LevelChartFeedTest, FollowsEditsOfTheWorksheet) {
    setCurrentRow(2);
    chartButton()->click();
    ASSERT_EQ(shown().bars.at(0).valueText, "55.5");

    // An offset (any operation that rewrites the worksheet and refills the grid).
    panel->grid()->selectionModel()->select(
        QItemSelection(panel->gridModel()->index(0, 0), panel->gridModel()->index(5, 0)),
        QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    emit panel->offsetPlusTen();
    EXPECT_EQ(shown().bars.at(0).valueText, "65.5");
    EXPECT_FALSE(shown().bars.at(0).belowStandard);

    // Moving the place down: the chart goes with the moved place.
    emit panel->movePlacesDown();
    EXPECT_EQ(shown().placeName, "P1");
    EXPECT_EQ(shown().placeNumber, 2);

    // A standard value changed in the settings shows at the next fill, as in the grid.
    ReportSettings settings = ReportSettings::defaults();
    settings.standardValues[kStdUhf] = "70";
    ASSERT_TRUE(SettingsFile(session.settingsPath).writeStandardValues(settings));
    panel->refreshGrid();
    ASSERT_EQ(shown().standards.size(), 1u);
    EXPECT_EQ(shown().standards[0].valueText, "70");
    EXPECT_TRUE(shown().bars.at(0).belowStandard);

    // A change the grid makes in place (rows exchanged) shows once the burst is over.
    ASSERT_EQ(shown().placeName, "P1");
    panel->gridModel()->swapRows(2, 8);
    QCoreApplication::processEvents();
    EXPECT_EQ(shown().placeName, "P2");  // the second place's level row now holds the first's texts

    // Deleting every place leaves a chart without bars.
    panel->grid()->selectAll();
    emit panel->deletePlaces();
    EXPECT_TRUE(shown().empty());
    EXPECT_FALSE(panel->levelChart()->window()->saveButton()->isEnabled());
}

}  // namespace
}  // namespace mireva::ui
