#include "core/worksheet_lines.h"

#include <gtest/gtest.h>

#include "core/aggregation_summary.h"
#include "support/test_support.h"
#include "support/worksheet_fixture.h"

namespace mireva {
namespace {

// The report reads the same lines as every other reader of the worksheet.
TEST(WorksheetLines, CutsLinesLikeTheWorksheetDocument) {
    const char* contents[] = {"",
                              "h1",
                              "h1\r\nh2\r\n",
                              "h1\r\nh2\r\na\r\nb\r\n",
                              "h1\nh2\na",
                              "h1\r\nh2\r\n\r\n\r\nx",
                              "h1\r\nh2\r\na\r",
                              "h1\r\nh2\r\na\rb\r\n",
                              "\r\n\r\n\r\n"};
    for (const char* content : contents) {
        WorksheetDocument doc;
        doc.parse(content);
        WorksheetLines lines{std::string(content)};
        EXPECT_EQ(lines.hasHeader2(), doc.hasHeader2) << content;
        EXPECT_EQ(lines.header2(), doc.header2) << content;
        ASSERT_EQ(lines.dataLineCount(), doc.lines.size()) << content;
        for (size_t i = 0; i < doc.lines.size(); ++i) EXPECT_EQ(lines.dataLine(i), doc.lines[i]) << content;
        EXPECT_EQ(lines.placeCount(), doc.placeCount()) << content;
    }
}

TEST(WorksheetLines, UnreadableFileIsAnEmptyWorksheet) {
    test::TempDir dir;
    test::writeFile(dir / "w.csv", "h1\r\nh2\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n");
    WorksheetLines lines;
    ASSERT_TRUE(lines.load(dir / "w.csv"));
    EXPECT_EQ(lines.placeCount(), 1);
    EXPECT_FALSE(lines.load(dir / "missing.csv"));
    EXPECT_EQ(lines.placeCount(), 0);
    EXPECT_FALSE(lines.hasHeader2());
}

// Whatever ends its lines, a worksheet reads as the CR LF form of the same lines in
// every reader of the core, and a save writes that form.
TEST(WorksheetLines, EveryReaderTakesOtherLineEndsAsTheirCrLfForm) {
    const std::string crlf = test::makeWorksheet(
        2, [](int p, int c) { return c == 7 || (p == 1 && c == 12) ? std::string("45.3") : std::string(); });
    for (const test::LineEndCase& c : test::lineEndCases(crlf)) {
        test::TempDir dir;
        test::writeFile(dir / "w.csv", c.bytes);
        test::writeFile(dir / "crlf.csv", c.asCrLf);

        WorksheetLines lines, expected;
        ASSERT_TRUE(lines.load(dir / "w.csv")) << c.name;
        ASSERT_TRUE(expected.load(dir / "crlf.csv")) << c.name;
        ASSERT_EQ(lines.lineCount(), expected.lineCount()) << c.name;
        for (size_t i = 0; i < lines.lineCount(); ++i) EXPECT_EQ(lines.line(i), expected.line(i)) << c.name << i;
        EXPECT_EQ(lines.placeCount(), 2) << c.name;

        AggregationSummary got, want;
        ASSERT_TRUE(recomputeChannelPresence(dir / "w.csv", got)) << c.name;
        ASSERT_TRUE(recomputeChannelPresence(dir / "crlf.csv", want)) << c.name;
        EXPECT_EQ(got.channelHasValue, want.channelHasValue) << c.name;
        EXPECT_EQ(got.channelHasValue[12], 1) << c.name;

        WorksheetDocument doc;
        ASSERT_TRUE(doc.load(dir / "w.csv")) << c.name;
        EXPECT_EQ(doc.serialize(), c.asCrLf) << c.name;
        EXPECT_EQ(summaryFromWorksheet(doc), [&] {
            WorksheetDocument d;
            d.parse(c.asCrLf);
            return summaryFromWorksheet(d);
        }()) << c.name;
        ASSERT_TRUE(doc.save(dir / "w.csv")) << c.name;
        EXPECT_EQ(test::readFile(dir / "w.csv"), c.asCrLf) << c.name;
    }
}

}  // namespace
}  // namespace mireva
