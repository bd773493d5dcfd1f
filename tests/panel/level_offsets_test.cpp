#include "panel/level_offsets.h"

#include <gtest/gtest.h>

#include "core/channel_catalog.h"
#include "panel/level_numbers.h"
#include "support/test_support.h"
#include "worksheet_fixture.h"

namespace mireva {
namespace {

using test::cp;
using test::u8;

TEST(LevelNumbers, ReadsLikeAtofAndWritesLikePrintf) {
    struct Case {
        const char* text;
        double value;
    } cases[] = {
        {"45.3", 45.3},  {" -3.5", -3.5}, {"+2", 2.0}, {"1..5", 1.0},  {".5", 0.5},
        {"12abc", 12.0}, {"abc", 0.0},    {"", 0.0},   {"1e2", 100.0},
    };
    for (const Case& c : cases) EXPECT_DOUBLE_EQ(leadingDecimal(c.text), c.value) << c.text;

    EXPECT_EQ(fixed1(45.39999), "45.4");
    EXPECT_EQ(fixed1(-0.04), "-0.0");
    EXPECT_EQ(fixed1(0.25), "0.2");  // printf rounds an exact tie to even
}

TEST(LevelNumbers, RoundingHalvesAwayFromZero) {
    struct Case {
        double value;
        const char* text;
    } cases[] = {
        {45.5, "46.0"}, {44.5, "45.0"}, {45.4, "45.0"}, {-3.5, "-4.0"}, {-0.4, "-0.0"}, {0.0, "0.0"}, {99.49, "99.0"},
    };
    for (const Case& c : cases) EXPECT_EQ(roundedLevel(c.value), c.text) << c.value;
}

TEST(OffsetValidation, MessagesInOrder) {
    using namespace panel_text;
    struct Case {
        const char* typed;
        std::vector<const char*> messages;
    } cases[] = {
        {"1.5", {}},
        {"10", {}},
        {"", {}},
        {"1..5", {}},
        {".5", {kOffsetNoIntegerPart}},
        {".", {kOffsetNoIntegerPart}},
        {".a", {kOffsetNoIntegerPart}},
        {"1.", {kOffsetNoFraction}},
        {"1.25", {kOffsetTooManyDecimals}},
        {"1.2.", {kOffsetNoFraction, kOffsetTooManyDecimals}},
        {"a1", {kOffsetBadCharacter}},
        {"1a", {kOffsetBadCharacter}},
        {"a.", {kOffsetBadCharacter}},
        {"-1", {kOffsetBadCharacter}},
        {"１", {kOffsetBadCharacter}},  // a full-width digit
    };
    for (const Case& c : cases) {
        PanelMessages got = validateOffsetText(c.typed);
        ASSERT_EQ(got.size(), c.messages.size()) << c.typed;
        for (size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i].text, c.messages[i]) << c.typed;
            EXPECT_FALSE(got[i].errorIcon);
        }
    }
}

TEST(OffsetSummary, SplitsAndRebuildsTheTenGroups) {
    const std::string fresh = ChannelCatalog::instance().initialOffsetsText();
    auto values = splitOffsetSummary(fresh);
    for (int g = 0; g < 9; ++g) EXPECT_EQ(values[g], "0.0 ") << g;
    EXPECT_EQ(values[9], "0.0");
    EXPECT_EQ(joinOffsetSummary(values), fresh);

    // A hand-edited summary: labels found give values, the others are empty.
    auto partial = splitOffsetSummary(cp("地ﾃﾞｼﾞ:1.0 PILOT:2.0"));
    EXPECT_EQ(partial[0], "1.0 ");
    EXPECT_EQ(partial[1], "");
    EXPECT_EQ(partial[9], "2.0");
}

// A worksheet of four places: every level 45.3 on UHF 13 (index 0), "－" on 14, and
// a value on every channel that an offset group bounds.
WorksheetDocument offsetSite(int places = 4) {
    return test::makeWorksheet(places, [](int p, BlockRow row, int c) -> std::string {
        if (c == 1) return test::none();
        if (row == BlockRow::Level) return "45.3";
        return row == BlockRow::Frequency ? "473.14" : "20.0";
    });
}

OffsetRequest request(const char* value, OffsetSign sign, int group, int first, int last) {
    return OffsetRequest{value, sign, group, first, last};
}

