// The program's window: title, size, menu and its greyed print entries, the switch
// between the read panel and the main panel, the version dialog, and one program per
// user.
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QUuid>

#include <algorithm>
#include <cstdlib>
#include <unistd.h>

#include <gtest/gtest.h>

#include "app/about_dialog.h"
#include "app/app_view.h"
#include "app/main_window.h"
#include "app/single_instance.h"
#include "ingest/ui/read_panel.h"
#include "ingest/ui/read_wizard.h"
#include "ingest/ui/wizard_pages.h"
#include "ingest/ui/drop_edit.h"
#include "panel/ui/main_panel.h"
#include "panel/ui/operation_pages.h"
#include "panel/ui/worksheet_grid.h"
#include "panel/ui/worksheet_grid_model.h"
#include "settings/settings_file.h"
#include "standards/ui/under_std_dlg.h"
#include "support/scripted_dialogs.h"
#include "support/test_support.h"
#include "support/worksheet_fixture.h"

#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

namespace mireva::ui {
namespace {

using test::TempDir;

QStringList entryTexts(QMenu* menu) {
    QStringList out;
    for (QAction* a : menu->actions()) out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

TEST(MainWindow, TitleSizeAndMenuAsTheProgramStarts) {
    TempDir dir;
    test::ScriptedDialogs dialogs;
    MainWindow window;
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Mireva３　ver3.2.0"));
    EXPECT_EQ(window.size(), QSize(720, 450));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(window.pos(), QPoint(screen.width() / 2 - 360, screen.height() / 2 - 225));

    const QList<QAction*> menus = window.menuBar()->actions();
    QStringList titles;
    for (QAction* m : menus) titles << m->text();
    EXPECT_EQ(titles, QStringList({"ファイル(&F)", "編集(&E)", "使用チャンネル/放送局名", "印刷データの設定",
                                   "測定場所管理表の作成", "基準値の設定", "ヘルプ(&H)"}));
    EXPECT_EQ(entryTexts(menus[0]->menu()), QStringList({"印刷(&P)...", "印刷プレビュー(&V)", "プリンターの設定...",
                                                         "-", "アプリケーションの終了(&X)"}));
    EXPECT_EQ(entryTexts(menus[1]->menu()), QStringList({"元に戻す(&U)", "やり直し(&R)"}));
    EXPECT_FALSE(window.undoAction()->isEnabled());
    EXPECT_FALSE(window.redoAction()->isEnabled());
    EXPECT_EQ(entryTexts(menus[2]->menu()), QStringList({"チャンネル/放送局名設定"}));
    EXPECT_EQ(entryTexts(menus[3]->menu()), QStringList({"フォーマット１"}));
    EXPECT_EQ(entryTexts(menus[4]->menu()), QStringList({"作成"}));
    EXPECT_EQ(entryTexts(menus[5]->menu()), QStringList({"設定"}));
    EXPECT_EQ(entryTexts(menus[6]->menu()), QStringList({"バージョン情報(&A)..."}));
    EXPECT_EQ(window.printAction()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
    EXPECT_FALSE(window.printAction()->isEnabled());
    EXPECT_FALSE(window.previewAction()->isEnabled());
    EXPECT_TRUE(window.view()->readPanel()->isVisibleTo(&window));
    EXPECT_FALSE(window.view()->mainPanel()->isVisibleTo(&window));
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST(MainWindow, CtrlPPrintsOnlyWhileThePrintEntryIsEnabled) {
    TempDir dir;
    test::ScriptedDialogs dialogs;
    MainWindow window;
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QSignalSpy triggered(window.printAction(), &QAction::triggered);
    QTest::keyClick(&window, Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(triggered.count(), 0);
    window.view()->setPrintEntriesEnabled(true);
    QTest::keyClick(&window, Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(triggered.count(), 1);
}

TEST(MainWindow, FirstFormatNameTitlesTheReportDataEntry) {
    TempDir dir;
    ReportSettings settings = ReportSettings::defaults();
    settings.format1 = test::cp("〇〇ビル&棟用");
    ASSERT_TRUE(SettingsFile(dir.dataFolder() / "Mireva.ini").writeFormatNames(settings));
    test::ScriptedDialogs dialogs;
    MainWindow window;
    EXPECT_EQ(entryTexts(window.menuBar()->actions()[3]->menu()), QStringList({"〇〇ビル&&棟用"}));
}

TEST(MainWindow, UnusableDataFolderIsReportedOnceNamingIt) {
    TempDir dir;
    // The data folder's place is taken by a file.
    test::writeFile(dir / "ORVANE", "x");
    test::ScriptedDialogs dialogs;
    MainWindow window;
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.contains(QString::fromStdString((dir / "ORVANE").string())));
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Error);
}

// Plays the read wizard with typed paths.
void finishWizardWith(const QString& table, const QString& folder) {
    ReadWizard::setPageRunner([=](QDialog& page) {
        if (auto* first = qobject_cast<LocationTablePage*>(&page)) {
            first->edit()->setText(table);
            first->nextButton()->click();
        } else if (auto* second = qobject_cast<DataFolderPage*>(&page)) {
            second->edit()->setText(folder);
            second->startButton()->click();
        }
        return page.result();
    });
}

TEST(AppView, RefusedRunStillShowsTheMainPanelAndCloseGoesBack) {
    TempDir dir;
    test::ScriptedDialogs dialogs;
    MainWindow window;
    window.show();
    test::writeFile(dir.dataFolder() / "worksheet.csv", test::makeWorksheet(1));
    window.view()->mainPanel()->refreshGrid();  // rows of an earlier run

    finishWizardWith("/nowhere/list.csv", "/nowhere/data");
    window.view()->readPanel()->startButton()->click();
    ReadWizard::setPageRunner({});
    EXPECT_EQ(dialogs.texts(), QStringList{"測定場所管理番号表を開けません"});
    EXPECT_TRUE(window.view()->mainPanel()->isVisible());
    EXPECT_FALSE(window.view()->readPanel()->isVisible());
    EXPECT_EQ(window.view()->mainPanel()->gridModel()->rowCount(), 6);
    EXPECT_EQ(window.view()->mainPanel()->locationTablePath(), QStringLiteral("/nowhere/list.csv"));
    EXPECT_TRUE(window.printAction()->isEnabled());
    EXPECT_TRUE(window.previewAction()->isEnabled());
    EXPECT_TRUE(window.view()->mainPanel()->grid()->showGrid());
    EXPECT_EQ(window.view()->mainPanel()->geometry(), window.view()->rect());

    window.view()->mainPanel()->closeButton()->click();
    EXPECT_FALSE(window.printAction()->isEnabled());
    EXPECT_FALSE(window.previewAction()->isEnabled());
    EXPECT_TRUE(window.view()->readPanel()->isVisible());
    EXPECT_FALSE(window.view()->mainPanel()->isVisible());
}

class ReadingRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        MainPanel::setJudgementDialogHook([this](MainPanel&) { ++judgementDialogs; });
    }
    void TearDown() override {
        MainPanel::setJudgementDialogHook({});
        ReadWizard::setPageRunner({});
    }
    void readSample(MainWindow& window) {
        finishWizardWith(QString::fromStdString(test::sourcePath("samples/site/list.csv").string()),
                         QString::fromStdString(test::sourcePath("samples/site/data").string()));
        window.view()->readPanel()->startButton()->click();
    }
    TempDir dir;
    test::ScriptedDialogs dialogs;
    int judgementDialogs = 0;
};

TEST_F(ReadingRunTest, SampleSiteFillsTheGridKeepsAResetCopyAndOpensNoJudgementAboveStandard) {
    MainWindow window;
    window.show();
    readSample(window);
    MainPanel* panel = window.view()->mainPanel();
    // The sample holds a missing file and a PNG item: the run's two messages, in order.
    EXPECT_EQ(dialogs.texts(), QStringList({"存在しないファイルがありました\n飛ばして集計を行います",
                                            "「データロガー」「PNG」「MP4」は集計できません\n飛ばして集計を行います"}));
    EXPECT_EQ(panel->gridModel()->rowCount(), 5 * 6);
    const auto& locations = window.view()->session().locations;
    EXPECT_EQ(test::readFile(locations.worksheetReset()), test::readFile(locations.worksheet()));
    const auto& summary = window.view()->session().summary;
    EXPECT_EQ(summary.savedChannelHasValue, summary.current.channelHasValue);
    EXPECT_NE(std::count(summary.current.channelHasValue.begin(), summary.current.channelHasValue.end(), 1), 0);
    EXPECT_FALSE(panel->belowStandardFlag());
    EXPECT_EQ(judgementDialogs, 0);

    // A reset always opens the judgement dialog.
    dialogs.answers = {MessageAnswer::Yes};
    panel->resetButton()->click();
    EXPECT_EQ(judgementDialogs, 1);
    EXPECT_EQ(panel->gridModel()->rowCount(), 5 * 6);
}

TEST_F(ReadingRunTest, RoundingUndoneAndRedoneThroughTheMenuAndTheShortcuts) {
    MainWindow window;
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    readSample(window);
    MainPanel* panel = window.view()->mainPanel();
    const auto& locations = window.view()->session().locations;
    const std::string read = test::readFile(locations.worksheet());
    emit panel->roundLevels();
    const std::string rounded = test::readFile(locations.worksheet());
    ASSERT_NE(rounded, read);
    EXPECT_TRUE(window.undoAction()->isEnabled());
    EXPECT_EQ(window.undoAction()->text(), QString::fromUtf8("元に戻す: 四捨五入(&U)"));
    window.undoAction()->trigger();
    EXPECT_TRUE(test::readFile(locations.worksheet()) == read);
    EXPECT_EQ(window.redoAction()->text(), QString::fromUtf8("やり直し: 四捨五入(&R)"));
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_TRUE(test::readFile(locations.worksheet()) == rounded);
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(test::readFile(locations.worksheet()) == read);
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(test::readFile(locations.worksheet()) == rounded);
    EXPECT_EQ(panel->gridModel()->rowCount(), 5 * 6);
    panel->closeButton()->click();
    EXPECT_FALSE(window.undoAction()->isEnabled());
    EXPECT_TRUE(test::readFile(locations.worksheet()) == rounded);
}

TEST_F(ReadingRunTest, LevelsAtOrBelowStandardOpenTheJudgementDialogAfterTheRun) {
    ReportSettings settings = ReportSettings::defaults();
    settings.standardValues.fill("200");
    ASSERT_TRUE(SettingsFile(dir.dataFolder() / "Mireva.ini").writeStandardValues(settings));
    MainWindow window;
    window.show();
    readSample(window);
    MainPanel* panel = window.view()->mainPanel();
    EXPECT_TRUE(panel->belowStandardFlag());
    EXPECT_EQ(judgementDialogs, 1);
    EXPECT_FALSE(panel->belowStandardRows().empty());
    for (int row : panel->belowStandardRows()) EXPECT_EQ(row % 6, 2);
    EXPECT_EQ(panel->gridModel()->background(panel->belowStandardRows().front()), QColor(255, 69, 0));
}

// Run only as a child of the test below, on the screen the parent chose: after a
// reading run every bottom control lies inside the panel and the grid shows ten rows.
TEST_F(ReadingRunTest, DISABLED_MainPanelFitsItsFrame) {
    MainWindow window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    readSample(window);
    QCoreApplication::processEvents();
    if (qEnvironmentVariableIsSet("MIREVA_TEST_EXPECT_MAXIMIZED")) {
        EXPECT_TRUE(window.isMaximized());
        return;
    }
    EXPECT_FALSE(window.isMaximized());
    const QRect screen = window.screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(window.frameGeometry())) << window.frameGeometry().width();
    MainPanel* panel = window.view()->mainPanel();
    const QRect area = panel->rect();
    QTabBar* operationTabBar = panel->operationTabs()->tabBar();
    QWidget* page = panel->offsetPage();
    const std::pair<QWidget*, const char*> controls[] = {
        {panel->resetButton(), "reset"},     {panel->excelButton(), "Excel"},  {panel->previewButton(), "preview"},
        {panel->printButton(), "print"},     {panel->closeButton(), "close"},  {page, "offset page"},
        {operationTabBar, "operation tabs"}, {panel->bandTabs(), "band tabs"},
    };
    for (const auto& [control, name] : controls) {
        const QRect r(control->mapTo(panel, QPoint(0, 0)), control->size());
        EXPECT_TRUE(control->isVisible()) << name;
        EXPECT_TRUE(area.contains(r)) << name << " at " << r.x() << "," << r.y() << " in " << area.width() << "x"
                                      << area.height();
    }
    WorksheetGrid* grid = panel->grid();
    EXPECT_GE(grid->viewport()->height(), MainPanel::kMinimumGridRows * WorksheetGrid::kRowHeight);
}

TEST(MainWindow, GrowsToTheMainPanelOnCommonScreens) {
    struct Case {
        int width, height;
        bool maximized;
    } cases[] = {{1366, 768, false}, {1920, 1080, false}, {1024, 600, false}, {800, 600, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        TempDir dir(false);
        const std::filesystem::path config = dir / "screen.json";
        test::writeFile(config, QStringLiteral(R"({"screens":[{"name":"s","x":0,"y":0,"width":%1,"height":%2,)"
                                               R"("logicalDpi":96}]})")
                                    .arg(c.width)
                                    .arg(c.height)
                                    .toStdString());
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM",
                   QStringLiteral("offscreen:configfile=") + QString::fromStdString(config.string()));
        if (c.maximized) env.insert("MIREVA_TEST_EXPECT_MAXIMIZED", "1");
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(
            QCoreApplication::applicationFilePath(),
            {"--gtest_also_run_disabled_tests", "--gtest_filter=ReadingRunTest.DISABLED_MainPanelFitsItsFrame"});
        ASSERT_TRUE(child.waitForFinished(60000));
        const QString output = QString::fromUtf8(child.readAll());
        EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
        EXPECT_TRUE(output.contains(QStringLiteral("[  PASSED  ] 1 test."))) << output.toStdString();
    }
}

// Not a check: scripts/screenshot-main-panel runs it under Xvfb to picture the main
// panel on the sample site (at the size the window takes for it) and the judgement
// dialog under the sample's standard values, for the documentation.
TEST_F(ReadingRunTest, DISABLED_ScreenshotOfTheSampleSite) {
    std::filesystem::copy_file(test::sourcePath("samples/site/Mireva.ini"), dir.dataFolder() / "Mireva.ini",
                               std::filesystem::copy_options::overwrite_existing);
    MainWindow window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    readSample(window);
    MainPanel* panel = window.view()->mainPanel();
    panel->grid()->selectRow(7);
    QTest::qWait(300);
    const QString folder = qEnvironmentVariable("MIREVA_SCREENSHOT_DIR", ".");
    ASSERT_TRUE(window.grab().save(folder + "/main-panel.png"));

    CUnderStdDlg judgement(panel->judgement(), window.view()->session().settingsPath, &window);
    judgement.show();
    QTest::qWait(300);
    ASSERT_TRUE(judgement.grab().save(folder + "/judgement-dialog.png"));
}

TEST(AboutDialog, ShowsTheVersionLine) {
    AboutDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("バージョン情報"));
    QStringList texts;
    for (QLabel* l : dialog.findChildren<QLabel*>()) texts << l->text();
    EXPECT_TRUE(texts.contains(QStringLiteral("Mireva３, Version 3.2.0")));
    QPushButton* ok = dialog.findChild<QPushButton*>();
    ASSERT_NE(ok, nullptr);
    dialog.show();
    ok->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

QString uniqueKey() { return QStringLiteral("mireva-test-") + QUuid::createUuid().toString(QUuid::Id128); }

TEST(SingleInstance, SecondStartIsRefusedAndRaisesTheFirst) {
    const QString key = uniqueKey();
    SingleInstance first(key);
    ASSERT_TRUE(first.tryBecomePrimary());
    QSignalSpy raised(&first, &SingleInstance::raiseRequested);

    SingleInstance second(key);
    EXPECT_FALSE(second.tryBecomePrimary());
    EXPECT_TRUE(second.askPrimaryToRaise());
    EXPECT_TRUE(raised.wait(2000));
}

TEST(SingleInstance, FreedAfterTheFirstEnds) {
    const QString key = uniqueKey();
    {
        SingleInstance first(key);
        ASSERT_TRUE(first.tryBecomePrimary());
    }
    SingleInstance next(key);
    EXPECT_TRUE(next.tryBecomePrimary());
}

// Run only as a child of the test below: takes the lock and dies without releasing it.
TEST(SingleInstance, DISABLED_HoldLockAndCrash) {
    SingleInstance instance(qEnvironmentVariable("MIREVA_TEST_INSTANCE_KEY"));
    if (!instance.tryBecomePrimary()) _exit(3);
    _exit(0);
}

TEST(SingleInstance, CrashedFirstStartDoesNotBlockTheNext) {
    const QString key = uniqueKey();
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("MIREVA_TEST_INSTANCE_KEY", key);
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(),
                {"--gtest_also_run_disabled_tests", "--gtest_filter=SingleInstance.DISABLED_HoldLockAndCrash"});
    ASSERT_TRUE(child.waitForFinished(10000));
    ASSERT_EQ(child.exitCode(), 0);
    SingleInstance probe(key);
    ASSERT_TRUE(QFile::exists(probe.lockPath()));  // left behind by the crash

    EXPECT_TRUE(probe.tryBecomePrimary());
    QSignalSpy raised(&probe, &SingleInstance::raiseRequested);
    SingleInstance later(key);
    EXPECT_FALSE(later.tryBecomePrimary());
    EXPECT_TRUE(later.askPrimaryToRaise());
    EXPECT_TRUE(raised.wait(2000));
}

}  // namespace
}  // namespace mireva::ui
