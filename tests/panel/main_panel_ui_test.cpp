// The main panel: layout, the checks before a reading run, reset, and the requests
// its buttons and pages send.
#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include "core/app_session.h"
#include "panel/ui/main_panel.h"
#include "panel/ui/operation_pages.h"
#include "panel/ui/panel_button.h"
#include "panel/ui/worksheet_grid.h"
#include "panel/ui/worksheet_grid_model.h"
#include "support/scripted_dialogs.h"
#include "support/test_support.h"
#include "support/worksheet_fixture.h"

namespace mireva::ui {
namespace {

using test::TempDir;

class PanelTest : public ::testing::Test {
protected:
    void SetUp() override { session = AppSession::forFolder(dir.dataFolder()); }
    TempDir dir;
    AppSession session;
    test::ScriptedDialogs dialogs;
};

TEST_F(PanelTest, ControlsAreAnchoredToTheBottomRightAndFollowResizing) {
    MainPanel panel(session);
    panel.show();
    for (const QSize size : {QSize(1400, 700), QSize(1100, 520)}) {
        panel.resize(size);
        const int W = size.width(), H = size.height();
        SCOPED_TRACE(W);
        EXPECT_EQ(panel.bandTabs()->geometry(), QRect(0, 0, 800, 21));
        EXPECT_EQ(panel.grid()->geometry(), QRect(0, 22, W, H - 135));
        // Buttons of 48 × 30 dialog units are 72 × 49 pixels.
        const std::pair<QPushButton*, int> buttons[] = {{panel.closeButton(), 10},
                                                        {panel.printButton(), 100},
                                                        {panel.previewButton(), 190},
                                                        {panel.excelButton(), 280},
                                                        {panel.resetButton(), 935}};
        for (const auto& [button, dx] : buttons) {
            EXPECT_EQ(button->geometry(), QRect(W - 72 - dx, H - 49 - 20, 72, 49)) << button->text().toStdString();
        }
        EXPECT_EQ(panel.operationTabs()->geometry(), QRect(W - 450 - 400, H - 114 + 2, 450, 114));
        EXPECT_EQ(panel.offsetPage()->geometry(), QRect(W - 510 - 405, H - 85, 510, 85));
        EXPECT_EQ(panel.rowPage()->geometry(), QRect(W - 450 - 405, H - 85, 450, 85));
    }
}

TEST_F(PanelTest, OperationTabsShowExactlyOnePage) {
    MainPanel panel(session);
    panel.show();
    const auto visible = [&] {
        return std::array<bool, 3>{panel.offsetPage()->isVisible(), panel.rowPage()->isVisible(),
                                   panel.otherPage()->isVisible()};
    };
    EXPECT_EQ(visible(), (std::array<bool, 3>{true, false, false}));
    panel.operationTabs()->setCurrentIndex(2);
    EXPECT_EQ(visible(), (std::array<bool, 3>{false, false, true}));
    panel.operationTabs()->setCurrentIndex(1);
    EXPECT_EQ(visible(), (std::array<bool, 3>{false, true, false}));
    EXPECT_EQ(panel.operationTabs()->tabText(0), QStringLiteral("オフセット"));
    EXPECT_EQ(panel.operationTabs()->tabText(1), QStringLiteral("行単位の操作"));
    EXPECT_EQ(panel.operationTabs()->tabText(2), QStringLiteral("その他"));
}

TEST_F(PanelTest, RefusedReadingRunShowsItsMessageAndKeepsTheGrid) {
    test::writeFile(session.locations.worksheet(), test::makeWorksheet(2));
    test::writeFile(dir / "list.csv", "");
    std::filesystem::create_directories(dir / "data");
    MainPanel panel(session);
    panel.refreshGrid();
    ASSERT_EQ(panel.gridModel()->rowCount(), 12);

    struct Case {
        QString table, folder, message;
    } cases[] = {
        {QString::fromStdString((dir / "nothing.csv").string()), QString::fromStdString((dir / "data").string()),
         "測定場所管理番号表を開けません"},
        {QString::fromStdString((dir / "data").string()), QString::fromStdString((dir / "data").string()),
         "測定場所管理番号表を開けません"},  // a folder is not a table
        {QStringLiteral("/proc/self/mem"), QString::fromStdString((dir / "data").string()),
         "測定場所管理番号表を開けません"},  // opens, but cannot be read
        {QString::fromStdString((dir / "list.csv").string()), QString::fromStdString((dir / "nodata").string()),
         "読み込みフォルダを開けません"},
        {QString::fromStdString((dir / "list.csv").string()), QString::fromStdString((dir / "list.csv").string()),
         "読み込みフォルダを開けません"},
    };
    for (const Case& c : cases) {
        dialogs.messages.clear();
        panel.setLocationTablePath(c.table);
        panel.setDataFolderPath(c.folder);
        panel.setResetRequest(false);
        panel.runReading();
        EXPECT_EQ(dialogs.texts(), QStringList{c.message});
        EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::None);
        EXPECT_EQ(panel.gridModel()->rowCount(), 12);
    }
}

// A data folder that is a folder but cannot be listed (another user's) would read as
// one without files: the run is refused, naming the folder and the reason, and the
// worksheet and the grid stay as they were.
TEST_F(PanelTest, ADataFolderThatCannotBeListedIsRefusedNamingItAndTheReason) {
    const std::string previous = test::makeWorksheet(2);
    test::writeFile(session.locations.worksheet(), previous);
    test::writeFile(dir / "list.csv", "NO\r\n");
    const std::filesystem::path locked = dir / "locked";
    std::filesystem::create_directories(locked);
    std::filesystem::permissions(locked, std::filesystem::perms::owner_all);
    MainPanel panel(session);
    panel.refreshGrid();
    panel.setLocationTablePath(QString::fromStdString((dir / "list.csv").string()));
    panel.setDataFolderPath(QString::fromStdString(locked.string()));
    panel.setResetRequest(false);
    {
        test::AsOrdinaryUser user;
        panel.runReading();
    }
    EXPECT_EQ(dialogs.texts(),
              QStringList{QStringLiteral("読み込みフォルダを開けません\n") + QString::fromStdString(locked.string()) +
                          "\n" + QString::fromLocal8Bit(std::strerror(EACCES))});
    EXPECT_EQ(test::readFile(session.locations.worksheet()), previous);
    EXPECT_EQ(panel.gridModel()->rowCount(), 12);
    EXPECT_FALSE(std::filesystem::exists(session.locations.errorLog()));
}

TEST_F(PanelTest, ResetRestoresTheReadingRunsWorksheetAndArraysButNotThePresenceFlags) {
    const std::string original = test::makeWorksheet(2);
    test::writeFile(session.locations.worksheetReset(), original);
    test::writeFile(session.locations.worksheet(), test::makeWorksheet(1));
    session.summary.savedChannelHasValue[7] = 1;
    session.summary.savedColumnHasValue[8] = 1;
    session.summary.current.channelHasValue[9] = 1;
    session.summary.current.berPresent = 1;

    MainPanel panel(session);
    panel.setResetRequest(true);
    panel.runReading();
    EXPECT_EQ(test::readFile(session.locations.worksheet()), original);
    EXPECT_EQ(panel.gridModel()->rowCount(), 12);
    EXPECT_EQ(session.summary.current.channelHasValue[7], 1);
    EXPECT_EQ(session.summary.current.channelHasValue[9], 0);
    EXPECT_EQ(session.summary.current.columnHasValue[8], 1);
    EXPECT_EQ(session.summary.current.berPresent, 1);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(PanelTest, ResetWithoutAResetCopySaysSoAndLeavesTheWorksheet) {
    const std::string current = test::makeWorksheet(1);
    test::writeFile(session.locations.worksheet(), current);
    MainPanel panel(session);
    panel.setResetRequest(true);
    panel.runReading();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(test::readFile(session.locations.worksheet()), current);
    EXPECT_EQ(panel.gridModel()->rowCount(), 6);
}

TEST_F(PanelTest, ResetAsksFirstAndForwardsOnlyOnYes) {
    MainPanel panel(session);
    QSignalSpy reset(&panel, &MainPanel::resetWorksheet);
    dialogs.answers = {MessageAnswer::No, MessageAnswer::Yes};
    panel.resetButton()->click();
    EXPECT_EQ(reset.count(), 0);
    panel.resetButton()->click();
    EXPECT_EQ(reset.count(), 1);
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("全ての測定データがオフセット前の状態に戻り、\n使用チャンネルも"
                                                       "読み込み直後の状態に戻ります。\nよろしいですか？"));
    EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::None);
}

