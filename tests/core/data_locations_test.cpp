#include "core/data_locations.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/test_support.h"

namespace mireva {
namespace {
namespace fs = std::filesystem;

TEST(DataLocations, CreatesTheFolderWithParentsAndProbesTheWorksheet) {
    test::TempDir dir(false);
    ::setenv("XDG_DATA_HOME", (dir.path() / "a" / "b").c_str(), 1);
    std::string error;
    DataLocations loc = DataLocations::resolve(&error);
    EXPECT_TRUE(error.empty()) << error;
    EXPECT_EQ(loc.folder(), dir.path() / "a" / "b" / "ORVANE");
    EXPECT_TRUE(fs::is_regular_file(loc.worksheet()));
    EXPECT_EQ(fs::file_size(loc.worksheet()), 0u);
    EXPECT_EQ(loc.bermercnlistTmp().filename(), "bermercnlist_TMP");
    ::unsetenv("XDG_DATA_HOME");
}

TEST(DataLocations, ReportsAFolderThatCannotBeCreated) {
    test::TempDir dir(false);
    test::writeFile(dir / "file", "x");
    ::setenv("XDG_DATA_HOME", (dir.path() / "file").c_str(), 1);  // a file, not a folder
    std::string error;
    DataLocations::resolve(&error);
    EXPECT_FALSE(error.empty());
    ::unsetenv("XDG_DATA_HOME");
}

TEST(DataLocations, FallsBackToHomeWithoutXdgDataHome) {
    ::unsetenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    if (!home) GTEST_SKIP();
    EXPECT_EQ(DataLocations::perUserFolder(), fs::path(home) / ".local/share/ORVANE");
}

}  // namespace
}  // namespace mireva
