#include "standards/judgement.h"

#include <gtest/gtest.h>

#include <map>

#include "support/test_support.h"

namespace mireva {
namespace {
using test::cp;
using test::u8;

// A worksheet with one block per place: every channel field "－" except the levels
// given for the place's level line.
WorksheetDocument worksheetOf(const std::vector<std::pair<std::string, std::map<int, std::string>>>& places) {
    WorksheetDocument doc;
    doc.hasHeader1 = doc.hasHeader2 = true;
    doc.header1 = "h1";
    doc.header2 = "h2";
    const std::string mark = cp("－");
    for (const auto& [name, levels] : places) {
        for (int row = 0; row < kRowsPerPlace; ++row) {
            std::string line =
                "2026/12/10,10:00:00," + cp(name) + (row == 2 ? cp(":レベル") : cp(":周波数")) + ",UHF ,";
            for (int c = 0; c < kChannelCount; ++c) {
                line += ',';
                auto it = levels.find(c);
                line += row == 2 && it != levels.end() ? it->second : (row == 2 ? mark : std::string("47.0"));
            }
            doc.lines.push_back(line);
        }
    }
    return doc;
}

StandardValues standards(std::map<int, std::string> set = {}) {
    StandardValues v;
    v.fill("0.0");
    for (const auto& [k, text] : set) v[k] = text;
    return v;
}

TEST(Judge, LevelAtOrBelowItsStandardIsListedEmptyMarkNever) {
    struct Case {
        const char* name;
        std::string level;
        std::string standard;
        bool below;
    } cases[] = {
        {"equal counts as below", "50.0", "50", true},
        {"just above", "50.1", "50", false},
        {"below", "12.3", "50.", true},
        {"empty mark never", cp("－"), "99999", false},
        {"non-numeric counts as 0", "***", "0.0", true},
        {"empty field counts as 0", "", "0.0", true},
        {"positive level against default", "0.1", "0.0", false},
        {"negative level against default", "-1.5", "0.0", true},
        {"standard 50.5.1 reads as 50.5", "50.5", "50.5.1", true},
        {"standard without a number is 0", "0.5", "abc", false},
    };
    for (const Case& c : cases) {
        JudgementResult r;
        judge(worksheetOf({{"A", {{90, c.level}}}}), standards({{kStdCatv, c.standard}}), r);
        EXPECT_EQ(r.belowStandardFlag, c.below) << c.name;
        EXPECT_EQ(r.belowStandardRows.size(), c.below ? 1u : 0u) << c.name;
        if (c.below) {
            ASSERT_EQ(r.belowStandardDetails.size(), 1u);
            ASSERT_EQ(r.belowStandardDetails[0].levels.size(), 1u);
            EXPECT_EQ(r.belowStandardDetails[0].levels[0].level, c.level) << c.name;
        }
    }
}

TEST(Judge, EachChannelIsJudgedAgainstItsOwnBandHalf) {
    // 40 against JCSAT3AH = 45 is below; 40 against JCSAT3A = 30 is not.
    JudgementResult r;
    judge(worksheetOf({{"A", {{252, "40"}, {266, "40"}, {0, "40"}, {509, "40"}}}}),
          standards({{kStdJcsat3aH, "45"}, {kStdJcsat3a, "30"}, {kStdUhf, "39.9"}, {kStdPilot, "40"}}), r);
    ASSERT_EQ(r.belowStandardDetails.size(), 1u);
    const auto& levels = r.belowStandardDetails[0].levels;
    ASSERT_EQ(levels.size(), 2u);
    EXPECT_EQ(levels[0].channel, 252);
    EXPECT_EQ(levels[1].channel, 509);

    std::vector<JudgementRow> rows = judgementRows(r.belowStandardDetails);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(u8(rows[0].place), "A:レベル");
    EXPECT_EQ(u8(rows[0].band), "JCSAT-3A(水平)");
    EXPECT_EQ(rows[0].channel, "K-2");
    EXPECT_EQ(rows[0].level, "40");
    EXPECT_EQ(rows[1].channel, "PL 20");
}

TEST(Judge, OnlyTheSecondPlaceBelowGivesRowEight) {
    JudgementResult r;
    judge(worksheetOf({{"A", {{0, "60"}}}, {"B", {{0, "30"}, {5, "31"}}}, {"C", {}}}), standards({{kStdUhf, "40"}}), r);
    EXPECT_EQ(r.belowStandardRows, std::vector<int>{8});
    EXPECT_TRUE(r.isBelowStandardRow(8));
    EXPECT_FALSE(r.isBelowStandardRow(2));
    ASSERT_EQ(r.belowStandardDetails.size(), 1u);
    EXPECT_EQ(r.belowStandardDetails[0].place, 1);
    EXPECT_EQ(u8(r.belowStandardDetails[0].placeText), "B:レベル");
    ASSERT_EQ(r.belowStandardDetails[0].levels.size(), 2u);
    EXPECT_EQ(r.belowStandardDetails[0].levels[1].channel, 5);
}

TEST(Judge, OtherRowsOfABlockAreNotJudged) {
    // Every other row carries "47.0"; with a standard of 50 only the level row counts.
    JudgementResult r;
    judge(worksheetOf({{"A", {}}}), standards({{kStdCatv, "50"}}), r);
    EXPECT_FALSE(r.belowStandardFlag);
    EXPECT_TRUE(r.belowStandardDetails.empty());
}

TEST(Judge, RebuildsRowsAndDetailsButNeverClearsTheFlag) {
    JudgementResult r;
    judge(worksheetOf({{"A", {{0, "0"}}}}), standards(), r);
    EXPECT_TRUE(r.belowStandardFlag);
    judge(worksheetOf({{"A", {{0, "10"}}}}), standards(), r);
    EXPECT_TRUE(r.belowStandardFlag);
    EXPECT_TRUE(r.belowStandardRows.empty());
    EXPECT_TRUE(r.belowStandardDetails.empty());
}

TEST(Judge, ShortLinesAndPartialBlocksAreSafe) {
    WorksheetDocument doc = worksheetOf({{"A", {}}, {"B", {}}});
    doc.lines[2] = cp("d,t,A:レベル,m,o,－,5");           // channels 0 and 1 only
    doc.lines[10] = cp("d,t,B:レベル");                   // no channel fields at all
    doc.lines.resize(doc.lines.size() + 3, "x,y,Z,,,0");  // a trailing partial block is not a place
    JudgementResult r;
    judge(doc, standards({{kStdUhf, "10"}}), r);
    ASSERT_EQ(r.belowStandardDetails.size(), 1u);
    EXPECT_EQ(r.belowStandardRows, std::vector<int>{2});
    EXPECT_EQ(r.belowStandardDetails[0].levels.size(), 1u);
    EXPECT_EQ(r.belowStandardDetails[0].levels[0].channel, 1);
}

TEST(Judge, UnreadableWorksheetYieldsNothing) {
    test::TempDir dir;
    JudgementResult r;
    r.belowStandardRows = {2};
    EXPECT_FALSE(judgeFile(dir / "missing.csv", standards(), r));
    EXPECT_TRUE(r.belowStandardRows.empty());

    test::writeFile(dir / "w.csv", worksheetOf({{"A", {{3, "0"}}}}).serialize());
    EXPECT_TRUE(judgeFile(dir / "w.csv", standards(), r));
    EXPECT_EQ(r.belowStandardRows, std::vector<int>{2});
}

TEST(JudgementCsv, WritesTheHeaderAndOneUnquotedLinePerRow) {
    std::vector<JudgementRow> rows = {
        {cp("1F,101:レベル"), cp("地デジ"), "13", "12.5"},
        {cp("2F:レベル"), cp("CATV"), "C13", ""},
    };
    EXPECT_EQ(judgementCsv(rows), cp("測定場所,帯域,チャンネル,レベル\r\n1F,101:レベル,地デジ,13,12.5\r\n"
                                     "2F:レベル,CATV,C13,\r\n"));
    EXPECT_EQ(judgementCsv({}), cp("測定場所,帯域,チャンネル,レベル\r\n"));
}

}  // namespace
}  // namespace mireva
