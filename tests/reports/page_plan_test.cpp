#include "reports/page_plan.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

namespace mireva {
namespace {

ChannelSelection selecting(const std::vector<std::pair<int, int>>& ranges) {
    ChannelSelection s{};
    for (auto [first, last] : ranges)
        for (int i = first; i <= last; ++i) s[i] = 1;
    return s;
}

std::vector<int> startsOf(const std::vector<ColumnGroup>& groups) {
    std::vector<int> starts;
    for (const ColumnGroup& g : groups) starts.push_back(g.start);
    return starts;
}

struct GroupCase {
    const char* what;
    std::vector<std::pair<int, int>> selected;  // inclusive ranges
    std::vector<int> combinedStarts;
    std::vector<int> bandStarts;
};

void PrintTo(const GroupCase& c, std::ostream* os) { *os << c.what; }

class GroupLists : public ::testing::TestWithParam<GroupCase> {};

TEST_P(GroupLists, StartWhereTheRulesSay) {
    const GroupCase& c = GetParam();
    PagePlan plan(selecting(c.selected), 1);
    EXPECT_EQ(startsOf(plan.combinedGroups()), c.combinedStarts) << c.what;
    EXPECT_EQ(startsOf(plan.bandGroups()), c.bandStarts) << c.what;
    EXPECT_EQ(plan.combinedGroups().back().end, kChannelCount);
    EXPECT_EQ(plan.bandGroups().back().end, kChannelCount);
}

INSTANTIATE_TEST_SUITE_P(
    PagePlan, GroupLists,
    ::testing::Values(
        GroupCase{"nothing selected: one empty group in each list", {}, {0}, {0}},
        GroupCase{"one band, few channels", {{3, 10}}, {0}, {0}},
        GroupCase{"exactly 25 channels fill one combined group", {{90, 114}}, {0}, {0}},
        GroupCase{"the 26th channel starts a second group", {{90, 115}}, {0, 115}, {0, 115}},
        GroupCase{
            "CATV only: 6 + 6 groups of 25", {{90, 239}}, {0, 115, 140, 165, 190, 215}, {0, 115, 140, 165, 190, 215}},
        GroupCase{"worked example: 20 terrestrial + 10 BS right", {{0, 19}, {40, 49}}, {0, 45}, {0, 40}},
        GroupCase{"a new band starts a band group, the first band never does",
                  {{45, 46}, {70, 71}, {500, 500}},
                  {0},
                  {0, 70, 500}},
        GroupCase{"JCSAT-4B split at 296 after terrestrial channels", {{0, 4}, {280, 311}}, {0, 300}, {0, 280, 296}},
        GroupCase{"CATV also moves the JCSAT-4B split", {{100, 100}, {280, 311}}, {0, 304}, {0, 280, 296}},
        GroupCase{"a JCSAT-3A channel keeps the split after the 25th",
                  {{0, 4}, {260, 260}, {280, 311}},
                  {0, 299},
                  {0, 260, 280, 305}},
        GroupCase{"JCSAT-4B alone: no broadcast band, no move", {{280, 311}}, {0, 305}, {0, 305}},
        GroupCase{
            "CATV upstream is not a broadcast band for the split", {{240, 241}, {280, 311}}, {0, 303}, {0, 280, 305}},
        GroupCase{"the split is spent once; later full groups break as usual",
                  {{0, 0}, {280, 311}, {377, 489}},
                  {0, 304, 394, 419, 444, 469},
                  {0, 280, 296, 377, 402, 427, 452, 477}}));

TEST(PagePlan, WorkedExampleOfTwelvePages) {
    PagePlan plan(selecting({{0, 19}, {40, 49}}), 25);
    ASSERT_EQ(plan.groupCount(), 4);
    ASSERT_EQ(plan.rowBlockCount(), 3);
    ASSERT_EQ(plan.pageCount(), 12);
    const ColumnGroup groups[] = {{0, 45}, {45, 510}, {0, 40}, {40, 510}};
    for (int p = 1; p <= 12; ++p) {
        PlannedPage page = plan.page(p);
        EXPECT_EQ(page.rowBlock, (p - 1) / 4) << "page " << p;
        EXPECT_EQ(page.group, (p - 1) % 4) << "page " << p;
        EXPECT_EQ(page.combined, page.group < 2) << "page " << p;
        EXPECT_EQ(page.columns, groups[(p - 1) % 4]) << "page " << p;
    }
    EXPECT_EQ(plan.columnsOf(groups[0]).size(), 25u);
    EXPECT_EQ(plan.columnsOf(groups[1]), (std::vector<int>{45, 46, 47, 48, 49}));
    EXPECT_EQ(plan.columnsOf(groups[2]).size(), 20u);
    EXPECT_EQ(plan.columnsOf(groups[3]).front(), 40);
}

TEST(PagePlan, OneBandPrintsEveryBlockTwiceWithTheSameColumns) {
    PagePlan plan(selecting({{0, 24}}), 11);
    EXPECT_EQ(plan.groupCount(), 2);
    EXPECT_EQ(plan.pageCount(), 4);
    EXPECT_EQ(plan.columnsOf(plan.page(1).columns), plan.columnsOf(plan.page(2).columns));
    EXPECT_EQ(plan.page(3).rowBlock, 1);
}

TEST(PagePlan, RowBlocksAreTenPlacesAndAPartialBlockCounts) {
    const std::pair<int, int> cases[] = {{0, 0}, {1, 1}, {10, 1}, {11, 2}, {25, 3}, {2000, 200}};
    for (auto [places, blocks] : cases) {
        EXPECT_EQ(rowBlocksFor(places), blocks) << places << " places";
        EXPECT_EQ(PagePlan(ChannelSelection{}, places).pageCount(), 2 * blocks) << places << " places";
    }
}

TEST(PagePlan, FullSelectionGroupsStayOrderedAndWithinTwentyFive) {
    ChannelSelection all;
    all.fill(1);
    PagePlan plan(all, 10);
    // 21 + 25 groups: 48 boundaries with the two closing ends.
    EXPECT_EQ(plan.combinedGroups().size(), 21u);
    EXPECT_EQ(plan.bandGroups().size(), 25u);
    for (int g = 0; g < plan.groupCount(); ++g) {
        const ColumnGroup& group = plan.group(g);
        EXPECT_LT(group.start, group.end) << "group " << g;
        EXPECT_LE(plan.columnsOf(group).size(), 25u) << "group " << g;
    }
}

}  // namespace
}  // namespace mireva
