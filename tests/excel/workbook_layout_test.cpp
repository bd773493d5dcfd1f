#include "excel/workbook_layout.h"

#include <gtest/gtest.h>

#include <numeric>

#include "core/cp932.h"
#include "excel/worksheet_fixture.h"

namespace mireva::excel {
namespace {

using test::makeWorksheet;
using test::WorksheetShape;

std::vector<int> range(int first, int count) {
    std::vector<int> v(static_cast<size_t>(count));
    std::iota(v.begin(), v.end(), first);
    return v;
}

WorkbookInputs inputsFor(const WorksheetDocument& ws) {
    WorkbookInputs in;
    in.worksheet = &ws;
    in.selection = summaryFromWorksheet(ws);
    in.settings = ReportSettings::defaults();
    return in;
}

std::vector<std::string> namesOf(const std::vector<SheetModel>& sheets) {
    std::vector<std::string> names;
    for (const auto& s : sheets) names.push_back(s.name());
    return names;
}

std::string valueAt(const SheetModel& s, const char* cell) {
    CellRange r = R(cell);
    const std::string* v = s.value(r.firstRow, r.firstCol);
    return v ? *v : std::string();
}

ResolvedFormat formatAt(const SheetModel& s, const char* cell) {
    CellRange r = R(cell);
    return s.format(r.firstRow, r.firstCol);
}

TEST(WorkbookSheets, TwoRowBlocksOfTerrestrialChannelsGiveCountedNames) {
    WorksheetDocument ws = makeWorksheet({.places = 15, .channels = range(0, 5)});
    auto sheets = buildWorkbookSheets(inputsFor(ws));
    EXPECT_EQ(namesOf(sheets), (std::vector<std::string>{"Title", "Contents", "統合", "地デジ", "統合1", "地デジ1"}));
    // Page numbers run over all page sheets.
    EXPECT_EQ(valueAt(sheets[2], "AD1"), "1");
    EXPECT_EQ(valueAt(sheets[5], "AD1"), "4");
    EXPECT_EQ(valueAt(sheets[5], "AC1"), "No.");
}

TEST(WorkbookSheets, OneRowBlockGivesTwoPageSheets) {
    WorksheetDocument ws = makeWorksheet({.places = 3, .channels = {0}});
    auto sheets = buildWorkbookSheets(inputsFor(ws));
    ASSERT_EQ(sheets.size(), 4u);
    EXPECT_EQ(sheets[2].name(), "統合");
    EXPECT_EQ(sheets[3].name(), "地デジ");
    EXPECT_EQ(valueAt(sheets[3], "AD1"), "2");
}

TEST(WorkbookSheets, BandSheetsAreNamedAfterTheirFirstChannelsBand) {
    // 20 terrestrial, 10 BS right-hand, 30 CATV: combined 25+25+10, band groups
    // terrestrial, BS, CATV 25, CATV 5.
    std::vector<int> channels = range(0, 20);
    for (int c : range(40, 10)) channels.push_back(c);
    for (int c : range(90, 30)) channels.push_back(c);
    WorksheetDocument ws = makeWorksheet({.places = 1, .channels = channels});
    auto sheets = buildWorkbookSheets(inputsFor(ws));
    EXPECT_EQ(namesOf(sheets), (std::vector<std::string>{"Title", "Contents", "統合", "統合1", "統合2", "地デジ",
                                                         "BSCS(右旋)", "CATV", "CATV1"}));
}

TEST(WorkbookSheets, NothingToExportIsAProblemNotAWorkbook) {
    WorksheetDocument empty = makeWorksheet({.places = 0, .channels = {0}});
    EXPECT_EQ(checkWorkbook(inputsFor(empty)), WorkbookProblem::NoPlaces);
    EXPECT_TRUE(buildWorkbookSheets(inputsFor(empty)).empty());

    WorksheetDocument noValues = makeWorksheet({.places = 2, .channels = {}});
    EXPECT_EQ(checkWorkbook(inputsFor(noValues)), WorkbookProblem::NoChannelSelected);
    EXPECT_TRUE(buildWorkbookSheets(inputsFor(noValues)).empty());

    WorkbookInputs none;
    EXPECT_EQ(checkWorkbook(none), WorkbookProblem::NoPlaces);
}

TEST(WorkbookSheets, MorePagesThanAWorkbookHoldsIsAProblem) {
    // Every channel selected: the most pages a row block can have.
    WorkbookInputs in;
    in.selection.channelHasValue.fill(1);
    WorksheetDocument ws;
    in.worksheet = &ws;
    const int groups = PagePlan(in.selection, 10).groupCount();
    const int blocksThatFit = (kMaxWorkbookSheets - 2) / groups;
    ws.lines.assign(static_cast<size_t>(blocksThatFit) * 10 * 8, std::string());
    EXPECT_EQ(checkWorkbook(in), WorkbookProblem::None);
    ws.lines.resize(ws.lines.size() + 8);
    EXPECT_EQ(checkWorkbook(in), WorkbookProblem::TooManySheets);
}

TEST(Cover, CarriesReportSubjectAndFooter) {
    PrintData2 data = ReportSettings::defaults().printData2;
    data.subject = toCp932("改修工事").bytes;
    SheetModel cover = buildCover(data);
    EXPECT_EQ(cover.name(), "Title");
    EXPECT_EQ(valueAt(cover, "B5"), "報告書");
    EXPECT_EQ(valueAt(cover, "B8"), "件名：");
    EXPECT_EQ(valueAt(cover, "C8"), "改修工事");
    EXPECT_EQ(valueAt(cover, "B33"), "ＯＲＶＡＮＥ株式会社");
    EXPECT_EQ(formatAt(cover, "B5").fontSize(), 22);
    EXPECT_EQ(formatAt(cover, "C8").fontSize(), 18);
    EXPECT_EQ(formatAt(cover, "B33").style.horizontal, HAlign::Center);
    EXPECT_EQ(formatAt(cover, "B5").style.vertical, VAlign::Bottom);
    ASSERT_NE(cover.mergeAt(4, 3), nullptr);
    EXPECT_EQ(*cover.mergeAt(4, 3), R("B5:D5"));
    EXPECT_EQ(cover.columnWidth(2), 25);
    EXPECT_EQ(cover.columnWidth(3), 25);
}

TEST(Contents, ListsOnlySelectedChannelsWithTheirBroadcasters) {
    AggregationSummary sel;
    for (int c : {0, 40, 93, 252, 296, 312, 335, 365, 509}) sel.channelHasValue[static_cast<size_t>(c)] = 1;
    ReportSettings settings = ReportSettings::defaults();
    settings.broadcasterNames[0] = toCp932("ＮＨＫ総合").bytes;
    settings.broadcasterNames[1] = toCp932("not selected").bytes;
    SheetModel s = buildContents(sel, settings);

    EXPECT_EQ(valueAt(s, "C5"), "チャンネル一覧表");
    EXPECT_EQ(formatAt(s, "C5").fontSize(), 14);
    EXPECT_EQ(valueAt(s, "C7"), "チャンネル名");
    EXPECT_EQ(valueAt(s, "D7"), "放送局名");
    const char* expected[] = {"UHF 13",   "BS-1",     "CATV C13", "JCSAT-3A K-2", "JCSAT-4B K-1",
                              "SCC-B 13", "SCC-C D1", "FM 1",     "PL 20"};
    for (int i = 0; i < 9; ++i) {
        const std::string* v = s.value(7 + i, 2);
        ASSERT_NE(v, nullptr) << i;
        EXPECT_EQ(*v, expected[i]);
    }
    EXPECT_EQ(s.value(16, 2), nullptr);  // nothing after the last selected channel
    EXPECT_EQ(valueAt(s, "D8"), "ＮＨＫ総合");
    EXPECT_EQ(s.value(8, 3), nullptr);  // no broadcaster name: empty D cell

    // Header row: medium frame; list: thin grid; each column framed medium; centred.
    EXPECT_EQ(formatAt(s, "C7").top, kMedium);
    EXPECT_EQ(formatAt(s, "C7").right, kMedium);
    EXPECT_EQ(formatAt(s, "C7").bottom, kThin);  // the list's grid came later
    EXPECT_EQ(formatAt(s, "C10").right, kMedium);
    EXPECT_EQ(formatAt(s, "D10").left, kMedium);
    EXPECT_EQ(formatAt(s, "D10").bottom, kThin);
    EXPECT_EQ(formatAt(s, "D16").bottom, kMedium);
    EXPECT_EQ(formatAt(s, "C16").left, kMedium);
    EXPECT_EQ(formatAt(s, "D12").style.horizontal, HAlign::Center);
    EXPECT_EQ(formatAt(s, "D17").style.horizontal, HAlign::General);
}

TEST(ChannelListName, BandPrefixes) {
    struct Case {
        int index;
        const char* name;
    };
    for (const Case& c :
         {Case{0, "UHF 13"}, Case{52, "ND2"}, Case{90, "CATV 1"}, Case{240, "UL 1"}, Case{266, "JCSAT-3A K-1"},
          Case{323, "SCC-B 1"}, Case{347, "SCC-C D13"}, Case{359, "UL-L"}, Case{377, "H001"}})
        EXPECT_EQ(channelListName(c.index), c.name) << c.index;
}

TEST(PageTemplate, LabelsMergesSizesAndPageSetup) {
    SheetModel t = buildPageTemplate();
    EXPECT_EQ(valueAt(t, "A1"), "物件名：");
    EXPECT_EQ(valueAt(t, "P3"), "測 定 器 具");
    EXPECT_EQ(valueAt(t, "F4"), "測　定　チ　ャ　ン　ネ　ル");
    EXPECT_EQ(valueAt(t, "A67"), "　追記事項");
    const char* labels[] = {"周波数", "局発", "レベル", "BER", "MER", "CN"};
    for (int r = 6; r < 66; ++r) EXPECT_EQ(*t.value(r, 3), labels[(r - 6) % 6]) << r;

    // 15 header merges, 60 row-label merges, 10 × (number + name).
    EXPECT_EQ(t.merges().size(), 95u);
    for (const char* cell : {"B7", "C12", "B61"}) {
        CellRange r = R(cell);
        ASSERT_NE(t.mergeAt(r.firstRow, r.firstCol), nullptr) << cell;
        EXPECT_TRUE(t.format(r.firstRow, r.firstCol).style.wrap) << cell;
    }
    EXPECT_EQ(*t.mergeAt(60, 0), R("A61:A66"));
    EXPECT_EQ(*t.mergeAt(70, 10), R("A68:AD74"));

    EXPECT_EQ(formatAt(t, "A1").style.horizontal, HAlign::Center);
    EXPECT_EQ(formatAt(t, "A67").style.horizontal, HAlign::Left);
    EXPECT_EQ(formatAt(t, "A68").style.vertical, VAlign::Top);
    EXPECT_EQ(t.numberFormats()[formatAt(t, "G20").style.numberFormat], "@");

    struct Size {
        const char* cell;
        double points;
    };
    for (const Size& c : {Size{"A1", 11}, Size{"AK3", 11}, Size{"O1", 18}, Size{"F6", 11}, Size{"AD66", 9},
                          Size{"A7", 10}, Size{"B7", 0}, Size{"A75", 14}, Size{"E5", 0}})
        EXPECT_EQ(formatAt(t, c.cell).fontSize(), c.points) << c.cell;

    EXPECT_EQ(t.rowHeight(0), 35);
    EXPECT_EQ(t.rowHeight(2), 30);
    EXPECT_EQ(t.rowHeight(65), 20);
    EXPECT_EQ(t.rowHeight(66), std::nullopt);
    EXPECT_EQ(t.rowHeight(74), 30);
    EXPECT_EQ(t.columnWidth(0), 4);
    EXPECT_EQ(t.columnWidth(4), 3.63);
    EXPECT_EQ(t.columnWidth(28), 5);
    EXPECT_EQ(t.columnWidth(29), 5.2);

    const PageSetup& page = t.pageSetup();
    EXPECT_EQ(page.printArea, R("A1:AE75"));
    EXPECT_TRUE(page.fitToPage);
    EXPECT_EQ(page.fitWide, 1);
    EXPECT_EQ(page.fitTall, 1);
    EXPECT_EQ(page.rightMargin, 0.5 / 72);  // 0.5 pt in inches
    EXPECT_EQ(page.paperSize, 9);
}

TEST(PageTemplate, BordersWhereRulesMeet) {
    SheetModel t = buildPageTemplate();
    struct Case {
        const char* cell;
        Border top, bottom, left, right;
    };
    const Case cases[] = {
        // First value cell: place block frame above, channel area frame left, the
        // column's hairline right, the table's dashed grid below.
        {"F7", kMedium, kDashedThin, kMedium, kHairline},
        // A value cell in the middle of the table.
        {"G10", kDashedThin, kDashedThin, kHairline, kHairline},
        // Channel strip: dashed again around the strip after the hairlines, except
        // between two columns; the table head's frame below.
        {"F6", kDashedThin, kMedium, kMedium, kHairline},
        {"AD6", kDashedThin, kMedium, kHairline, kMedium},
        // Last row of the table: place block frame.
        {"G66", kDashedThin, kMedium, kHairline, kHairline},
        // Row label cell D7:E7 (merged): no line inside, the channel frame right.
        {"E7", kMedium, kDashedThin, kNoBorder, kMedium},
        {"D8", kDashedThin, kDashedThin, kDashedThin, kNoBorder},
        // Place number cell A7:A12 (merged) inside the page frame.
        {"A9", kNoBorder, kNoBorder, kMedium, kDashedThin},
        // Header rows: dashed grid inside their medium frame.
        {"F2", kMedium, kDashedThin, kDashedThin, kNoBorder},
        {"AD3", kDashedThin, kMedium, kNoBorder, kMedium},
        // Floor head B4:B6: dashed around, the table head frame on top.
        {"B4", kMedium, kNoBorder, kDashedThin, kDashedThin},
        // Page number box.
        {"AB1", kMedium, kMedium, kMedium, kNoBorder},
        // Notes: inside the page frame; the footer row outside it.
        {"A74", kNoBorder, kMedium, kMedium, kNoBorder},
        {"A75", kMedium, kNoBorder, kNoBorder, kNoBorder},
    };
    for (const Case& c : cases) {
        ResolvedFormat f = formatAt(t, c.cell);
        EXPECT_EQ(f.top, c.top) << c.cell << " top";
        EXPECT_EQ(f.bottom, c.bottom) << c.cell << " bottom";
        EXPECT_EQ(f.left, c.left) << c.cell << " left";
        EXPECT_EQ(f.right, c.right) << c.cell << " right";
    }
}

TEST(PageStrips, BandNamesWhereTheBandChangesChannelNamesBelow) {
    SheetModel t = buildPageTemplate();
    writeBandStrip(t, {0, 1, 40, 52, 90});
    EXPECT_EQ(valueAt(t, "F5"), "地デジ");
    EXPECT_EQ(valueAt(t, "G5"), "");
    EXPECT_EQ(valueAt(t, "H5"), "BSCS(右旋)");
    EXPECT_EQ(valueAt(t, "I5"), "");  // CS right-hand is the same band as BS right-hand
    EXPECT_EQ(valueAt(t, "J5"), "CATV");
    EXPECT_EQ(formatAt(t, "H5").style.horizontal, HAlign::Left);
    EXPECT_EQ(formatAt(t, "I5").style.horizontal, HAlign::Center);

    writeChannelStrip(t, {"13", "PL 20", "ABCDEF", "ＢＳ朝日デジタル"});
    EXPECT_EQ(valueAt(t, "G6"), "PL 20");
    EXPECT_EQ(formatAt(t, "G6").fontSize(), 11);
    EXPECT_EQ(formatAt(t, "H6").fontSize(), 8);
    EXPECT_EQ(formatAt(t, "I6").fontSize(), 8);
}

TEST(PageBody, PlaceNameFontSizeByLength) {
    struct Case {
        std::string name;
        double points;
    };
    const Case cases[] = {
        {"ロビー共用部分テレビ端子東側壁", 8},  // 15 characters
        {"12345678901234567890", 8},
        {"１２３４５６７８９０１２３４", 9},  // 14
        {"1F-101号室前面", 9},                // 10
        {"1234567", 9},
        {"1F-101", 0},  // 6: the sheet's default size
    };
    std::vector<std::string> names;
    for (const Case& c : cases) names.push_back(c.name);
    WorksheetDocument ws = makeWorksheet(
        {.places = static_cast<int>(names.size()), .channels = {0}, .placeName = [&](int p) { return names[p]; }});
    auto sheets = buildWorkbookSheets(inputsFor(ws));
    const SheetModel& page = sheets[2];
    for (size_t i = 0; i < names.size(); ++i) {
        int row = 6 + 6 * static_cast<int>(i);
        ASSERT_NE(page.value(row, 1), nullptr);
        EXPECT_EQ(*page.value(row, 1), names[i]);
        EXPECT_EQ(page.format(row, 1).fontSize(), cases[i].points) << names[i];
    }
}

TEST(PageBody, RowsValuesAndDisplayFlags) {
    WorksheetDocument ws = makeWorksheet({.places = 12, .channels = {0, 40}, .value = [](int p, int k, int c) {
                                              if (c == 40 && k == 2) return std::string();  // "－"
                                              return std::to_string(p + 1) + "/" + std::to_string(k);
                                          }});
    WorkbookInputs in = inputsFor(ws);
    in.selection.berPresent = 0;  // BER rows switched off; MER and C/N stay on
    PrintData2& d = in.settings.printData2;
    d.properName = toCp932("ひばりヶ丘マンション").bytes;
    d.addNote = toCp932("壁面端子").bytes;
    auto sheets = buildWorkbookSheets(in);
    ASSERT_EQ(sheets.size(), 8u);  // 2 row blocks x (1 combined + 2 band groups)

    const SheetModel& first = sheets[2];
    EXPECT_EQ(valueAt(first, "D1"), "ひばりヶ丘マンション");
    EXPECT_EQ(valueAt(first, "A68"), "壁面端子");
    EXPECT_EQ(valueAt(first, "A75"), "ＯＲＶＡＮＥ株式会社");
    EXPECT_EQ(valueAt(first, "F6"), "13");
    EXPECT_EQ(valueAt(first, "G6"), "BS-1");
    EXPECT_EQ(valueAt(first, "A7"), "1");
    EXPECT_EQ(valueAt(first, "B7"), "P1");
    EXPECT_EQ(valueAt(first, "F7"), "1/0");   // frequency
    EXPECT_EQ(valueAt(first, "F8"), "1/1");   // local oscillator
    EXPECT_EQ(valueAt(first, "F9"), "1/2");   // level
    EXPECT_EQ(valueAt(first, "G9"), "－");    // the empty mark is a value like any other
    EXPECT_EQ(valueAt(first, "F10"), "");     // BER row: switched off, left empty
    EXPECT_EQ(valueAt(first, "F11"), "1/6");  // MER (BER A and BER C are never shown)
    EXPECT_EQ(valueAt(first, "F12"), "1/7");  // C/N
    EXPECT_EQ(valueAt(first, "A61"), "10");
    EXPECT_EQ(valueAt(first, "H7"), "");  // a column without a channel

    // Fourth page: second row block, places 11 and 12, the rest of the table empty.
    const SheetModel& third = sheets[5];
    EXPECT_EQ(third.name(), "統合1");
    EXPECT_EQ(valueAt(third, "A7"), "11");
    EXPECT_EQ(valueAt(third, "B13"), "P12");
    EXPECT_EQ(valueAt(third, "F13"), "12/0");
    EXPECT_EQ(valueAt(third, "A19"), "");
    EXPECT_EQ(valueAt(third, "F19"), "");
}

TEST(PageBody, APartialLastBlockIsNotShown) {
    // Two places and the first three lines of a third one, hand-edited: the third is
    // no place, as for the judgement, the CSV output and the printed report.
    WorksheetDocument ws = makeWorksheet({.places = 3, .channels = {0}});
    ws.lines.resize(2 * kRowsPerPlace + 3);
    auto sheets = buildWorkbookSheets(inputsFor(ws));
    ASSERT_EQ(sheets.size(), 4u);
    const SheetModel& page = sheets[2];
    EXPECT_EQ(valueAt(page, "B13"), "P2");
    EXPECT_EQ(valueAt(page, "F13"), "2.0.0");
    EXPECT_EQ(valueAt(page, "A19"), "");
    EXPECT_EQ(valueAt(page, "B19"), "");
    EXPECT_EQ(valueAt(page, "F19"), "");
}

TEST(SheetNamer, EachBaseCountsOnItsOwn) {
    SheetNamer n;
    EXPECT_EQ(n.next("統合"), "統合");
    EXPECT_EQ(n.next("CATV"), "CATV");
    EXPECT_EQ(n.next("統合"), "統合1");
    EXPECT_EQ(n.next("CATV"), "CATV1");
    EXPECT_EQ(n.next("CATV"), "CATV2");
}

}  // namespace
}  // namespace mireva::excel
