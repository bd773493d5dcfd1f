#include "core/worksheet_document.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <optional>

#include "core/error_reason.h"

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

// The save streams the lines into the scratch file: a failure at the start or part way
// through leaves the target as it was, no scratch file, and says which file and why.
TEST(WorksheetDocument, ASaveThatFailsKeepsTheFileAndSaysWhy) {
    std::string content = "h1\r\nh2\r\n";
    for (int i = 0; i < 8 * 50; ++i) content += "d,t,P:r,m,o," + std::string(200, 'x') + "\r\n";
    WorksheetDocument doc;
    doc.parse(content);
    struct Case {
        const char* name;
        std::function<std::filesystem::path(const test::TempDir&)> target;
        int errorNumber;
        unsigned long long sizeLimit;  // 0: none
    } cases[] = {
        {"read-only",
         [](const test::TempDir& d) {
             test::makeReadOnly(d / "w.csv");
             return d / "w.csv";
         },
         EACCES, 0},
        {"through a file", [](const test::TempDir& d) { return d / "w.csv" / "w.csv"; }, ENOTDIR, 0},
        {"disk full part way", [](const test::TempDir& d) { return d / "w.csv"; }, EFBIG, 20000},
    };
    for (const Case& c : cases) {
        test::TempDir dir;
        test::writeFile(dir / "w.csv", "old\r\n");
        const std::filesystem::path target = c.target(dir);
        std::string error;
        int errorNumber = 0;
        bool saved;
        {
            std::optional<test::FileSizeLimit> full;
            if (c.sizeLimit) full.emplace(c.sizeLimit);
            saved = doc.save(target, &error, &errorNumber);
        }
        EXPECT_FALSE(saved) << c.name;
        EXPECT_EQ(errorNumber, c.errorNumber) << c.name;
        EXPECT_EQ(error, target.string() + ": " + errorReason(c.errorNumber)) << c.name;
        EXPECT_EQ(test::readFile(dir / "w.csv"), "old\r\n") << c.name;
        EXPECT_EQ(test::folderNames(dir.path()), std::vector<std::string>{"w.csv"}) << c.name;
    }
}

}  // namespace
}  // namespace mireva
