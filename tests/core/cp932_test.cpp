#include "core/cp932.h"

#include <gtest/gtest.h>

namespace mireva {
namespace {

TEST(Cp932, EmptyMarkIsTwoBytesAndReadsBackAsFullWidthHyphenMinus) {
    EXPECT_EQ(toCp932("－").bytes, "\x81\x7C");
    EXPECT_EQ(fromCp932(Sj{"\x81\x7C"}), "－");
}

TEST(Cp932, ConvertsJapaneseBothWays) {
    struct Case {
        const char* utf8;
        const char* cp932;
    } cases[] = {{"日付", "\x93\xFA\x95\x74"},
                 {"ｽｶﾊﾟｰ!", "\xBD\xB6\xCA\xDF\xB0!"},
                 {"110°CS",
                  "110\x81\x8B"
                  "CS"},
                 {"abc,123", "abc,123"},
                 {"", ""}};
    for (const Case& c : cases) {
        EXPECT_EQ(toCp932(c.utf8).bytes, c.cp932) << c.utf8;
        EXPECT_EQ(fromCp932(Sj{c.cp932}), c.utf8) << c.utf8;
    }
}

TEST(Cp932, UnrepresentableAndInvalidInputBecomeQuestionMarks) {
    EXPECT_EQ(toCp932("a\xEF\xBB\xBF"
                      "b")
                  .bytes,
              "a?b");                        // byte order mark
    EXPECT_EQ(toCp932("x😀y").bytes, "x?y");  // outside code page 932
    EXPECT_EQ(toCp932("a\xFF"
                      "b\xC3")
                  .bytes,
              "a?b?");  // invalid byte, cut sequence
    EXPECT_EQ(toCp932("\xE6\x97"
                      "日付")
                  .bytes,
              "?" + toCp932("日付").bytes);   // broken sequence keeps the rest
    EXPECT_EQ(fromCp932(Sj{"a\x81"}), "a?");  // lead byte cut at the end
}

std::string utf8Of(unsigned code) {
    std::string s;
    if (code < 0x80) {
        s += static_cast<char>(code);
    } else if (code < 0x800) {
        s += static_cast<char>(0xC0 | code >> 6);
        s += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        s += static_cast<char>(0xE0 | code >> 12);
        s += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        s += static_cast<char>(0x80 | (code & 0x3F));
    }
    return s;
}

// Characters are converted from a table filled one character at a time; every text
// must still come out as the whole-text conversion gives it.
TEST(Cp932, CharacterTableGivesTheWholeTextConversion) {
    for (unsigned code = 0x80; code < 0x10000; ++code) {
        if (code >= 0xD800 && code <= 0xDFFF) continue;
        const std::string ch = utf8Of(code);
        const std::string text = ch + "a" + ch + ",\xE6\x97\xA5" + ch;  // twice: once looked up, once from the table
        ASSERT_EQ(toCp932(text).bytes, detail::toCp932WholeText(text)) << "U+" << std::hex << code;
    }
    const char* unusual[] = {
        "\xED\xA0\x80 surrogate",
        "\xE0\x80\xAF overlong",
        "\xC0\xAF overlong",
        "\xF0\x9F\x98\x80 emoji",
        "\xE6\x97 cut",
        "\xE6\x97",
        "\x80 stray",
        "\xF8\x88\x80\x80\x80 five",
        "\xFF\xFE",
    };
    for (const char* u : unusual) EXPECT_EQ(toCp932(u).bytes, detail::toCp932WholeText(u)) << u;
    unsigned seed = 12345;
    for (int n = 0; n < 20000; ++n) {
        std::string text;
        for (int k = 0; k < 12; ++k) {
            seed = seed * 1103515245u + 12345u;
            const unsigned r = seed >> 16;
            text += r % 3 ? static_cast<char>(r >> 3) : static_cast<char>(0x80 | (r & 0x3F));
        }
        ASSERT_EQ(toCp932(text).bytes, detail::toCp932WholeText(text)) << n;
    }
}

TEST(Cp932, LiteralCacheGivesTheSameBytes) {
    EXPECT_EQ(sj("レベル"), toCp932("レベル"));
    EXPECT_EQ(&sj("レベル"), &sj("レベル"));
}

}  // namespace
}  // namespace mireva
