#include "excel/sheet_model.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace mireva::excel {
namespace {

TEST(CellNames, ParseRangeTexts) {
    struct Case {
        const char* text;
        bool valid;
        CellRange range;
    };
    const Case cases[] = {
        {"A1", true, {0, 0, 0, 0}},
        {"AD75", true, {74, 29, 74, 29}},
        {"A1:AD75", true, {0, 0, 74, 29}},
        {"AK3", true, {2, 36, 2, 36}},
        {"XFD1048576", true, {1048575, 16383, 1048575, 16383}},
        {"", false, {}},
        {"A", false, {}},
        {"1A", false, {}},
        {"A0", false, {}},
        {"a1", false, {}},
        {"A1:", false, {}},
        {"B2:A1", false, {}},  // corners the wrong way round
        {"XFE1", false, {}},   // beyond the last column
        {"A1048577", false, {}},
    };
    for (const Case& c : cases) {
        auto r = parseRange(c.text);
        EXPECT_EQ(r.has_value(), c.valid) << c.text;
        if (r && c.valid) EXPECT_EQ(*r, c.range) << c.text;
    }
    EXPECT_THROW(R("B2:A1"), std::invalid_argument);
}

TEST(CellNames, ColumnAndCellNames) {
    struct Case {
        int col;
        const char* name;
    };
    for (const Case& c : {Case{0, "A"}, Case{25, "Z"}, Case{26, "AA"}, Case{29, "AD"}, Case{36, "AK"}, Case{701, "ZZ"},
                          Case{702, "AAA"}}) {
        EXPECT_EQ(columnName(c.col), c.name);
        EXPECT_EQ(columnIndex(c.name), c.col);
    }
    EXPECT_EQ(cellName(74, 29), "AD75");
}

TEST(SheetModel, MergesRefuseOverlapsAndSingleCells) {
    SheetModel s;
    EXPECT_TRUE(s.merge(R("A1:C1")));
    EXPECT_FALSE(s.merge(R("C1:D1")));  // shares C1
    EXPECT_FALSE(s.merge(R("A1:A3")));
    EXPECT_FALSE(s.merge(R("E5")));
    EXPECT_TRUE(s.merge(R("D1:E2")));
    ASSERT_EQ(s.merges().size(), 2u);
    ASSERT_NE(s.mergeAt(0, 1), nullptr);
    EXPECT_EQ(*s.mergeAt(0, 1), R("A1:C1"));
    EXPECT_EQ(s.mergeAt(1, 0), nullptr);
}

TEST(SheetModel, LaterSettingsOverrideEarlierOnesCellByCell) {
    SheetModel s;
    s.setHorizontalAlignment(R("A1:C3"), HAlign::Center);
    s.setFontSize(R("A1:C3"), 11);
    s.setFontSize(R("B2"), 18);
    s.setHorizontalAlignment(R("C1:C3"), HAlign::Left);
    s.setNumberFormat(R("A3:C3"), "@");

    EXPECT_EQ(s.format(0, 0).style.horizontal, HAlign::Center);
    EXPECT_EQ(s.format(0, 0).fontSize(), 11);
    EXPECT_EQ(s.format(1, 1).fontSize(), 18);
    EXPECT_EQ(s.format(1, 1).style.horizontal, HAlign::Center);  // only the size changed
    EXPECT_EQ(s.format(1, 2).style.horizontal, HAlign::Left);
    EXPECT_EQ(s.numberFormats()[s.format(2, 0).style.numberFormat], "@");
    EXPECT_EQ(s.numberFormats()[s.format(1, 0).style.numberFormat], "");
    EXPECT_TRUE(s.format(5, 5).isDefault());  // outside everything
}

TEST(SheetModel, BordersSetEdgesAndInsideLinesAroundSetsOnlyTheOutline) {
    SheetModel s;
    s.setBorders(R("B2:C3"), kDashedThin);
    s.setBorderAround(R("E2:F3"), kThin);

    ResolvedFormat b2 = s.format(1, 1);
    EXPECT_EQ(b2.top, kDashedThin);
    EXPECT_EQ(b2.right, kDashedThin);   // inside vertical line
    EXPECT_EQ(b2.bottom, kDashedThin);  // inside horizontal line

    ResolvedFormat e2 = s.format(1, 4);
    EXPECT_EQ(e2.top, kThin);
    EXPECT_EQ(e2.left, kThin);
    EXPECT_EQ(e2.right, kNoBorder);
    EXPECT_EQ(e2.bottom, kNoBorder);
    // The outline shows on the neighbours' sides of the shared edges too.
    EXPECT_EQ(s.format(0, 4).bottom, kThin);
    EXPECT_EQ(s.format(1, 3).right, kThin);
}

TEST(SheetModel, WhereTwoBorderRulesMeetTheLaterWinsOnBothSides) {
    SheetModel s;
    s.setBorderAround(R("A1:B2"), kMedium);
    s.setBorders(R("B1:C2"), kDashedThin);  // its left edge is inside the first frame
    EXPECT_EQ(s.format(0, 0).right, kDashedThin);
    EXPECT_EQ(s.format(0, 1).left, kDashedThin);
    EXPECT_EQ(s.format(0, 0).left, kMedium);
    EXPECT_EQ(s.format(0, 1).top, kDashedThin);  // B1's top was the frame's, now dashed

    s.setBorderAround(R("C1:C2"), kHairline);
    EXPECT_EQ(s.format(0, 1).right, kHairline);
    EXPECT_EQ(s.format(0, 2).left, kHairline);
    EXPECT_EQ(s.format(0, 1).bottom, kDashedThin);  // untouched by the later outline
}

TEST(SheetModel, EdgesInsideAMergedRangeAreNotShown) {
    SheetModel s;
    s.setBorders(R("A1:C2"), kThin);
    s.merge(R("A1:B2"));
    ResolvedFormat a1 = s.format(0, 0);
    EXPECT_EQ(a1.top, kThin);
    EXPECT_EQ(a1.left, kThin);
    EXPECT_EQ(a1.right, kNoBorder);
    EXPECT_EQ(a1.bottom, kNoBorder);
    ResolvedFormat b2 = s.format(1, 1);
    EXPECT_EQ(b2.right, kThin);  // the merge's outline
    EXPECT_EQ(b2.bottom, kThin);
    EXPECT_EQ(b2.top, kNoBorder);
}

TEST(SheetModel, GrowingKeepsEverythingAlreadySet) {
    SheetModel s;
    s.setValue("B2", "x");
    s.setBorderAround(R("B2"), kMedium);
    s.merge(R("A1:A2"));
    s.setValue("AK100", "far");
    ASSERT_NE(s.value(1, 1), nullptr);
    EXPECT_EQ(*s.value(1, 1), "x");
    EXPECT_EQ(s.format(1, 1).right, kMedium);
    EXPECT_EQ(s.format(1, 2).left, kMedium);
    ASSERT_NE(s.mergeAt(1, 0), nullptr);
    EXPECT_EQ(s.rowCount(), 100);
    EXPECT_EQ(s.columnCount(), 37);
}

}  // namespace
}  // namespace mireva::excel
