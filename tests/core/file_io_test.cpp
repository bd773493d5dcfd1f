#include "core/file_io.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/test_support.h"

namespace mireva {
namespace {
namespace fs = std::filesystem;

TEST(AtomicFileWriter, ReplacesTheTargetAndRemovesTheScratchFile) {
    test::TempDir dir;
    fs::path target = dir / "worksheet.csv";
    test::writeFile(target, "old");
    std::string error;
    ASSERT_TRUE(replaceFileContent(target, "new\r\n", &error, dir / "worksheet_tmp.csv")) << error;
    EXPECT_EQ(test::readFile(target), "new\r\n");
    EXPECT_FALSE(fs::exists(dir / "worksheet_tmp.csv"));
}

TEST(AtomicFileWriter, AFailedWriteLeavesTheOriginal) {
    test::TempDir dir;
    fs::path target = dir / "worksheet.csv";
    test::writeFile(target, "old");
    std::string error;
    // The scratch file's folder does not exist: nothing can be written.
    EXPECT_FALSE(replaceFileContent(target, "new", &error, dir / "missing" / "tmp"));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(test::readFile(target), "old");
}

TEST(AtomicFileWriter, AbandonedWriteLeavesTheOriginal) {
    test::TempDir dir;
    fs::path target = dir / "a.txt";
    test::writeFile(target, "old");
    {
        AtomicFileWriter writer(target);
        ASSERT_TRUE(writer.open());
        writer.write("partial");
    }
    EXPECT_EQ(test::readFile(target), "old");
    EXPECT_FALSE(fs::exists(dir / "a.txt.tmp"));
}

TEST(AtomicFileWriter, FullDiskIsReportedAndOriginalKept) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    test::TempDir dir;
    fs::path target = dir / "a.txt";
    test::writeFile(target, "old");
    AtomicFileWriter writer(target, "/dev/full");
    ASSERT_TRUE(writer.open());
    writer.write(std::string(1 << 20, 'x'));
    EXPECT_FALSE(writer.commit());
    EXPECT_EQ(test::readFile(target), "old");
}

TEST(CopyFileReplacing, CopiesBytesAndReportsAMissingSource) {
    test::TempDir dir;
    test::writeFile(dir / "a", std::string("x\0y\r\n", 5));
    ASSERT_TRUE(copyFileReplacing(dir / "a", dir / "b"));
    EXPECT_EQ(test::readFile(dir / "b"), std::string("x\0y\r\n", 5));
    std::string error;
    EXPECT_FALSE(copyFileReplacing(dir / "none", dir / "b", &error));
    EXPECT_EQ(test::readFile(dir / "b"), std::string("x\0y\r\n", 5));
}

}  // namespace
}  // namespace mireva
