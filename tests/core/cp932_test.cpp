#include "core/cp932.h"

#include <gtest/gtest.h>

namespace mireva {
namespace {

TEST(Cp932, EmptyMarkIsTwoBytesAndReadsBackAsFullWidthHyphenMinus) {
    EXPECT_EQ(toCp932("－"), "\x81\x7C");
    EXPECT_EQ(fromCp932("\x81\x7C"), "－");
}

TEST(Cp932, ConvertsJapaneseBothWays) {
    struct Case {
        const char* utf8;
        const char* cp932;
    } cases[] = {{"日付", "\x93\xFA\x95\x74"},
                 {"ｽｶﾊﾟｰ!", "\xBD\xB6\xCA\xDF\xB0!"},
                 {"110°CS", "110\x81\x8B" "CS"},
                 {"abc,123", "abc,123"},
                 {"", ""}};
    for (const Case& c : cases) {
        EXPECT_EQ(toCp932(c.utf8), c.cp932) << c.utf8;
        EXPECT_EQ(fromCp932(c.cp932), c.utf8) << c.utf8;
    }
}

TEST(Cp932, UnrepresentableAndInvalidInputBecomeQuestionMarks) {
    EXPECT_EQ(toCp932("a\xEF\xBB\xBF" "b"), "a?b");              // byte order mark
    EXPECT_EQ(toCp932("x😀y"), "x?y");                            // outside code page 932
    EXPECT_EQ(toCp932("a\xFF" "b\xC3"), "a?b?");                   // invalid byte, cut sequence
    EXPECT_EQ(toCp932("\xE6\x97" "日付"), "?" + toCp932("日付"));   // broken sequence keeps the rest
    EXPECT_EQ(fromCp932("a\x81"), "a?");                           // lead byte cut at the end
}

TEST(Cp932, LiteralCacheGivesTheSameBytes) {
    EXPECT_EQ(sj("レベル"), toCp932("レベル"));
    EXPECT_EQ(&sj("レベル"), &sj("レベル"));
}

}  // namespace
}  // namespace mireva
