// What the compiler refuses: the point of the code page 932 type is that a mix-up of
// the two encodings does not build, so these are checked while compiling.
#include "core/sj.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <type_traits>

#include "core/cp932.h"

namespace mireva {
namespace {

template <typename T>
concept ConvertsToCp932 = requires(T text) {
    toCp932(text);
};
template <typename T>
concept ConvertsFromCp932 = requires(T text) {
    fromCp932(text);
};
template <typename T>
concept TakenBySj = requires(T text) {
    sj(text);
};
template <typename A, typename B>
concept Joins = requires(A a, B b) {
    a + b;
};
template <typename A, typename B>
concept Appends = requires(A a, B b) {
    a += b;
};

// The conversions take and give only their own side.
static_assert(ConvertsToCp932<std::string> && ConvertsToCp932<std::string_view>);
static_assert(!ConvertsToCp932<Sj> && !ConvertsToCp932<SjView>);  // converting twice
static_assert(ConvertsFromCp932<Sj> && ConvertsFromCp932<SjView>);
static_assert(!ConvertsFromCp932<std::string> && !ConvertsFromCp932<std::string_view>);  // UTF-8 taken as code page 932
static_assert(!std::is_convertible_v<Sj, std::string_view> && !std::is_convertible_v<Sj, std::string>);
static_assert(!std::is_convertible_v<std::string, Sj> && !std::is_convertible_v<std::string_view, SjView>);
static_assert(std::is_convertible_v<const Sj&, SjView>);

// Only bytes fixed at compile time convert implicitly: a literal, not a pointer or a
// string whose characters are known only at run time.
static_assert(std::is_convertible_v<const char (&)[6], SjView>);
static_assert(!std::is_convertible_v<const char*, SjView>);
static_assert(TakenBySj<const char (&)[7]>);
static_assert(!TakenBySj<const char*> && !TakenBySj<std::string> && !TakenBySj<std::string_view>);

// A message joins code page 932 texts and ASCII literals, nothing in UTF-8.
static_assert(Joins<Sj, Sj> && Joins<Sj, const char (&)[2]> && Appends<Sj&, SjView>);
static_assert(!Joins<Sj, std::string> && !Appends<Sj&, std::string> && !Appends<Sj&, std::string_view>);

constexpr char kHeaderWord[] = "測定モード";

TEST(Sj, LiteralsAndConstantArraysGiveTheirCodePage932Form) {
    EXPECT_EQ(sj(kHeaderWord), toCp932("測定モード"));
    EXPECT_EQ(&sj(kHeaderWord), &sj(kHeaderWord));
    const Sj message = sj("ファイルを開けません") + "\n" + toCp932("a.csv");
    EXPECT_EQ(message.bytes, toCp932("ファイルを開けません\na.csv").bytes);
}

}  // namespace
}  // namespace mireva
