// The worksheet grid over a small worksheet: rows, columns, widths, texts and colours.
#include <QFontMetrics>
#include <QHeaderView>
#include <QImage>
#include <QItemSelectionModel>
#include <QTabBar>

#include <gtest/gtest.h>

#include "core/app_session.h"
#include "panel/ui/main_panel.h"
#include "panel/ui/worksheet_grid.h"
#include "panel/ui/worksheet_grid_model.h"
#include "settings/settings_file.h"
#include "support/scripted_dialogs.h"
#include "support/test_support.h"
#include "support/worksheet_fixture.h"

namespace mireva::ui {
namespace {

using test::TempDir;

constexpr int kLte = 359;
constexpr int kPilot = 490;

class GridTest : public ::testing::Test {
protected:
    void SetUp() override {
        session = AppSession::forFolder(dir.dataFolder());
        // Place 2 has one level at the standard value (0.0 by default), the others are above it.
        test::writeFile(session.locations.worksheet(), test::makeWorksheet(3, [](int place, int channel) {
                            return place == 1 && channel == 5 ? std::string("0.0") : std::string("65.5");
                        }));
    }
    WorksheetGridModel::BroadcasterNames noNames{};
    TempDir dir;
    AppSession session;
};

TEST_F(GridTest, ThreePlacesGiveSixRowsEachWithTheLevelRowCarryingModeAndOffsets) {
    WorksheetGridModel model;
    ASSERT_TRUE(model.fill(session.locations.worksheet(), 0, noNames));
    ASSERT_EQ(model.rowCount(), 18);
    ASSERT_EQ(model.columnCount(), 1 + 3 + 40);

    const QStringList headers = {"No", "測定場所", "測定モード", "レベルオフセット(dB)"};
    const int widths[] = {50, 200, 0, 300};
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(model.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString(), headers[c]);
        EXPECT_EQ(model.columnWidth(c), widths[c]) << c;
    }
    EXPECT_EQ(model.headerData(4, Qt::Horizontal, Qt::DisplayRole).toString(),
              QString::fromStdString(fromCp932(SjView{ChannelCatalog::instance().channel(0).name})));
    EXPECT_EQ(model.columnWidth(4), 50);

