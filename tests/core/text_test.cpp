#include "core/text.h"

#include <gtest/gtest.h>

namespace mireva {
namespace {

using Fields = std::vector<std::string_view>;

TEST(Text, SplitFieldsKeepsEveryEmptyField) {
    EXPECT_EQ(splitFields("a,,b,"), (Fields{"a", "", "b", ""}));
    EXPECT_EQ(splitFields(""), (Fields{""}));
    EXPECT_EQ(splitFields(","), (Fields{"", ""}));
    EXPECT_EQ(fieldAt("a,b,c", 1), "b");
    EXPECT_EQ(fieldAt("a,b,c", 2), "c");
    EXPECT_EQ(fieldAt("a,b,c", 3), "");
}

TEST(Text, TrimSpacesRemovesOnlyBlanks) {
    EXPECT_EQ(trimSpaces("  45.3 "), "45.3");
    EXPECT_EQ(trimSpaces("   "), "");
    EXPECT_EQ(trimSpaces("\t1 "), "\t1");
}

TEST(Text, LinesEndAtLfWithOptionalCr) {
    EXPECT_EQ(splitLines("a\r\nb\nc"), (Fields{"a", "b", "c"}));
    EXPECT_EQ(splitLines("a\r\n\r\n"), (Fields{"a", ""}));
    EXPECT_EQ(splitLines(""), Fields{});
}

TEST(Text, LeadingIntegerReadsLikeAtoi) {
    EXPECT_EQ(leadingInteger(" 12abc"), 12);
    EXPECT_EQ(leadingInteger("-3"), -3);
    EXPECT_EQ(leadingInteger("x"), 0);
    EXPECT_GT(leadingInteger("99999999999999999999999"), 100000);
}

}  // namespace
}  // namespace mireva
