#include "reports/worksheet_lines.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

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

}  // namespace
}  // namespace mireva
