// The menu entry of the channel settings: the view opens the dialog modally from the
// program's state, and after OK the grid heads its columns with the new names.
#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include "app/app_view.h"
#include "channels/ui/broadcaster_name_edit.h"
#include "channels/ui/channel_page.h"
#include "channels/ui/set_ch_dlg.h"
#include "panel/ui/main_panel.h"
#include "panel/ui/worksheet_grid_model.h"
#include "settings/settings_file.h"
#include "support/scripted_dialogs.h"
#include "support/test_support.h"
#include "support/worksheet_fixture.h"

namespace mireva::ui {
namespace {

// Runs `act` on the channel settings dialog once it is open and modal.
void whenDialogOpens(std::function<void(CSetChDlg&)> act) {
    QTimer::singleShot(0, [act] {
        auto* dlg = qobject_cast<CSetChDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        act(*dlg);
    });
}

QString header(MainPanel* panel, int column) {
    return panel->gridModel()->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
}

int columnOf(MainPanel* panel, const QString& prefix) {
    for (int c = 0; c < panel->gridModel()->columnCount(); ++c)
        if (header(panel, c).startsWith(prefix)) return c;
    return -1;
}

TEST(ChannelSettingsMenu, OkRefreshesTheGridHeadersAndStoresTheSelection) {
    test::TempDir temp;
    test::ScriptedDialogs dialogs;
    AppView view;
    view.show();
    test::writeFile(view.session().locations.worksheet(),
                    test::worksheetHeaders() + test::worksheetPlace(0, [](int, int c) {
                        return c == 0 ? std::string("60.0") : std::string();
                    }));
    view.mainPanel()->show();
    view.mainPanel()->refreshGrid();
    const int column = columnOf(view.mainPanel(), QStringLiteral("13"));
    ASSERT_GE(column, 0);
    EXPECT_EQ(header(view.mainPanel(), column), QStringLiteral("13"));

    whenDialogOpens([](CSetChDlg& dlg) {
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("使用チャンネル設定"));
        dlg.page(0)->nameEdit(0)->setText(QStringLiteral("ＮＨＫ"));
        dlg.channelBox(0)->setChecked(true);
        dlg.okButton()->click();
    });
    view.channelSettings();

    EXPECT_EQ(header(view.mainPanel(), column), QStringLiteral("13_ＮＨＫ"));
    EXPECT_EQ(view.session().summary.current.channelHasValue[0], 1);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST(ChannelSettingsMenu, ClosingWithoutOkLeavesEverything) {
    test::TempDir temp;
    test::ScriptedDialogs dialogs;
    AppView view;
    view.show();
    whenDialogOpens([](CSetChDlg& dlg) {
        dlg.channelBox(5)->setChecked(true);
        dlg.page(0)->nameEdit(5)->setText("x");
        dlg.close();
    });
    view.channelSettings();
    EXPECT_EQ(view.session().summary.current, AggregationSummary{});
    ReportSettings settings;
    SettingsFile(view.session().settingsPath).readBroadcasterNames(settings);
    EXPECT_EQ(settings.broadcasterNames[5], "");
}

}  // namespace
}  // namespace mireva::ui
