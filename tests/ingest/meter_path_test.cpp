#include "ingest/meter_path.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace mireva {
namespace {

using test::cp;

// A component that could lead out of the data folder, in any of the four places of an
// item's path, keeps the whole path from being followed; ordinary names do not, even
// where a code page 932 character's second byte is the byte of "\".
TEST(StaysInFolder, RefusesAbsoluteParentAndSeparatedComponentsInEveryPlace) {
    const std::vector<std::string> plain = {"SINGLE", "20130405", "CSV", "a.csv"};
    EXPECT_TRUE(staysInFolder(plain));
    EXPECT_TRUE(staysInFolder({}));

    struct Case {
        std::string component;
        bool stays;
    } cases[] = {
        {"/abs", false},        {"..", false},      {"a/b", false},     {"a\\b", false},
        {"\\abs", false},       {"../a", false},    {"a\\..", false},   {"/", false},
        {cp("ソ表.csv"), true}, {cp("予定"), true}, {"a..b.csv", true}, {"..a", true},
        {"C:\\abs", false},     {".", true},        {"", true},
    };
    for (const Case& c : cases) {
        for (size_t place = 0; place < plain.size(); ++place) {
            std::vector<std::string> components = plain;
            components[place] = c.component;
            EXPECT_EQ(staysInFolder(components), c.stays) << test::u8(c.component) << " in place " << place;
        }
    }
}

}  // namespace
}  // namespace mireva