TEST_F(PanelTest, ButtonsForwardTheirRequests) {
    MainPanel panel(session);
    struct Case {
        QPushButton* button;
        void (MainPanel::*signal)();
    } cases[] = {
        {panel.closeButton(), &MainPanel::closeWorksheet},
        {panel.printButton(), &MainPanel::printReport},
        {panel.previewButton(), &MainPanel::previewReport},
        {panel.excelButton(), &MainPanel::exportExcel},
    };
    for (const Case& c : cases) {
        QSignalSpy spy(&panel, c.signal);
        c.button->click();
        EXPECT_EQ(spy.count(), 1) << c.button->text().toStdString();
    }

    const std::pair<QString, void (MainPanel::*)()> pageButtons[] = {
        {"－0.1dB", &MainPanel::offsetMinusTenth}, {"－1dB", &MainPanel::offsetMinusOne},
        {"－10dB", &MainPanel::offsetMinusTen},    {"+0.1dB", &MainPanel::offsetPlusTenth},
        {"＋1dB", &MainPanel::offsetPlusOne},      {"+10dB", &MainPanel::offsetPlusTen},
        {"オフセット", &MainPanel::offsetTyped},   {"UP", &MainPanel::movePlacesUp},
        {"DOWN", &MainPanel::movePlacesDown},      {"行の削除", &MainPanel::deletePlaces},
        {"四捨五入", &MainPanel::roundLevels},
    };
    for (const auto& [label, signal] : pageButtons) {
        QPushButton* button = nullptr;
        for (QPushButton* b : panel.findChildren<QPushButton*>()) {
            if (b->text() == label) button = b;
        }
        ASSERT_NE(button, nullptr) << label.toStdString();
        QSignalSpy spy(&panel, signal);
        button->click();
        EXPECT_EQ(spy.count(), 1) << label.toStdString();
    }
    // The worksheet operations answer these requests; their messages are tested with them.
}

