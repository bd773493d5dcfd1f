// The operation pages driving the worksheet operations through the real widgets:
// messages and their order, the file, the grid, its selection and highlighted rows.
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>

#include <filesystem>

#include "core/app_session.h"
#include "core/file_io.h"
#include "core/text.h"
#include "panel/level_offsets.h"
#include "panel/panel_messages.h"
#include "panel/ui/main_panel.h"
#include "panel/ui/operation_pages.h"
#include "panel/ui/worksheet_grid.h"
#include "panel/ui/worksheet_grid_model.h"
#include "support/scripted_dialogs.h"
#include "support/test_support.h"
#include "worksheet_fixture.h"

namespace mireva::ui {
namespace {

namespace fs = std::filesystem;
using namespace panel_text;

QString q(const char* utf8) { return QString::fromUtf8(utf8); }

// Five places; UHF 13 (channel 0) holds the level 40.3 + place index, UHF 14 a level in
// place 3 only.
std::string fiveplaces() {
    return test::makeWorksheet(
               5,
               [](int p, BlockRow row, int c) -> std::string {
                   if (row != BlockRow::Level) return c == 0 ? "473.14" : test::none();
                   if (c == 0) return std::to_string(40 + p) + ".3";
                   if (c == 1 && p == 2) return "50.0";
                   return test::none();
               },
               2)
        .serialize();
}

class OperationsTest : public ::testing::Test {
protected:
    void SetUp() override {
        session = AppSession::forFolder(dir.dataFolder());
        original = fiveplaces();
        test::writeFile(session.locations.worksheet(), original);
        ASSERT_TRUE(copyFileReplacing(session.locations.worksheet(), session.locations.worksheetReset()));
        WorksheetDocument ws;
        ws.parse(original);
        session.summary.takeRun(summaryFromWorksheet(ws));
        panel = std::make_unique<MainPanel>(session);
        panel->resize(1400, 700);
        panel->show();
        panel->refreshGrid();
    }

