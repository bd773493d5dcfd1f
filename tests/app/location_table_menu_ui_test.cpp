// The menu entry "測定場所管理表の作成" → "作成" opens the location table editor modally.
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include <gtest/gtest.h>

#include "app/main_window.h"
#include "ingest/ui/location_table_editor.h"
#include "support/scripted_dialogs.h"
#include "support/test_support.h"

namespace mireva::ui {
namespace {

TEST(LocationTableMenu, CreateOpensTheEditorModally) {
    test::TempDir dir;
    test::ScriptedDialogs dialogs;
    MainWindow window;
    window.show();
    QAction* create = nullptr;
    for (QAction* menu : window.menuBar()->actions())
        if (menu->text() == QStringLiteral("測定場所管理表の作成")) create = menu->menu()->actions().value(0);
    ASSERT_NE(create, nullptr);
    EXPECT_EQ(create->text(), QStringLiteral("作成"));

    QString shownTitle;
    bool wasEditor = false;
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        wasEditor = qobject_cast<CCreateFileDlg*>(modal) != nullptr;
        if (modal) {
            shownTitle = modal->windowTitle();
            modal->close();  // the close box: no question
        }
    });
    create->trigger();
    EXPECT_TRUE(wasEditor);
    EXPECT_EQ(shownTitle, QStringLiteral("測定場所管理表の作成"));
    EXPECT_TRUE(dialogs.messages.empty());
}

}  // namespace
}  // namespace mireva::ui
