#include "standards/standard_values.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "support/test_support.h"

namespace mireva {
namespace {
using test::cp;
using test::u8;

TEST(StandardKeys, ChannelsAreGovernedByTheirBandHalf) {
    struct Case {
        int channel;
        int key;
        const char* bandLabel;
    } cases[] = {
        {0, kStdUhf, "地デジ"},
        {39, kStdUhf, "地デジ"},
        {40, kStdBsCs, "BS（右旋）/110度CS（右旋）"},
        {64, kStdBsCs, "BS（右旋）/110度CS（右旋）"},
        {65, kStdBsLCsL, "BS（左旋）/110度CS（左旋）"},
        {89, kStdBsLCsL, "BS（左旋）/110度CS（左旋）"},
        {90, kStdCatv, "CATV"},
        {240, kStdCatvUp, "CATV上り"},
        {252, kStdJcsat3aH, "JCSAT-3A(水平)"},
        {266, kStdJcsat3a, "JCSAT-3A(垂直)"},
        {280, kStdJcsat4bH, "JCSAT-4B(水平)"},
        {311, kStdJcsat4b, "JCSAT-4B(垂直)"},
        {312, kStdSccBH, "SCC-B(水平)"},
        {323, kStdSccB, "SCC-B(垂直)"},
        {335, kStdSccCH, "SCC-C(水平)"},
        {358, kStdSccC, "SCC-C(垂直)"},
        {359, kStdLte, "LTE"},
        {365, kStdFm, "FM"},
        {377, kStdSkyp, "スカパー！プレミアム光"},
        {509, kStdPilot, "PILOT"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(standardKeyOfChannel(c.channel), c.key) << c.channel;
        EXPECT_EQ(u8(judgementBandLabel(c.channel)), c.bandLabel) << c.channel;
    }
}

TEST(ValidateStandardValue, AcceptsDigitsAndPeriodsWithADigitFirst) {
    for (const char* text : {"0.0", "50", "50.", "1.2.3", "007", "99999"})
        EXPECT_FALSE(validateStandardValue(text, "L")) << text;
}

TEST(ValidateStandardValue, RejectsWithTheMessageOfTheFirstRuleBroken) {
    struct Case {
        std::string text;
        const char* message;
    } cases[] = {
        {"", "CATVの基準値に値が入力されていません。"},
        {"-3", "CATVの基準値に半角数値またはピリオド以外の文字が含まれています。"},
        {cp("５０"), "CATVの基準値に半角数値またはピリオド以外の文字が含まれています。"},
        {"5a", "CATVの基準値に半角数値またはピリオド以外の文字が含まれています。"},
        {" 50", "CATVの基準値に半角数値またはピリオド以外の文字が含まれています。"},
        {".5a", "CATVの基準値に半角数値またはピリオド以外の文字が含まれています。"},
        {".5", "CATVの基準値の１文字目は数字を入力してください。"},
        {".", "CATVの基準値の１文字目は数字を入力してください。"},
    };
    for (const Case& c : cases) {
        auto message = validateStandardValue(c.text, "CATV");
        ASSERT_TRUE(message) << u8(c.text);
        EXPECT_EQ(u8(*message), c.message) << u8(c.text);
    }
}

TEST(ValidateStandardValues, ReportsEveryFaultyValueInDialogOrder) {
    StandardValues values;
    values.fill("0.0");
    values[kStdJcsat3a] = "";
    values[kStdUhf] = "4x";
    values[kStdSkyp] = ".5";
    values[kStdJcsat3aH] = "";
    std::vector<Sj> messages = validateStandardValues(values);
    ASSERT_EQ(messages.size(), 4u);
    EXPECT_EQ(u8(messages[0]), "地デジの基準値に半角数値またはピリオド以外の文字が含まれています。");
    EXPECT_EQ(u8(messages[1]), "JCSAT-3A（垂直）の基準値に値が入力されていません。");
    EXPECT_EQ(u8(messages[2]), "JCSAT-3A（水平）の基準値に値が入力されていません。");
    EXPECT_EQ(u8(messages[3]), "スカパー！プレミアム光の基準値の１文字目は数字を入力してください。");

    values.fill("0.0");
    EXPECT_TRUE(validateStandardValues(values).empty());
}

TEST(ValidateStandardValues, AllEmptyGivesOneMessagePerValueInDialogOrder) {
    StandardValues values;  // all empty
    const char* labels[] = {"地デジ",
                            "BS（右旋）/110度CS（右旋）",
                            "BS（左旋）/110度CS（左旋）",
                            "CATV",
                            "CATV上り",
                            "JCSAT-3A（垂直）",
                            "JCSAT-3A（水平）",
                            "JCSAT-4B（垂直）",
                            "JCSAT-4B（水平）",
                            "SCC-B（垂直）",
                            "SCC-B（水平）",
                            "SCC-C（水平）",
                            "SCC-C（垂直）",
                            "LTE",
                            "FM",
                            "スカパー！プレミアム光",
                            "PILOT"};
    std::vector<Sj> messages = validateStandardValues(values);
    ASSERT_EQ(messages.size(), std::size(labels));
    for (size_t i = 0; i < messages.size(); ++i)
        EXPECT_EQ(u8(messages[i]), std::string(labels[i]) + "の基準値に値が入力されていません。") << i;
}

}  // namespace
}  // namespace mireva