TEST(ApplyOffset, SelectionTakesEveryPlaceWhoseLevelRowIsInTheRange) {
    struct Case {
        int first, last;
        std::vector<int> offsetPlaces;
    } cases[] = {
        {0, 0, {}},          // only the 周波数 row of place 1: its level row lies outside
        {2, 14, {0, 1, 2}},  // the level rows of places 1 and 3
        {3, 7, {}},          // the rows between two level rows
        {8, 8, {1}},        {0, 23, {0, 1, 2, 3}}, {20, 40, {3}},  // a range past the last row
    };
    for (const Case& c : cases) {
        WorksheetDocument ws = offsetSite();
        const WorksheetDocument before = ws;
        EXPECT_EQ(applyOffset(ws, request("0.1", OffsetSign::Plus, 0, c.first, c.last)),
                  static_cast<int>(c.offsetPlaces.size()));
        for (int p = 0; p < 4; ++p) {
            const bool offset = std::find(c.offsetPlaces.begin(), c.offsetPlaces.end(), p) != c.offsetPlaces.end();
            EXPECT_EQ(test::channelText(ws.line(p, BlockRow::Level), 0), offset ? "45.4" : "45.3")
                << c.first << ".." << c.last << " place " << p;
            // Only level lines change.
            for (BlockRow row : {BlockRow::Frequency, BlockRow::Ber, BlockRow::Cn})
                EXPECT_EQ(ws.line(p, row), before.line(p, row));
        }
        EXPECT_EQ(ws.header1, before.header1);
        EXPECT_EQ(ws.header2, before.header2);
    }
}

TEST(ApplyOffset, GroupBoundsAndEmptyMark) {
    struct Case {
        int group;
        int inside[2];   // first and last channel changed
        int outside[2];  // the neighbours left alone (-1: none)
    } cases[] = {
        {0, {0, 39}, {-1, 40}},      {1, {40, 89}, {39, 90}},     {2, {90, 239}, {89, 240}},
        {3, {240, 251}, {239, 252}}, {4, {252, 311}, {251, 312}}, {5, {312, 358}, {311, 359}},
        {6, {365, 376}, {364, 377}}, {7, {377, 489}, {376, 490}}, {8, {359, 364}, {358, 365}},
        {9, {490, 509}, {489, -1}},  {10, {0, 509}, {-1, -1}},
    };
    for (const Case& c : cases) {
        WorksheetDocument ws = offsetSite(1);
        applyOffset(ws, request("1.0", OffsetSign::Minus, c.group, 2, 2));
        const std::string& level = ws.line(0, BlockRow::Level);
        for (int ch : c.inside) {
            if (ch == 1) continue;
            EXPECT_EQ(test::channelText(level, ch), "44.3") << "group " << c.group << " channel " << ch;
        }
        for (int ch : c.outside) {
            if (ch >= 0 && ch != 1) {
                EXPECT_EQ(test::channelText(level, ch), "45.3") << "group " << c.group;
            }
        }
        EXPECT_EQ(test::channelText(level, 1), test::none());
    }
    // JCSAT-3A/4B spans both band tabs (JCSAT-3A 252-279, JCSAT-4B 280-311).
    WorksheetDocument ws = offsetSite(1);
    applyOffset(ws, request("0.1", OffsetSign::Plus, 4, 2, 2));
    EXPECT_EQ(test::channelText(ws.line(0, BlockRow::Level), 279), "45.4");
    EXPECT_EQ(test::channelText(ws.line(0, BlockRow::Level), 280), "45.4");
}

TEST(ApplyOffset, SummaryKeepsTheRunningTotalOnTheLevelLineOnly) {
    const std::string fresh = ChannelCatalog::instance().initialOffsetsText();
    WorksheetDocument ws = offsetSite(1);
    applyOffset(ws, request("1", OffsetSign::Plus, 1, 2, 2));
    EXPECT_EQ(u8(std::string(test::offsetsField(ws.line(0, BlockRow::Level)))),
              "地ﾃﾞｼﾞ:0.0 BS/CS:1.0 CATV:0.0 CATV上り:0.0 JCSAT-3A/4B:0.0 SCC-B/C:0.0 FM:0.0 ｽｶﾊﾟｰ!:0.0 LTE:0.0 "
              "PILOT:0.0");
    EXPECT_EQ(std::string(test::offsetsField(ws.line(0, BlockRow::Frequency))), fresh);

    applyOffset(ws, request("0.5", OffsetSign::Plus, 1, 2, 2));
    EXPECT_EQ(splitOffsetSummary(test::offsetsField(ws.line(0, BlockRow::Level)))[1], "1.5 ");

    WorksheetDocument all = offsetSite(1);
    applyOffset(all, request("10", OffsetSign::Minus, kOffsetGroupAll, 2, 2));
    EXPECT_EQ(u8(std::string(test::offsetsField(all.line(0, BlockRow::Level)))),
              "地ﾃﾞｼﾞ:-10.0 BS/CS:-10.0 CATV:-10.0 CATV上り:-10.0 JCSAT-3A/4B:-10.0 SCC-B/C:-10.0 FM:-10.0 "
              "ｽｶﾊﾟｰ!:-10.0 LTE:-10.0 PILOT:-10.0 ");
}

