#include "core/text.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

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

TEST(Text, FieldCursorGivesEveryFieldOnceAndStopsAfterTheLast) {
    struct Case {
        std::string_view line;
        Fields fields;
    } cases[] = {
        {"a,,b,", {"a", "", "b", ""}},
        {"", {""}},
        {",", {"", ""}},
        {"abc", {"abc"}},
    };
    for (const Case& c : cases) {
        FieldCursor cursor(c.line);
        Fields got;
        std::string_view field;
        while (cursor.next(field)) got.push_back(field);
        EXPECT_EQ(got, c.fields) << c.line;
        EXPECT_TRUE(cursor.atEnd());
        EXPECT_EQ(cursor.index(), c.fields.size());
        EXPECT_FALSE(cursor.next(field));
    }
    FieldCursor cursor("a,b,c");
    std::string_view field;
    EXPECT_TRUE(cursor.skip(2));
    ASSERT_TRUE(cursor.next(field));
    EXPECT_EQ(field, "c");
    EXPECT_FALSE(FieldCursor("a,b").skip(3));
}

TEST(Text, ForEachFieldCountsFromZeroAndAVisitorCanStop) {
    std::string seen;
    forEachField("a,b,c,d", [&](size_t i, std::string_view f) {
        seen += std::to_string(i) + std::string(f);
        return i < 2;
    });
    EXPECT_EQ(seen, "0a1b2c");
    size_t count = 0;
    forEachField("x,,", [&](size_t, std::string_view) { ++count; });
    EXPECT_EQ(count, 3u);
}

TEST(Text, RewriteFieldsKeepsTheCommasAndTheFieldCount) {
    struct Case {
        std::string line, expected;
    } cases[] = {
        {"a,b,c", "A,b,C"},
        {"a,,c,", "A,,C,"},
        {"", ""},
        {"a", "A"},
    };
    for (const Case& c : cases) {
        std::string line = c.line;
        rewriteFields(line, [](int i, std::string_view f, std::string& out) {
            if (i % 2 == 0)
                out += asciiUpper(f);
            else
                out += f;
        });
        EXPECT_EQ(line, c.expected) << c.line;
    }
}

TEST(Text, AsciiCaseAndAsciiTests) {
    EXPECT_TRUE(equalsIgnoringAsciiCase("Single", "SINGLE"));
    EXPECT_TRUE(equalsIgnoringAsciiCase("", ""));
    EXPECT_FALSE(equalsIgnoringAsciiCase("CSV", "CSVX"));
    EXPECT_FALSE(equalsIgnoringAsciiCase("a[", "A{"));  // only letters fold
    EXPECT_TRUE(equalsIgnoringAsciiCase("a.CSV", "A.csv"));
    EXPECT_FALSE(equalsIgnoringAsciiCase("\xc3\xa9", "\xc3\x89"));  // é and É are not ASCII letters
    EXPECT_EQ(asciiUpper("csv_Dir1"), "CSV_DIR1");
    EXPECT_TRUE(isAscii("abc,1.0"));
    EXPECT_FALSE(isAscii("\x81\x7c"));
    EXPECT_TRUE(contains("A階層", "階層"));
    EXPECT_FALSE(contains("csv", "CSV"));
}

TEST(Text, LeadingDecimalTakesTheLongestLeadingDecimalNumberAndNothingElse) {
    constexpr double kMax = std::numeric_limits<double>::max();
    struct Case {
        const char* text;
        double value;
    } cases[] = {
        {"45.3", 45.3},    {" -3.5", -3.5}, {"+2.5", 2.5}, {"50", 50},      {"50.", 50},
        {"50.5.1", 50.5},  {"1..5", 1},     {".5", 0.5},   {"007", 7},      {"  47.25dB", 47.25},
        {"\t\n 12", 12},   {"12abc", 12},   {"1e2", 100},  {"1E-2", 0.01},  {"1e", 1},
        {"1e+", 1},        {"1e-", 1},      {"", 0},       {"abc", 0},      {"-", 0},
        {".", 0},          {"-.", 0},       {"0x10", 0},   {"0x1p4", 0},    {"inf", 0},
        {"-inf", 0},       {"nan", 0},      {"-nan", 0},   {"infinity", 0}, {"1e999", kMax},
        {"-1e999", -kMax}, {"1e-400", 0},   {"1,5", 1},
    };
    for (const Case& c : cases) EXPECT_DOUBLE_EQ(leadingDecimal(c.text), c.value) << c.text;
    EXPECT_EQ(leadingDecimal("\x82\x54\x82\x4f"), 0);  // full-width digits are not a number
    EXPECT_GT(leadingDecimal("4.9e-324"), 0.0);        // the smallest subnormal is held
    EXPECT_EQ(leadingDecimal(std::string(400, '0') + "1"), 1.0);
    EXPECT_EQ(leadingDecimal("0." + std::string(400, '0') + "1"), 0.0);
    EXPECT_EQ(leadingDecimal(std::string(400, '9')), kMax);
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
