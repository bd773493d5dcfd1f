#include "core/file_io.h"

#include "core/error_reason.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <functional>
#include <thread>
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
    ASSERT_TRUE(replaceFileContent(target, "new\r\n", &error)) << error;
    EXPECT_EQ(test::readFile(target), "new\r\n");
    EXPECT_EQ(test::folderNames(dir.path()), std::vector<std::string>{"worksheet.csv"});
}

TEST(AtomicFileWriter, AFailedWriteLeavesTheOriginal) {
    test::TempDir dir;
    fs::path target = dir / "worksheet.csv";
    test::writeFile(target, "old");
    std::string error;
    // A path through a regular file: the folder cannot hold a scratch file.
    EXPECT_FALSE(replaceFileContent(target / "inner.csv", "new", &error));
    EXPECT_NE(error.find("inner.csv"), std::string::npos) << error;
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
    EXPECT_EQ(test::folderNames(dir.path()), std::vector<std::string>{"a.txt"});
}

// What lies around the target before the rewrite, and what must hold after it.
TEST(AtomicFileWriter, RewritesOnlyTheTargetWhateverLiesBesideIt) {
    struct Case {
        const char* what;
        std::function<fs::path(const test::TempDir&)> prepare;  // returns the target
        std::function<void(const test::TempDir&)> check;
    };
    const Case cases[] = {
        {"a link planted at the names scratch files used to have leads nowhere",
         [](const test::TempDir& d) {
             test::writeFile(d / "victim", "secret");
             fs::create_symlink(d / "victim", d / "w.csv.tmp");
             fs::create_symlink(d / "victim", d / ".w.csv.part");
             test::writeFile(d / "w.csv", "old");
             return d / "w.csv";
         },
         [](const test::TempDir& d) {
             EXPECT_EQ(test::readFile(d / "victim"), "secret");
             EXPECT_TRUE(fs::is_symlink(d / "w.csv.tmp"));
             EXPECT_TRUE(fs::is_symlink(d / ".w.csv.part"));
         }},
        {"the user's own X.tmp stays",
         [](const test::TempDir& d) {
             test::writeFile(d / "w.csv.tmp", "mine");
             return d / "w.csv";
         },
         [](const test::TempDir& d) { EXPECT_EQ(test::readFile(d / "w.csv.tmp"), "mine"); }},
        {"a name of 255 bytes", [](const test::TempDir& d) { return d / (std::string(251, 'n') + ".csv"); },
         [](const test::TempDir&) {}},
        {"a link is replaced through: it stays and leads to the new file",
         [](const test::TempDir& d) {
             fs::create_directory(d / "real");
             test::writeFile(d / "real" / "w.csv", "old");
             fs::create_symlink("real/w.csv", d / "w.csv");
             return d / "w.csv";
         },
         [](const test::TempDir& d) {
             EXPECT_TRUE(fs::is_symlink(d / "w.csv"));
             EXPECT_EQ(fs::read_symlink(d / "w.csv"), "real/w.csv");
             EXPECT_EQ(test::readFile(d / "real" / "w.csv"), "new");
             EXPECT_EQ(test::folderNames(d / "real"), std::vector<std::string>{"w.csv"});
         }},
        {"a link whose file does not exist yet creates it there",
         [](const test::TempDir& d) {
             fs::create_directory(d / "real");
             fs::create_symlink(d / "real" / "w.csv", d / "w.csv");
             return d / "w.csv";
         },
         [](const test::TempDir& d) {
             EXPECT_TRUE(fs::is_symlink(d / "w.csv"));
             EXPECT_EQ(test::readFile(d / "real" / "w.csv"), "new");
         }},
    };
    for (const Case& c : cases) {
        test::TempDir dir;
        const fs::path target = c.prepare(dir);
        std::vector<std::string> expected = test::folderNames(dir.path());
        if (!fs::exists(fs::symlink_status(target))) expected.push_back(target.filename().string());
        std::sort(expected.begin(), expected.end());
        std::string error;
        ASSERT_TRUE(replaceFileContent(target, "new", &error)) << c.what << ": " << error;
        EXPECT_EQ(test::readFile(target), "new") << c.what;
        EXPECT_EQ(test::folderNames(dir.path()), expected) << c.what << ": a scratch file was left";
        c.check(dir);
    }
}

