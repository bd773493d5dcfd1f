// The menu entry 基準値の設定 > 設定 and the main panel open the standard value
// dialog and the judgement dialog over the program's own settings file.
#include <QApplication>
#include <QTableView>
#include <QLineEdit>
#include <QTimer>

#include <functional>

#include <gtest/gtest.h>

#include "app/app_view.h"
#include "panel/ui/main_panel.h"
#include "standards/ui/set_std_val_dlg.h"
#include "standards/ui/under_std_dlg.h"
#include "support/scripted_dialogs.h"
#include "support/test_support.h"

namespace mireva::ui {
namespace {

// Runs `inspect` on the modal dialog that the next call opens, then closes it.
template <class Dialog>
void whenModalOpens(std::function<void(Dialog*)> inspect, bool& seen) {
    QTimer::singleShot(0, [inspect, &seen] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        seen = dialog != nullptr;
        if (dialog) {
            inspect(dialog);
            dialog->reject();
        }
    });
}

TEST(ViewHooks, StandardValuesMenuEntryOpensTheDialogOnTheSettingsFile) {
    test::TempDir dir;
    test::ScriptedDialogs dialogs;
    AppView view;
    test::writeFile(view.session().settingsPath, "[StandardValue]\r\nUHF=47\r\n");
    bool seen = false;
    QString title, uhf;
    whenModalOpens<CSetStdValDlg>(
        [&](CSetStdValDlg* d) {
            title = d->windowTitle();
            uhf = d->edit(kStdUhf)->text();
        },
        seen);
    view.standardValues();
    ASSERT_TRUE(seen);
    EXPECT_EQ(title, QStringLiteral("基準値の設定"));
    EXPECT_EQ(uhf, "47");
}

TEST(ViewHooks, MainPanelShowsTheJudgementDialogWithItsDetails) {
    test::TempDir dir;
    test::ScriptedDialogs dialogs;
    AppView view;
    JudgementResult& judgement = view.mainPanel()->judgement();
    judgement.belowStandardDetails = {{0, test::cp("1F:レベル"), {{0, "10"}, {1, "11"}}}};
    bool seen = false;
    int rows = -1;
    whenModalOpens<CUnderStdDlg>([&](CUnderStdDlg* d) { rows = d->list()->model()->rowCount(); }, seen);
    view.mainPanel()->showJudgementDialog();
    ASSERT_TRUE(seen);
    EXPECT_EQ(rows, 2);
    EXPECT_TRUE(judgement.belowStandardDetails.empty());
}

}  // namespace
}  // namespace mireva::ui