TEST_F(PanelTest, MoveNeedsARowNumberAndCsvOutputNeedsAFile) {
    MainPanel panel(session);
    QSignalSpy moveTo(&panel, &MainPanel::movePlacesTo);
    QSignalSpy writeCsv(&panel, &MainPanel::writeCsv);
    QPushButton* move = nullptr;
    QPushButton* csv = nullptr;
    for (QPushButton* b : panel.findChildren<QPushButton*>()) {
        if (b->text() == QStringLiteral("移動")) move = b;
        if (b->text() == QStringLiteral("CSV出力")) csv = b;
    }
    ASSERT_TRUE(move && csv);

    move->click();
    EXPECT_EQ(moveTo.count(), 0);
    EXPECT_EQ(dialogs.texts(), QStringList{"移動先の行番号が入力されてません。"});
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Error);
    panel.rowPage()->moveEdit()->setText("12");
    move->click();
    EXPECT_EQ(moveTo.count(), 1);
    EXPECT_EQ(panel.rowPage()->moveText(), QStringLiteral("12"));

    csv->click();  // dialog cancelled
    EXPECT_EQ(writeCsv.count(), 0);
    dialogs.paths = {"/tmp/out.csv"};
    csv->click();
    EXPECT_EQ(writeCsv.count(), 1);
    EXPECT_EQ(panel.otherPage()->csvPath(), QStringLiteral("/tmp/out.csv"));
    ASSERT_EQ(dialogs.fileRequests.size(), 2u);
    EXPECT_EQ(dialogs.fileRequests[1].kind, FileDialogRequest::Kind::SaveFile);
    EXPECT_EQ(dialogs.fileRequests[1].defaultSuffix, QStringLiteral("csv"));
}

TEST_F(PanelTest, RowNumberEditTakesDigitsOnly) {
    MainPanel panel(session);
    QLineEdit* edit = panel.rowPage()->moveEdit();
    QTest::keyClicks(edit, "1a2");
    EXPECT_EQ(edit->text(), QStringLiteral("12"));
    QTest::keyClicks(edit, "34567");
    EXPECT_EQ(edit->text().size(), 5);
    EXPECT_EQ(panel.offsetPage()->valueEdit()->maxLength(), 4);
}