TEST(AtomicFileWriter, AReplacedFileKeepsItsPermissionBits) {
    for (fs::perms mode : {fs::perms(0600), fs::perms(0640), fs::perms(0755), fs::perms(0222)}) {
        test::TempDir dir;
        const fs::path target = dir / "w.csv";
        test::writeFile(target, "old");
        fs::permissions(target, mode, fs::perm_options::replace);
        ASSERT_TRUE(replaceFileContent(target, "new"));
        EXPECT_EQ(fs::status(target).permissions(), mode) << static_cast<int>(mode);
    }
}

// Tests run as the superuser, whom the system lets write anything: the writer itself
// honours a file without write permission.
TEST(AtomicFileWriter, AReadOnlyTargetIsRefusedAndLeftAsItIs) {
    for (fs::perms mode : {fs::perms(0444), fs::perms(0400), fs::perms(0000)}) {
        test::TempDir dir;
        const fs::path target = dir / "w.csv";
        test::writeFile(target, "old");
        fs::permissions(target, mode, fs::perm_options::replace);
        std::string error;
        EXPECT_FALSE(replaceFileContent(target, "new", &error));
        EXPECT_NE(error.find("w.csv"), std::string::npos) << error;
        EXPECT_NE(error.find(errorReason(EACCES)), std::string::npos) << error;
        fs::permissions(target, fs::perms(0600), fs::perm_options::replace);
        EXPECT_EQ(test::readFile(target), "old");
        EXPECT_EQ(fs::status(target).permissions(), fs::perms(0600));
        EXPECT_EQ(test::folderNames(dir.path()), std::vector<std::string>{"w.csv"});
    }
    // Something that is not a file is not replaced either.
    test::TempDir dir;
    fs::create_directory(dir / "w.csv");
    std::string error;
    EXPECT_FALSE(replaceFileContent(dir / "w.csv", "new", &error));
    EXPECT_TRUE(fs::is_directory(dir / "w.csv"));
}

// Two writers of one target: each has its own scratch file, and the target always
// holds one writer's whole content.
TEST(AtomicFileWriter, TwoWritersOfOneTargetNeverMix) {
    test::TempDir dir;
    const fs::path target = dir / "w.csv";
    AtomicFileWriter first(target), second(target);
    ASSERT_TRUE(first.open());
    ASSERT_TRUE(second.open());
    ASSERT_TRUE(first.write(std::string(100000, 'a')));
    ASSERT_TRUE(second.write(std::string(50, 'b')));
    ASSERT_TRUE(first.write(std::string(100000, 'a')));
    ASSERT_TRUE(second.commit()) << second.error();
    EXPECT_EQ(test::readFile(target), std::string(50, 'b'));
    ASSERT_TRUE(first.commit()) << first.error();
    EXPECT_EQ(test::readFile(target), std::string(200000, 'a'));

    // The same with two threads racing many times.
    auto writeMany = [&](char c, size_t size) {
        for (int i = 0; i < 30; ++i) replaceFileContent(target, std::string(size, c));
    };
    std::thread a(writeMany, 'x', 300000), b(writeMany, 'y', 1000);
    a.join();
    b.join();
    const std::string content = test::readFile(target);
    EXPECT_TRUE(content == std::string(300000, 'x') || content == std::string(1000, 'y')) << content.size();
    EXPECT_EQ(test::folderNames(dir.path()), std::vector<std::string>{"w.csv"});
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
        EXPECT_EQ(test::folderNames(dir.path()), std::vector<std::string>{"a.txt"}) << c.what;
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
        std::string line =
            std::to_string(i) + std::string(static_cast<size_t>(1000 + i % 7 * 911), 'a' + i % 26) + "\r\n";
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