    QPushButton* button(QWidget* page, const char* label) {
        for (QPushButton* b : page->findChildren<QPushButton*>())
            if (b->text() == q(label)) return b;
        ADD_FAILURE() << "no button " << label;
        return nullptr;
    }
    void select(const std::vector<int>& rows) {
        QItemSelection s;
        WorksheetGridModel* m = panel->gridModel();
        for (int r : rows) s.select(m->index(r, 0), m->index(r, m->columnCount() - 1));
        panel->grid()->selectionModel()->select(s, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    std::vector<int> selected() const {
        QList<int> rows = panel->grid()->selectedRowIndexes();
        return {rows.begin(), rows.end()};
    }
    WorksheetDocument worksheet() const {
        WorksheetDocument ws;
        ws.load(session.locations.worksheet());
        return ws;
    }
    // Place names in file order.
    std::vector<std::string> placeNames() const {
        std::vector<std::string> names;
        WorksheetDocument ws = worksheet();
        for (int p = 0; p < ws.placeCount(); ++p) names.emplace_back(placeNameOf(ws.line(p, BlockRow::Frequency)));
        return names;
    }
    // Place names as the grid shows them, with column "No".
    std::vector<std::string> gridPlaces() const {
        std::vector<std::string> out;
        WorksheetGridModel* m = panel->gridModel();
        for (int r = 0; r < m->rowCount(); r += 6) {
            const std::string no = fromCp932(SjView{m->cellBytes(r, 0)});
            const std::string place = fromCp932(SjView{m->cellBytes(r, 1)});
            out.push_back(std::string(trimSpaces(no)) + " " + place.substr(0, place.find(':')));
        }
        return out;
    }
    std::string level(int place, int channel = 0) const {
        return test::channelText(worksheet().line(place, BlockRow::Level), channel);
    }
    QStringList messages() const { return dialogs.texts(); }

    test::TempDir dir;
    AppSession session;
    test::ScriptedDialogs dialogs;
    std::string original;
    std::unique_ptr<MainPanel> panel;
};

TEST_F(OperationsTest, OffsetButtonsWithoutSelectionShowTheErrorAndTouchNothing) {
    for (const char* label : {"－10dB", "－1dB", "－0.1dB", "+10dB", "＋1dB", "+0.1dB", "オフセット"}) {
        dialogs.messages.clear();
        select({});
        button(panel->offsetPage(), label)->click();
        ASSERT_EQ(dialogs.messages.size(), 1u) << label;
        EXPECT_EQ(dialogs.messages[0].text, q(kNoOffsetRows));
        EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Error);
    }
    EXPECT_EQ(test::readFile(session.locations.worksheet()), original);
}

TEST_F(OperationsTest, QuickButtonsOffsetThePlacesBetweenTheSelectedRows) {
    struct Case {
        const char* label;
        std::vector<int> rows;
        std::vector<std::string> levels;  // UHF 13 of places 1..5 afterwards
        std::vector<int> selectedAfter;
    } cases[] = {
        {"+0.1dB", {0}, {"40.3", "41.3", "42.3", "43.3", "44.3"}, {0}},
        {"+0.1dB", {2, 14}, {"40.4", "41.4", "42.4", "43.3", "44.3"}, {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}},
        {"－10dB", {26}, {"40.3", "41.3", "42.3", "43.3", "34.3"}, {26}},
        {"＋1dB", {8, 9}, {"40.3", "42.3", "42.3", "43.3", "44.3"}, {8, 9}},
    };
    for (const Case& c : cases) {
        test::writeFile(session.locations.worksheet(), original);
        panel->refreshGrid();
        select(c.rows);
        button(panel->offsetPage(), c.label)->click();
        EXPECT_TRUE(messages().isEmpty()) << c.label;
        for (int p = 0; p < 5; ++p) EXPECT_EQ(level(p), c.levels[p]) << c.label << " place " << p + 1;
        EXPECT_EQ(selected(), c.selectedAfter) << c.label;
        // The grid shows the file again.
        EXPECT_EQ(panel->gridModel()->content(), test::readFile(session.locations.worksheet()));
    }
}

TEST_F(OperationsTest, TypedValueMessagesInOrderThenTheOffsetWithTheChosenSignAndGroup) {
    struct Case {
        const char* typed;
        std::vector<const char*> messages;
    } refused[] = {
        {".5", {kOffsetNoIntegerPart}},     {"1.", {kOffsetNoFraction}},
        {"1.25", {kOffsetTooManyDecimals}}, {"1.2.", {kOffsetNoFraction, kOffsetTooManyDecimals}},
        {"1a", {kOffsetBadCharacter}},
    };
    select({2});
    for (const Case& c : refused) {
        dialogs.messages.clear();
        panel->offsetPage()->valueEdit()->setText(q(c.typed));
        button(panel->offsetPage(), "オフセット")->click();
        ASSERT_EQ(messages().size(), static_cast<qsizetype>(c.messages.size())) << c.typed;
        for (size_t i = 0; i < c.messages.size(); ++i) EXPECT_EQ(messages()[i], q(c.messages[i])) << c.typed;
    }
    EXPECT_EQ(test::readFile(session.locations.worksheet()), original);

    panel->offsetPage()->valueEdit()->setText(q("1..5"));
    panel->offsetPage()->signList()->setCurrentIndex(1);
    panel->offsetPage()->groupList()->setCurrentIndex(kOffsetGroupAll);
    dialogs.messages.clear();
    button(panel->offsetPage(), "オフセット")->click();
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(level(0), "39.3");
    EXPECT_EQ(splitOffsetSummary(test::offsetsField(worksheet().line(0, BlockRow::Level)))[9], "-1.0 ");
}

TEST_F(OperationsTest, UpDownAndMoveToKeepTheHighlightWithItsPlace) {
    panel->belowStandardRows() = {26};  // place 5
    panel->applyBelowStandardRows();

    select({2, 3, 4, 5, 6, 7, 8, 9});  // only place 2 is taken
    button(panel->rowPage(), "UP")->click();
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(placeNames(), (std::vector<std::string>{"P2", "P1", "P3", "P4", "P5"}));
    EXPECT_EQ(gridPlaces(), (std::vector<std::string>{"1 P2", "2 P1", "3 P3", "4 P4", "5 P5"}));
    EXPECT_EQ(selected(), (std::vector<int>{0, 1, 2, 3, 4, 5}));

    button(panel->rowPage(), "UP")->click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, q(kFirstCannotMoveUp));
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Error);

    dialogs.messages.clear();
    select({24, 25, 26, 27, 28, 29});
    panel->rowPage()->moveEdit()->setText("1");
    button(panel->rowPage(), "移動")->click();
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(placeNames(), (std::vector<std::string>{"P5", "P2", "P1", "P3", "P4"}));
    EXPECT_EQ(panel->belowStandardRows(), std::vector<int>{2});
    EXPECT_TRUE(panel->gridModel()->isBelowStandard(2));
    EXPECT_FALSE(panel->gridModel()->isBelowStandard(26));
    EXPECT_EQ(selected(), (std::vector<int>{0, 1, 2, 3, 4, 5}));