// A column the user widened keeps its width over refills of its band tab (offsets,
// rounding, tab changes) and is back to its own width after the next reading run.
TEST_F(PanelTest, WidenedColumnsKeepTheirWidthUntilTheNextReadingRun) {
    test::writeFile(session.locations.worksheet(), test::makeWorksheet(2));
    MainPanel panel(session);
    panel.refreshGrid();
    QHeaderView* header = panel.grid()->horizontalHeader();
    const int channel0 = 4;
    ASSERT_EQ(header->sectionSize(channel0), 50);
    header->resizeSection(channel0, 95);  // as a drag of the header's edge does
    header->resizeSection(1, 260);

    panel.refreshGrid();  // what an offset or rounding ends with
    EXPECT_EQ(header->sectionSize(channel0), 95);
    EXPECT_EQ(header->sectionSize(1), 260);
    panel.selectBandTab(1);
    EXPECT_EQ(header->sectionSize(channel0), 50);  // another tab has its own widths
    EXPECT_EQ(header->sectionSize(1), 200);
    panel.selectBandTab(0);
    EXPECT_EQ(header->sectionSize(channel0), 95);

    panel.setLocationTablePath(QString::fromStdString(test::sourcePath("samples/site/list.csv").string()));
    panel.setDataFolderPath(QString::fromStdString(test::sourcePath("samples/site/data").string()));
    panel.setResetRequest(false);
    panel.runReading();
    ASSERT_GT(panel.gridModel()->rowCount(), 0);
    EXPECT_EQ(header->sectionSize(channel0), 50);
    EXPECT_EQ(header->sectionSize(1), 200);
}

// Labels keep the panel's font and fit their controls: a button label too long for
// one line takes two, and the row No field starts after its label.
TEST_F(PanelTest, LabelsFitTheirControls) {
    MainPanel panel(session);
    panel.show();
    panel.resize(1100, 520);
    auto* preview = static_cast<PanelButton*>(panel.previewButton());
    EXPECT_EQ(preview->text(), QStringLiteral("印刷プレビュー"));
    EXPECT_EQ(preview->shownLabel(), QStringLiteral("印刷\nプレビュー"));
    for (QPushButton* b :
         {panel.closeButton(), panel.printButton(), panel.previewButton(), panel.excelButton(), panel.resetButton()}) {
        auto* button = static_cast<PanelButton*>(b);
        SCOPED_TRACE(button->text().toStdString());
        EXPECT_EQ(button->font(), panel.font());
        const QFontMetrics metrics(button->font());
        const QStringList lines = button->shownLabel().split(QLatin1Char('\n'));
        for (const QString& line : lines)
            EXPECT_LE(metrics.horizontalAdvance(line), button->labelRoom()) << line.toStdString();
        EXPECT_LE(lines.size() * metrics.lineSpacing(), button->height());
        if (metrics.horizontalAdvance(button->text()) <= button->labelRoom()) {
            EXPECT_EQ(lines.size(), 1);
        }
    }

    panel.selectOperationTab(1);
    QLineEdit* edit = panel.rowPage()->moveEdit();
    QLabel* label = nullptr;
    for (QLabel* l : panel.rowPage()->findChildren<QLabel*>())
        if (l->text() == QStringLiteral("移動先の行No")) label = l;
    ASSERT_NE(label, nullptr);
    EXPECT_GE(label->width(), label->sizeHint().width());
    EXPECT_LT(label->geometry().right(), edit->geometry().left());
    auto* box = panel.rowPage()->findChild<QGroupBox*>();
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->geometry().contains(edit->geometry()));
    EXPECT_TRUE(panel.rowPage()->rect().contains(box->geometry()));
    for (QPushButton* b : panel.rowPage()->findChildren<QPushButton*>()) {
        if (b->text() == QStringLiteral("行の削除")) {
            EXPECT_FALSE(b->geometry().intersects(box->geometry()));
        }
    }
}

TEST(TwoLineLabel, BreaksWhereTheScriptChanges) {
    const QFontMetrics metrics(QApplication::font());
    struct Case {
        const char* text;
        const char* expected;
    } cases[] = {
        {"印刷プレビュー", "印刷\nプレビュー"},
        {"Excel出力", "Excel\n出力"},
        {"プレビュー", "プレ\nビュー"},  // one script: the break that gives the narrowest lines
        {"印", "印"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(twoLineLabel(QString::fromUtf8(c.text), metrics), QString::fromUtf8(c.expected)) << c.text;
}

}  // namespace
}  // namespace mireva::ui
