#include "core/file_io.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>

#ifndef _WIN32
#include <sys/resource.h>
#endif

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

// A file size limit makes the scratch file's writes fail the way a full disk does,
// without touching any device: both a write that fails while the file is being written
// (the writer starts the disk writing every few megabytes) and one that fails only when
// the last bytes are flushed at commit.
TEST(AtomicFileWriter, AFullDiskIsReportedAndTheOriginalKept) {
#ifdef _WIN32
    GTEST_SKIP() << "no file size limit to stand in for a full disk";
#else
    struct Case {
        const char* what;
        size_t limit, pieces, pieceSize;
        bool writesPass;  // the failure shows only at commit
    } cases[] = {
        {"fails while writing", 1 << 20, 8, 1 << 20, false},
        {"fails at commit", 500, 1, 1000, true},
    };
    for (const Case& c : cases) {
        test::TempDir dir;
        const fs::path target = dir / "a.txt";
        test::writeFile(target, "old");
        struct rlimit saved {};
        ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
        void (*savedSignal)(int) = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit limited = saved;
        limited.rlim_cur = c.limit;
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
        AtomicFileWriter writer(target);
        bool wrote = writer.open();
        for (size_t i = 0; wrote && i < c.pieces; ++i) wrote = writer.write(std::string(c.pieceSize, 'x'));
        const bool ok = wrote && writer.commit();
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, savedSignal);
        EXPECT_EQ(wrote, c.writesPass) << c.what;
        EXPECT_FALSE(ok) << c.what;
        EXPECT_FALSE(writer.error().empty()) << c.what;
        EXPECT_EQ(writer.errorNumber(), EFBIG) << c.what;
        writer.abandon();
        EXPECT_EQ(test::readFile(target), "old") << c.what;
        EXPECT_FALSE(fs::exists(dir / "a.txt.tmp")) << c.what;
    }
#endif
}

// Long files are written in chunks whose disk writing starts early; the bytes stay
// exactly those written.
TEST(AtomicFileWriter, ALongFileKeepsEveryByte) {
    test::TempDir dir;
    const fs::path target = dir / "long.csv";
    std::string expected;
    AtomicFileWriter writer(target);
    ASSERT_TRUE(writer.open());
    for (int i = 0; i < 3000; ++i) {
        std::string line = std::to_string(i) + std::string(static_cast<size_t>(1000 + i % 7 * 911), 'a' + i % 26) + "\r\n";
        expected += line;
        ASSERT_TRUE(writer.write(line));
    }
    ASSERT_TRUE(writer.commit()) << writer.error();
    EXPECT_EQ(test::readFile(target), expected);
    EXPECT_GT(expected.size(), size_t{8} << 20);
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