    button(panel->rowPage(), "DOWN")->click();
    EXPECT_EQ(placeNames(), (std::vector<std::string>{"P2", "P5", "P1", "P3", "P4"}));
    EXPECT_EQ(panel->belowStandardRows(), std::vector<int>{8});

    // Targets that do not exist, and an empty row No.
    for (const char* target : {"0", "6"}) {
        dialogs.messages.clear();
        panel->rowPage()->moveEdit()->setText(target);
        button(panel->rowPage(), "移動")->click();
        EXPECT_EQ(messages(), QStringList{q(kNoSuchRow)}) << target;
    }
    dialogs.messages.clear();
    panel->rowPage()->moveEdit()->clear();
    button(panel->rowPage(), "移動")->click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, q(kNoTargetRow));
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(placeNames(), (std::vector<std::string>{"P2", "P5", "P1", "P3", "P4"}));
}

TEST_F(OperationsTest, AFarMoveBringsThePlaceIntoView) {
    test::writeFile(session.locations.worksheet(), test::makeWorksheet(
                                                       60, [](int, BlockRow, int) { return test::none(); }, 0)
                                                       .serialize());
    panel->refreshGrid();
    panel->grid()->scrollToBottom();
    select({354, 355, 356, 357, 358, 359});
    panel->rowPage()->moveEdit()->setText("1");
    button(panel->rowPage(), "移動")->click();
    EXPECT_EQ(placeNames().front(), "P60");
    EXPECT_EQ(selected(), (std::vector<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(panel->grid()->rowAt(0), 0);  // row 0 is at the top of the view
    EXPECT_EQ(panel->grid()->currentIndex().row(), 0);

    // An offset refills the grid and keeps the view where it was.
    panel->grid()->scrollToBottom();
    const int bottom = panel->grid()->verticalScrollBar()->value();
    ASSERT_GT(bottom, 0);
    select({356});
    button(panel->offsetPage(), "+0.1dB")->click();
    EXPECT_EQ(panel->grid()->verticalScrollBar()->value(), bottom);
}

TEST_F(OperationsTest, DeleteAsksFirstAndRecountsTheChannelsEitherWay) {
    session.summary.current.channelHasValue[7] = 1;  // set by hand in the channel settings
    select({12, 13});                                // place 3, the only one with UHF 14
    dialogs.answers = {MessageAnswer::No};
    button(panel->rowPage(), "行の削除")->click();
    EXPECT_EQ(messages(), QStringList{q(kConfirmDelete)});
    EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(test::readFile(session.locations.worksheet()), original);
    EXPECT_EQ(panel->gridModel()->rowCount(), 30);
    EXPECT_EQ(session.summary.current.channelHasValue[7], 0);  // recounted after No as well
    EXPECT_EQ(session.summary.current.channelHasValue[1], 1);

    panel->belowStandardRows() = {14, 20};
    panel->applyBelowStandardRows();
    dialogs.messages.clear();
    select({0, 12});
    button(panel->rowPage(), "行の削除")->click();  // answered Yes
    EXPECT_EQ(messages(), QStringList{q(kConfirmDelete)});
    EXPECT_EQ(placeNames(), (std::vector<std::string>{"P2", "P4", "P5"}));
    EXPECT_EQ(gridPlaces(), (std::vector<std::string>{"1 P2", "2 P4", "3 P5"}));
    EXPECT_EQ(panel->belowStandardRows(), std::vector<int>{8});
    EXPECT_EQ(session.summary.current.channelHasValue[1], 0);
    EXPECT_EQ(session.summary.current.channelHasValue[0], 1);

    // Nothing selected: the message, no question.
    dialogs.messages.clear();
    select({});
    button(panel->rowPage(), "行の削除")->click();
    EXPECT_EQ(messages(), QStringList{q(kNoRowsToDelete)});
}

TEST_F(OperationsTest, ARowOperationThatCannotRewriteTheFileIsReportedAndTheGridShowsTheFile) {
    test::makeReadOnly(session.locations.worksheet());  // the worksheet cannot be rewritten
    select({6});
    button(panel->rowPage(), "UP")->click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, q(kWorksheetNotSaved) + "\n" +
                                            QString::fromStdString(session.locations.worksheet().string()) +
                                            QStringLiteral("\nアクセスが拒否されました。"));
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(test::readFile(session.locations.worksheet()), original);
    EXPECT_EQ(gridPlaces(), (std::vector<std::string>{"1 P1", "2 P2", "3 P3", "4 P4", "5 P5"}));

    dialogs.messages.clear();
    button(panel->otherPage(), "四捨五入")->click();
    EXPECT_EQ(messages().size(), 1);
    EXPECT_EQ(test::readFile(session.locations.worksheet()), original);
}

TEST_F(OperationsTest, RoundingAndCsvOutput) {
    button(panel->otherPage(), "四捨五入")->click();
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(level(0), "40.0");
    EXPECT_EQ(panel->gridModel()->content(), test::readFile(session.locations.worksheet()));

    // Cancelled: nothing is written and nothing shown.
    button(panel->otherPage(), "CSV出力")->click();
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(dialogs.fileRequests[0].kind, FileDialogRequest::Kind::SaveFile);
    EXPECT_TRUE(messages().isEmpty());

    const fs::path out = dir / "site.csv";
    dialogs.paths = {QString::fromStdString(out.string())};
    button(panel->otherPage(), "CSV出力")->click();
    EXPECT_EQ(messages(), QStringList{q(kCsvDone)});
    const std::string csv = test::readFile(out);
    std::vector<std::string_view> lines = splitLines(csv);
    ASSERT_EQ(lines.size(), 1u + 5 * 6);
    EXPECT_EQ(std::string(lines[0]), test::cp("No,測定場所,レベルオフセット(dB),13,14"));

    dialogs.messages.clear();
    const fs::path bad = dir / "missing folder" / "site.csv";
    dialogs.paths = {QString::fromStdString(bad.string())};
    button(panel->otherPage(), "CSV出力")->click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, q(kCsvFailed) + "\n" + QString::fromStdString(bad.string()) +
                                            QStringLiteral("\nファイルまたはフォルダが見つかりません。"));
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Error);
}

