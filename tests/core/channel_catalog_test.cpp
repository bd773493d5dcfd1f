#include "core/channel_catalog.h"

#include <gtest/gtest.h>

#include <set>

#include "support/test_support.h"

namespace mireva {
namespace {
using test::cp;

const ChannelCatalog& cat() { return ChannelCatalog::instance(); }

struct FindCase {
    const char* name;
    const char* band;
    int expected;
};

class FindChannelTest : public ::testing::TestWithParam<FindCase> {};

TEST_P(FindChannelTest, FindsFirstMatchingRow) {
    const FindCase& c = GetParam();
    EXPECT_EQ(cat().findChannel(cp(c.name), cp(c.band)), c.expected) << c.name << " / " << c.band;
}

INSTANTIATE_TEST_SUITE_P(
    Catalog, FindChannelTest,
    ::testing::Values(FindCase{"13", "CATV", 152}, FindCase{"13", "地上デジタル", 0}, FindCase{"13", "SCC-B", 312},
                      FindCase{"7", "CATV", -1}, FindCase{"K-2", "JCSAT-4B", 280}, FindCase{"K-2", "JCSAT-3A", 252},
                      FindCase{"20", "地デジ(換算)", 7}, FindCase{"20", "CATV(換算)", 159},
                      FindCase{"20", "地デジ", -1}, FindCase{"BS-1", "BS", 40}, FindCase{"ND1", "110°CS", 77},
                      FindCase{"H-11", "スカパー！プレミアムサービス光", 388}, FindCase{"PL 20", "PILOT", 509},
                      FindCase{"UL-L", "LTE", 359}, FindCase{"13", "", -1}, FindCase{"", "CATV", -1}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(ChannelCatalog, GroupsCoverEveryChannelInOrder) {
    int next = 0;
    for (int g = 0; g < kBandGroupCount; ++g) {
        EXPECT_EQ(cat().group(g).first, next) << g;
        next += cat().group(g).count;
    }
    EXPECT_EQ(next, kChannelCount);
    EXPECT_EQ(cat().group(5).count, 150);
    EXPECT_EQ(cat().group(17).count, 113);
}

TEST(ChannelCatalog, NamesAreUniqueWithinABand) {
    std::set<std::pair<std::string, std::string>> seen;
    for (int c = 0; c < kChannelCount; ++c) {
        const ChannelEntry& e = cat().channel(c);
        EXPECT_TRUE(seen.insert({e.band, e.name}).second) << e.name;
    }
}

TEST(ChannelCatalog, ListsFollowTheirDefinedSequences) {
    EXPECT_EQ(cat().channel(90).name, "1");
    EXPECT_EQ(cat().channel(93).name, "C13");
    EXPECT_EQ(cat().channel(103).name, "4");
    EXPECT_EQ(cat().channel(106).name, "8");
    EXPECT_EQ(cat().channel(239).name, "C101");
    EXPECT_EQ(cat().channel(240).name, "UL 1");
    EXPECT_EQ(cat().channel(377).name, "H001");
    EXPECT_EQ(cat().channel(387).name, "H011");
    EXPECT_EQ(cat().channel(388).name, "H-11");
    EXPECT_EQ(cat().channel(489).name, "H106");
    EXPECT_EQ(cat().channel(364).name, "DL-H");
    EXPECT_EQ(cat().channel(364).tab, 10);
    EXPECT_EQ(cat().channel(365).name, "FM 1");
    EXPECT_EQ(cat().group(2).band, cp("110°CS"));
    EXPECT_EQ(cat().group(3).label, cp("BS(左旋)"));
}

TEST(ChannelCatalog, DisplayPositions) {
    EXPECT_EQ(ChannelCatalog::displayPosition(40), 42);
    EXPECT_EQ(ChannelCatalog::displayPosition(0), 1);
    EXPECT_EQ(ChannelCatalog::displayPosition(509), 528);
    EXPECT_EQ(cat().channelAtDisplayPosition(0), -1);
    EXPECT_EQ(cat().channelAtDisplayPosition(41), -1);
    EXPECT_EQ(cat().channelAtDisplayPosition(42), 40);
    EXPECT_EQ(cat().channelAtDisplayPosition(528), 509);
}

TEST(ChannelCatalog, ModeBitsAreContainmentTests) {
    struct Case {
        const char* text;
        unsigned bits;
    } cases[] = {{"BS/CS", 0x0006},
                 {"CATV上り", 0x0018},
                 {"UHF", 0x0001},
                 {"JCSAT-3A", 0x0024},  // "JCSAT" contains "CS"
                 {"ｽｶﾊﾟｰ!ﾌﾟﾚﾐｱﾑ光", 0x0800},
                 {"", 0},
                 {"uhf", 0}};
    for (const Case& c : cases) EXPECT_EQ(cat().modeBitsOf(cp(c.text)), c.bits) << c.text;
    EXPECT_EQ(cat().modeFieldOf(0x0007), "UHF BS CS ");
    EXPECT_EQ(cat().modeFieldOf(0x0820), cp("JCSAT3A ｽｶﾊﾟｰ! "));
    EXPECT_EQ(cat().modeFieldOf(0), "");
}

TEST(ChannelCatalog, InitialOffsetsText) {
    EXPECT_EQ(cat().initialOffsetsText(),
              cp("地ﾃﾞｼﾞ:0.0 BS/CS:0.0 CATV:0.0 CATV上り:0.0 JCSAT-3A/4B:0.0 SCC-B/C:0.0 FM:0.0 ｽｶﾊﾟｰ!:0.0 LTE:0.0 "
                 "PILOT:0.0"));
}

}  // namespace
}  // namespace mireva