    for (int r = 0; r < 18; ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(model.cellText(r, 0), QStringLiteral("   %1").arg(r / 6 + 1));
        if (r % 6 == 2) {
            EXPECT_EQ(model.cellText(r, 2), QStringLiteral("mode%1").arg(r / 6 + 1));
            EXPECT_EQ(model.cellText(r, 3), QStringLiteral("地ﾃﾞｼﾞ:0.0 BS/CS:0.0"));
            EXPECT_EQ(model.cellText(r, 4), QStringLiteral("65.5"));
        } else {
            EXPECT_EQ(model.cellText(r, 2), QStringLiteral("-"));
            EXPECT_EQ(model.cellText(r, 3), QStringLiteral("-"));
        }
    }
    // The shown lines of a place: 周波数, 局発, レベル, BER, MER, C/N (BER A and BER C hidden).
    const QStringList items = {"周波数", "局発", "レベル", "BER", "MER", "C/N"};
    for (int k = 0; k < 6; ++k) EXPECT_EQ(model.cellText(6 + k, 1), "P2:" + items[k]);
    EXPECT_EQ(model.cellText(0, 4), QStringLiteral("0.0"));  // frequency of channel 0
    EXPECT_EQ(model.cellText(1, 4), QStringLiteral("－"));
}

TEST_F(GridTest, RowColoursAlternateByPlaceAndBelowStandardMarksOnlyTheLevelRow) {
    WorksheetGridModel model;
    model.fill(session.locations.worksheet(), 0, noNames);
    model.setBelowStandardRows({8});
    const QColor green(202, 221, 213), white(Qt::white), warning(255, 69, 0);
    for (int r = 0; r < 18; ++r) {
        SCOPED_TRACE(r);
        const QColor expected = r == 8 ? warning : (r < 6 || r >= 12 ? green : white);
        EXPECT_EQ(model.background(r), expected);
        EXPECT_EQ(model.foreground(r), r == 8 ? QColor(Qt::white) : QColor(Qt::black));
    }
}

TEST_F(GridTest, RefreshJudgesAndPaintsSelectedAndBelowStandardRows) {
    test::ScriptedDialogs dialogs;
    MainPanel panel(session);
    panel.resize(1400, 700);
    panel.refreshGrid();
    EXPECT_TRUE(panel.belowStandardFlag());
    EXPECT_EQ(panel.belowStandardRows(), std::vector<int>({8}));

    WorksheetGrid* grid = panel.grid();
    grid->selectRow(13);
    panel.show();
    const QImage image = grid->viewport()->grab().toImage();
    const auto pixelOfRow = [&](int row) {
        const QRect cell = grid->visualRect(panel.gridModel()->index(row, 1));
        return image.pixelColor(cell.left() + 3, cell.top() + 2);
    };
    EXPECT_EQ(pixelOfRow(0), QColor(202, 221, 213));
    EXPECT_EQ(pixelOfRow(6), QColor(Qt::white));
    EXPECT_EQ(pixelOfRow(8), QColor(255, 69, 0));
    EXPECT_EQ(pixelOfRow(13), QColor(65, 105, 225));
    EXPECT_EQ(grid->rowHeight(0), WorksheetGrid::kRowHeight);
    EXPECT_EQ(grid->columnWidth(1), 200);
    EXPECT_EQ(grid->columnWidth(2), 0);
    EXPECT_EQ(grid->columnWidth(3), 300);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(GridTest, LtePilotTabSkipsTheFmAndPremiumColumnsBetweenThem) {
    WorksheetGridModel model;
    model.fill(session.locations.worksheet(), 9, noNames);
    ASSERT_EQ(model.columnCount(), 4 + 6 + 20);
    const ChannelCatalog& catalog = ChannelCatalog::instance();
    for (int i = 0; i < 26; ++i) {
        const int channel = i < 6 ? kLte + i : kPilot + (i - 6);
        SCOPED_TRACE(channel);
        EXPECT_EQ(model.columnField(4 + i), kLeadingFields + channel);
        EXPECT_EQ(model.headerData(4 + i, Qt::Horizontal, Qt::DisplayRole).toString(),
                  QString::fromStdString(fromCp932(SjView{catalog.channel(channel).name})));
    }
    EXPECT_EQ(model.cellText(2, 4 + 25), QStringLiteral("65.5"));
    EXPECT_EQ(model.cellText(0, 4 + 25), QStringLiteral("509.0"));
}

TEST_F(GridTest, EveryBandTabShowsExactlyItsCatalogChannels) {
    const ChannelCatalog& catalog = ChannelCatalog::instance();
    WorksheetGridModel model;
    for (int tab = 0; tab < kBandTabCount; ++tab) {
        model.fill(session.locations.worksheet(), tab, noNames);
        int expected = 0;
        for (int c = 0; c < kChannelCount; ++c) expected += catalog.channel(c).tab == tab + 1;
        EXPECT_EQ(model.columnCount(), 4 + expected) << tab;
    }
    model.fill(session.locations.worksheet(), 2, noNames);
    EXPECT_EQ(model.columnCount(), 4 + 150);  // CATV
}

TEST_F(GridTest, BroadcasterNameWidensItsChannelHeader) {
    ReportSettings settings = ReportSettings::defaults();
    settings.broadcasterNames[1] = test::cp("ＮＨＫ総合");
    ASSERT_TRUE(SettingsFile(session.settingsPath).writeBroadcasterNames(settings));

    test::ScriptedDialogs dialogs;
    MainPanel panel(session);
    panel.refreshGrid();
    const ChannelCatalog& catalog = ChannelCatalog::instance();
    WorksheetGridModel* model = panel.gridModel();
    const QString ch0 = QString::fromStdString(fromCp932(SjView{catalog.channel(0).name}));
    const QString ch1 = QString::fromStdString(fromCp932(SjView{catalog.channel(1).name}));
    EXPECT_EQ(model->headerData(4, Qt::Horizontal, Qt::DisplayRole).toString(), ch0);
    EXPECT_EQ(panel.grid()->columnWidth(4), 50);
    EXPECT_EQ(model->headerData(5, Qt::Horizontal, Qt::DisplayRole).toString(), ch1 + "_ＮＨＫ総合");
    EXPECT_EQ(panel.grid()->columnWidth(5), 120);
}

TEST_F(GridTest, WorksheetThatCannotBeReadLeavesOnlyTheNoColumn) {
    WorksheetGridModel model;
    EXPECT_FALSE(model.fill(dir / "missing.csv", 0, noNames));
    EXPECT_EQ(model.columnCount(), 1);
    EXPECT_EQ(model.rowCount(), 0);

    // Headers only: all columns, no rows.
    test::writeFile(session.locations.worksheet(), test::worksheetHeaders());
    EXPECT_TRUE(model.fill(session.locations.worksheet(), 0, noNames));
    EXPECT_EQ(model.columnCount(), 44);
    EXPECT_EQ(model.rowCount(), 0);
}

TEST_F(GridTest, APartialLastBlockIsNotAPlace) {
    const std::string whole = test::worksheetHeaders() + test::worksheetPlace(0, {});
    // Lines after the last whole block, the last one cut short: not shown, as no
    // operation or output counts them either.
    for (int lines : {1, 7}) {
        std::string content = whole;
        for (int i = 0; i < lines; ++i) content += "2024/01/01,10:00:00,X:" + test::cp("周波数") + ",,,1.0\r\n";
        test::writeFile(session.locations.worksheet(), content);
        WorksheetGridModel model;
        model.fill(session.locations.worksheet(), 0, noNames);
        EXPECT_EQ(model.rowCount(), 6) << lines;
        EXPECT_EQ(model.cellText(5, 0), QStringLiteral("   1"));
    }
}

// The grid shows a worksheet whatever ends its lines as it shows their CR LF form.
TEST_F(GridTest, OtherLineEndsShowAsTheirCrLfForm) {
    auto cells = [&](const std::string& bytes) {
        test::writeFile(session.locations.worksheet(), bytes);
        WorksheetGridModel model;
        EXPECT_TRUE(model.fill(session.locations.worksheet(), 0, noNames));
        std::vector<std::string> texts;
        for (int c = 0; c < model.columnCount(); ++c)
            texts.push_back(model.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString().toStdString());
        for (int r = 0; r < model.rowCount(); ++r)
            for (int c = 0; c < model.columnCount(); ++c) texts.push_back(model.cellBytes(r, c));
        return texts;
    };
    const std::string crlf = test::readFile(session.locations.worksheet());
    for (const test::LineEndCase& c : test::lineEndCases(crlf)) {
        const std::vector<std::string> shown = cells(c.bytes);
        EXPECT_EQ(shown.size(), 44u * 19u) << c.name;
        EXPECT_EQ(shown, cells(c.asCrLf)) << c.name;
    }
}

TEST_F(GridTest, SwappingRowsKeepsThePlaceNumbersAndRemovingRenumbers) {
    WorksheetGridModel model;
    model.fill(session.locations.worksheet(), 0, noNames);
    model.swapRows(0, 6);
    EXPECT_EQ(model.cellText(0, 0), QStringLiteral("   1"));
    EXPECT_EQ(model.cellText(0, 1), QStringLiteral("P2:周波数"));
    EXPECT_EQ(model.cellText(6, 1), QStringLiteral("P1:周波数"));
    model.swapRows(2, 8);  // level rows keep showing their mode text where they go
    EXPECT_EQ(model.cellText(2, 2), QStringLiteral("mode2"));

    for (int i = 0; i < 6; ++i) model.removeGridRow(6);
    model.renumberPlaces();
    ASSERT_EQ(model.rowCount(), 12);
    EXPECT_EQ(model.cellText(6, 0), QStringLiteral("   2"));
    EXPECT_EQ(model.cellText(6, 1), QStringLiteral("P3:周波数"));
}

TEST_F(GridTest, SwitchingBandTabsRefillsAndClearsTheSelection) {
    test::ScriptedDialogs dialogs;
    MainPanel panel(session);
    panel.refreshGrid();
    panel.grid()->selectRow(3);
    ASSERT_FALSE(panel.grid()->selectedRowIndexes().isEmpty());
    panel.bandTabs()->setCurrentIndex(9);
    EXPECT_EQ(panel.currentBandTab(), 9);
    EXPECT_EQ(panel.gridModel()->columnCount(), 30);
    EXPECT_TRUE(panel.grid()->selectedRowIndexes().isEmpty());
    EXPECT_EQ(panel.belowStandardRows(), std::vector<int>({8}));
}

// The meter's value texts and the longest place texts, measured with the grid's own
// face against the widths their columns get (the grid line takes a pixel).
TEST(GridFace, TheMetersValueTextsShowWholeInTheirColumns) {
    WorksheetGridModel model;
    WorksheetGrid grid(&model);
    grid.setFullRowSelectionAndGridLines();
    const QFontMetrics metrics(grid.font());
    struct Case {
        const char* text;
        int columnWidth;
    } cases[] = {
        {"515.143", 50},
        {"1.8E-08", 50},
        {"3.2E-05", 50},
        {"-12.3", 50},
        {"<20.0", 50},
        {">120.0", 50},
        {"10678.00", 50},
        {"1049.48", 50},
        {"0.0E+00", 50},
        {"－", 50},
        // 測定場所: a place of seven characters, ":", and five more.
        {"ＡＢＣＤＥＦＧ:周波数局発", 200},
        {"屋上共用部分１:レベル測定", 200},
    };
    const int room = 2 * WorksheetGrid::kCellPadding + 1;
    for (const Case& c : cases) {
        const QString text = QString::fromUtf8(c.text);
        EXPECT_EQ(metrics.elidedText(text, Qt::ElideRight, c.columnWidth - room), text)
            << c.text << " is " << metrics.horizontalAdvance(text) << " pixels";
    }
    // The face is the one the rows are painted in, and its lines fit the row height.
    EXPECT_LE(metrics.height(), WorksheetGrid::kRowHeight);
    EXPECT_EQ(grid.horizontalHeader()->font(), grid.font());

    // The meter's frequencies of ten characters are drawn narrowed, whole;
    // a text far too long for the column is cut.
    struct Stretch {
        const char* text;
        bool whole;
    } stretches[] = {
        {"473.142857", true},
        {"767.142857", true},
        {"2150.0000000000000", false},
    };
    for (const Stretch& c : stretches) {
        const double stretch = WorksheetGrid::textStretch(metrics, QString::fromUtf8(c.text), 50 - room);
        if (c.whole) {
            EXPECT_GE(stretch, WorksheetGrid::kMinTextStretch) << c.text;
            EXPECT_LT(stretch, 1) << c.text;
        } else {
            EXPECT_EQ(stretch, 0) << c.text;
        }
    }
    EXPECT_EQ(WorksheetGrid::textStretch(metrics, QStringLiteral("58.1"), 50 - room), 1);
    EXPECT_EQ(WorksheetGrid::textStretch(metrics, QString(), 0), 1);
    EXPECT_EQ(WorksheetGrid::textStretch(metrics, QStringLiteral("1"), 0), 0);
}

TEST_F(GridTest, CutCellsAndHeadersShowTheirWholeTextAsTooltipAndTheOffsetCellListsTheTenOffsets) {
    const std::string offsets =
        "地ﾃﾞｼﾞ:0.0 BS/CS:-1.5 CATV:0.0 CATV上り:0.0 JCSAT-3A/4B:0.0 SCC-B/C:0.0 FM:0.0 "
        "ｽｶﾊﾟｰ!:0.0 LTE:0.0 PILOT:2.0";
    std::string content = test::makeWorksheet(1, [](int, int channel) {
        return channel == 0   ? std::string("473.142857")
               : channel == 1 ? std::string("58.1")
               : channel == 3 ? std::string("2150.0000000000000")
                              : std::string();
    });
    const std::string shortOffsets = test::cp("地ﾃﾞｼﾞ:0.0 BS/CS:0.0");
    content.replace(content.find(shortOffsets), shortOffsets.size(), test::cp(offsets));
    test::writeFile(session.locations.worksheet(), content);
    ReportSettings settings = ReportSettings::defaults();
    settings.broadcasterNames[1] = test::cp("とても長い放送局名ですね");
    settings.broadcasterNames[2] = test::cp("ＮＨＫ");
    ASSERT_TRUE(SettingsFile(session.settingsPath).writeBroadcasterNames(settings));

    test::ScriptedDialogs dialogs;
    MainPanel panel(session);
    panel.refreshGrid();
    WorksheetGrid* grid = panel.grid();
    grid->setFullRowSelectionAndGridLines();
    const int level = 2, ch0 = 4, ch1 = 5, ch2 = 6, ch3 = 7, offsetColumn = 3;
    EXPECT_TRUE(grid->isCellTextNarrowed(level, ch0));
    EXPECT_FALSE(grid->isCellTextCut(level, ch0));
    EXPECT_EQ(grid->cellToolTip(level, ch0), QStringLiteral("473.142857"));
    EXPECT_TRUE(grid->isCellTextCut(level, ch3));
    EXPECT_EQ(grid->cellToolTip(level, ch3), QStringLiteral("2150.0000000000000"));
    EXPECT_FALSE(grid->isCellTextCut(level, ch1));
    EXPECT_FALSE(grid->isCellTextNarrowed(level, ch1));
    EXPECT_EQ(grid->cellToolTip(level, ch1), QString());  // "58.1" shows whole
    EXPECT_EQ(grid->cellToolTip(0, ch0), QString());      // "0.0"
    EXPECT_EQ(grid->cellToolTip(level, 1), QString());    // "P1:レベル" in 200 pixels
    // Widened by the user, the long level shows whole and needs no tooltip.
    grid->horizontalHeader()->resizeSection(ch0, 90);
    EXPECT_EQ(grid->cellToolTip(level, ch0), QString());
    const QStringList lines = grid->cellToolTip(level, offsetColumn).split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 10);
    EXPECT_EQ(lines[1], QStringLiteral("BS/CS:-1.5"));
    EXPECT_EQ(lines[9], QStringLiteral("PILOT:2.0"));
    EXPECT_EQ(grid->cellToolTip(0, offsetColumn), QString());  // "-" on the other rows

    EXPECT_EQ(grid->headerToolTip(ch1), QString::fromUtf8("14_とても長い放送局名ですね"));
    EXPECT_EQ(grid->headerToolTip(ch2), QString());
    EXPECT_EQ(grid->headerToolTip(ch0), QString());
}

}  // namespace
}  // namespace mireva::ui