TEST_F(OperationsTest, ResetAfterOffsetMoveAndDeleteBringsBackTheStateAfterReading) {
    const std::string gridAfterReading = panel->gridModel()->content();
    const AggregationSummary afterReading = session.summary.current;
    select({2, 20});
    button(panel->offsetPage(), "－10dB")->click();
    select({24});
    panel->rowPage()->moveEdit()->setText("1");
    button(panel->rowPage(), "移動")->click();
    select({18});
    button(panel->rowPage(), "行の削除")->click();
    ASSERT_NE(test::readFile(session.locations.worksheet()), original);
    ASSERT_EQ(panel->gridModel()->rowCount(), 24);

    dialogs.messages.clear();
    button(panel.get(), "リセット")->click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, q(kConfirmReset));
    EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::YesNo);
    // The view carries out the reset through the panel's reading run.
    panel->setResetRequest(true);
    panel->runReading();
    EXPECT_EQ(test::readFile(session.locations.worksheet()), original);
    EXPECT_EQ(panel->gridModel()->content(), gridAfterReading);
    EXPECT_EQ(panel->gridModel()->rowCount(), 30);
    EXPECT_EQ(session.summary.current.channelHasValue, afterReading.channelHasValue);
    EXPECT_EQ(session.summary.current.columnHasValue, afterReading.columnHasValue);
}

// A full disk (a file size limit stands in for it): the message names the file and
// gives the reason in Japanese, and the earlier output stays as it was.
TEST_F(OperationsTest, CsvOutputOnAFullDiskSaysWhyInJapanese) {
    const fs::path out = dir / "site.csv";
    test::writeFile(out, "earlier output");
    struct rlimit saved {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    void (*savedSignal)(int) = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limited = saved;
    limited.rlim_cur = 100;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    dialogs.paths = {QString::fromStdString(out.string())};
    button(panel->otherPage(), "CSV出力")->click();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, savedSignal);

    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(
        dialogs.messages[0].text,
        q(kCsvFailed) + "\n" + QString::fromStdString(out.string()) +
            QStringLiteral("\nファイルが大きすぎます（ディスクの空き容量またはファイルサイズの上限を超えました）。"));
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(test::readFile(out), "earlier output");
    EXPECT_FALSE(fs::exists(out.string() + ".tmp"));
}

}  // namespace
}  // namespace mireva::ui
