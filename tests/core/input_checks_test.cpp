#include "core/input_checks.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <optional>

#include "support/test_support.h"

namespace mireva {
namespace {

namespace fs = std::filesystem;

// Each input the user names gives the reason it cannot be used, or nothing when it can;
// opening alone is not enough (a folder, a file whose reading fails).
TEST(InputChecks, FilesAndFoldersThatCannotBeUsedGiveTheReason) {
    test::TempDir dir(false);
    test::writeFile(dir / "file", "content");
    test::writeFile(dir / "empty", "");
    fs::create_directories(dir / "folder");
    fs::create_directories(dir / "locked");
    fs::permissions(dir / "locked", fs::perms::owner_all);  // another user's folder
    const std::string none = std::strerror(ENOENT), notDir = std::strerror(ENOTDIR);

    struct Case {
        fs::path path;
        std::string fileReason, folderReason;
        bool asOrdinaryUser = false;
    } cases[] = {
        {dir / "file", "", notDir},
        {dir / "empty", "", notDir},
        {dir / "folder", std::strerror(EISDIR), ""},
        {dir / "none", none, none},
        {dir / "file" / "sub", notDir, notDir},
        {"/proc/self/mem", std::strerror(EIO), notDir},
        {dir / "locked", std::strerror(EACCES), std::strerror(EACCES), true},
    };
    for (const Case& c : cases) {
        std::optional<test::AsOrdinaryUser> user;
        if (c.asOrdinaryUser) user.emplace();
        EXPECT_EQ(fileReadFailure(c.path), c.fileReason) << c.path;
        EXPECT_EQ(folderListFailure(c.path), c.folderReason) << c.path;
    }
}

}  // namespace
}  // namespace mireva
