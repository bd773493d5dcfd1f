#include "core/worksheet_document.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace mireva {
namespace {

TEST(WorksheetDocument, ParseAndSerializeKeepBytes) {
    std::string content = ",,,,,x,\r\nh,\r\n";
    for (int i = 0; i < 8; ++i) content += "d,t,P1:r" + std::to_string(i) + ",m,o,1\r\n";
    WorksheetDocument doc;
    doc.parse(content);
    EXPECT_EQ(doc.header1, ",,,,,x,");
    EXPECT_EQ(doc.placeCount(), 1);
    EXPECT_EQ(doc.line(0, BlockRow::Level), "d,t,P1:r2,m,o,1");
    EXPECT_EQ(doc.serialize(), content);
    EXPECT_EQ(placeNameOf(doc.line(0, BlockRow::Cn)), "P1");
}

TEST(WorksheetDocument, LoadSaveAndMissingFile) {
    test::TempDir dir;
    WorksheetDocument doc;
    EXPECT_FALSE(doc.load(dir / "none.csv"));
    EXPECT_EQ(doc.placeCount(), 0);
    test::writeFile(dir / "w.csv", "a\nb\nc\n");
    ASSERT_TRUE(doc.load(dir / "w.csv"));
    EXPECT_EQ(doc.lines.size(), 1u);
    ASSERT_TRUE(doc.save(dir / "w.csv"));
    EXPECT_EQ(test::readFile(dir / "w.csv"), "a\r\nb\r\nc\r\n");
}

}  // namespace
}  // namespace mireva
