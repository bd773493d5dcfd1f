#include "ingest/error_log.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <cerrno>
#include <csignal>
#include <cstring>

#include "support/test_support.h"

namespace mireva {
namespace {

using test::cp;
using test::FileSizeLimit;

const std::string kHeader = cp("日時,ファイル名,エラー内容\r\n");

// The log cannot be created: its folder's path runs through a regular file.
TEST(ErrorLog, ALogThatCannotBeCreatedKeepsTheReason) {
    test::TempDir dir;
    test::writeFile(dir / "file", "x");
    ErrorLog log(dir / "file" / "errorlog.csv");
    EXPECT_FALSE(log.begin());
    EXPECT_EQ(log.failure(), std::strerror(ENOTDIR));
    log.append("a.csv", "m");
    EXPECT_EQ(log.failure(), std::strerror(ENOTDIR));
    EXPECT_EQ(log.linesWritten(), 0);
}

// A full disk: the header still fits, the lines do not; the first failure is kept and
// a fresh begin() forgets it.
TEST(ErrorLog, LinesThatCannotBeAppendedOnAFullDiskAreNoted) {
    test::TempDir dir;
    ErrorLog log(dir / "errorlog.csv");
    {
        FileSizeLimit full(kHeader.size() + 8);
        EXPECT_TRUE(log.begin());
        EXPECT_EQ(log.failure(), "");
        log.append("a.csv", sj("ファイルを開けません"));
        EXPECT_EQ(log.failure(), std::strerror(EFBIG));
        log.append("b.csv", sj("ファイルを開けません"));
        EXPECT_EQ(log.linesWritten(), 0);
    }
    EXPECT_EQ(log.failure(), std::strerror(EFBIG));
    EXPECT_TRUE(log.begin());
    EXPECT_EQ(log.failure(), "");
    {
        FileSizeLimit full(4);
        EXPECT_FALSE(log.begin());  // not even the header fits
        EXPECT_EQ(log.failure(), std::strerror(EFBIG));
    }
}

}  // namespace
}  // namespace mireva