TEST(ApplyOffset, HandEditedSummaries) {
    WorksheetDocument ws = offsetSite(2);
    // Place 1 lacks the first label: its field stays; place 2 has only two labels.
    auto setSummary = [&](int p, const std::string& text) {
        std::string& line = ws.line(p, BlockRow::Level);
        std::vector<std::string_view> f = splitFields(line);
        std::string out;
        for (size_t i = 0; i < f.size(); ++i)
            out += (i ? "," : "") + std::string(i == 4 ? std::string_view(text) : f[i]);
        line = out;
    };
    setSummary(0, "manual");
    setSummary(1, cp("地ﾃﾞｼﾞ:1.0 PILOT:2.0"));
    applyOffset(ws, request("1", OffsetSign::Plus, 2, 0, 11));
    EXPECT_EQ(std::string(test::offsetsField(ws.line(0, BlockRow::Level))), "manual");
    EXPECT_EQ(u8(std::string(test::offsetsField(ws.line(1, BlockRow::Level)))),
              "地ﾃﾞｼﾞ:1.0 BS/CS:CATV:1.0 CATV上り:JCSAT-3A/4B:SCC-B/C:FM:ｽｶﾊﾟｰ!:LTE:PILOT:2.0");
    // The levels are offset all the same.
    EXPECT_EQ(test::channelText(ws.line(0, BlockRow::Level), 100), "46.3");
}

TEST(ApplyOffset, SinglePrecisionOperandsAndTypedValues) {
    struct Case {
        const char* level;
        const char* value;
        OffsetSign sign;
        const char* expected;
    } cases[] = {
        {"45.3", "0.1", OffsetSign::Plus, "45.4"},
        {"45.3", "1.5", OffsetSign::Minus, "43.8"},
        {"45.3", "1..5", OffsetSign::Plus, "46.3"},
        // An empty value offsets by 0: the level is written again with one decimal,
        // from its single-precision value (0.15 is held as 0.15000000596...).
        {"0.15", "", OffsetSign::Plus, "0.2"},
        {"1.05", "", OffsetSign::Plus, "1.0"},
        {"45", "", OffsetSign::Plus, "45.0"},
        {"-0.04", "0", OffsetSign::Minus, "-0.0"},
        {"abc", "1", OffsetSign::Plus, "1.0"},
    };
    for (const Case& c : cases) {
        WorksheetDocument ws = test::makeWorksheet(
            1, [&](int, BlockRow, int ch) -> std::string { return ch == 0 ? c.level : test::none(); });
        applyOffset(ws, request(c.value, c.sign, 0, 2, 2));
        EXPECT_EQ(test::channelText(ws.line(0, BlockRow::Level), 0), c.expected) << c.level << " " << c.value;
    }
}

// The offset list's channel ranges against the catalog: each item covers whole band
// groups, exactly the groups of its bands.
TEST(LevelOffsets, GroupRangesAreTheCatalogsBandGroups) {
    struct Case {
        const char* item;
        std::vector<const char*> bands;
    } cases[] = {
        {"地デジ", {"地上デジタル"}},
        {"BS/CS", {"BS", "110°CS"}},
        {"CATV", {"CATV"}},
        {"CATV上り", {"CATV上り"}},
        {"JCSAT-3A/4B", {"JCSAT-3A", "JCSAT-4B"}},
        {"SCC-B/C", {"SCC-B", "SCC-C"}},
        {"FM", {"FM"}},
        {"ｽｶﾊﾟｰ!ﾌﾟﾚﾐｱﾑ光", {"スカパー！プレミアムサービス光"}},
        {"LTE", {"LTE"}},
        {"PILOT", {"PILOT"}},
    };
    const ChannelCatalog& catalog = ChannelCatalog::instance();
    const auto& items = offsetGroupItems();
    ASSERT_EQ(std::size(cases) + 1, items.size());
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        EXPECT_STREQ(items[i].listText, c.item);
        for (int ch = 0; ch < kChannelCount; ++ch) {
            bool inBands = false;
            for (const char* band : c.bands) inBands = inBands || catalog.channel(ch).band == cp(band);
            const bool inRange = ch >= items[i].firstChannel && ch <= items[i].lastChannel;
            EXPECT_EQ(inRange, inBands) << c.item << " channel " << ch;
        }
    }
    EXPECT_STREQ(items.back().listText, "ALL");
    EXPECT_EQ(items.back().firstChannel, 0);
    EXPECT_EQ(items.back().lastChannel, kChannelCount - 1);
}

}  // namespace
}  // namespace mireva
