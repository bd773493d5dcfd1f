#include "channels/preset_lines.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/cp932.h"
#include "core/text.h"
#include "support/test_support.h"

namespace mireva {
namespace {

using test::cp;

TEST(PresetCheckLine, CharacterPositionsFollowPageOrder) {
    struct Case {
        int character;
        int displayPosition;
        const char* what;
    };
    const Case cases[] = {
        {0, 0, "terrestrial select-all"},
        {40, 40, "channel 52ch"},
        {41, 41, "BS right-hand select-all"},
        {53, 53, "BS-23"},
        {54, 68, "BS left-hand select-all"},
        {55, 69, "BS-2"},
        {66, 80, "BS-24"},
        {67, 54, "CS right-hand select-all"},
        {68, 55, "ND2"},
        {80, 67, "ND26"},
        {81, 81, "CS left-hand select-all"},
        {95, 95, "CATV select-all"},
        {528, 528, "PL 20"},
    };
    for (const Case& c : cases) EXPECT_EQ(displayPositionAtCheckCharacter(c.character), c.displayPosition) << c.what;
}

TEST(PresetCheckLine, EveryBoxHasExactlyOneCharacter) {
    std::array<int, kDisplayPositionCount> seen{};
    for (int k = 0; k < kDisplayPositionCount; ++k) ++seen[displayPositionAtCheckCharacter(k)];
    for (int p = 0; p < kDisplayPositionCount; ++p) EXPECT_EQ(seen[p], 1) << "display position " << p;
}

TEST(PresetCheckLine, WritesAndReadsBackEveryBox) {
    ChannelSettingsState state;
    for (int p = 0; p < kDisplayPositionCount; ++p) state.boxes[p] = (p * 7) % 3 == 0;
    std::string line = checkLineOf(state);
    ASSERT_EQ(line.size(), 529u);
    EXPECT_EQ(line.find_first_not_of("01"), std::string::npos);

    ChannelSettingsState back;
    back.boxes.fill(true);
    applyCheckLine(line, back);
    EXPECT_EQ(back.boxes, state.boxes);
}

TEST(PresetCheckLine, BsLeftAndCsRightTradePlaces) {
    ChannelSettingsState state;
    state.boxes[80] = true;  // BS-24
    state.boxes[81] = true;  // CS left-hand select-all
    std::string line = checkLineOf(state);
    EXPECT_EQ(line[66], '1');
    EXPECT_EQ(line[81], '1');
    EXPECT_EQ(line[80], '0');
    EXPECT_EQ(std::count(line.begin(), line.end(), '1'), 2);
}

TEST(PresetCheckLine, OnlyOneTicksAndMissingCharactersClear) {
    ChannelSettingsState state;
    state.boxes.fill(true);
    applyCheckLine("1x2 1", state);
    EXPECT_TRUE(state.boxes[0]);
    EXPECT_FALSE(state.boxes[1]);
    EXPECT_FALSE(state.boxes[2]);
    EXPECT_FALSE(state.boxes[3]);
    EXPECT_TRUE(state.boxes[4]);
    for (int p = 5; p < kDisplayPositionCount; ++p) ASSERT_FALSE(state.boxes[p]) << p;

    state.boxes.fill(true);
    applyCheckLine(kCheckPlaceholder, state);
    for (int p = 0; p < kDisplayPositionCount; ++p) ASSERT_FALSE(state.boxes[p]) << p;
}

TEST(PresetNameLine, NamesInPageOrderEachFollowedByComma) {
    BroadcasterNames names;
    EXPECT_EQ(nameLineOf(names), std::string(510, ','));

    names[0] = cp("ＮＨＫ");
    names[52] = "ND2name";  // first CS right-hand channel
    names[65] = "BS2name";  // first BS left-hand channel
    names[509] = "last";
    std::string line = nameLineOf(names);
    std::vector<std::string_view> fields = splitFields(line);
    ASSERT_EQ(fields.size(), 511u);  // the last "," leaves an empty tail
    EXPECT_EQ(fields[0], cp("ＮＨＫ"));
    EXPECT_EQ(fields[52], "BS2name");
    EXPECT_EQ(fields[64], "ND2name");
    EXPECT_EQ(fields[509], "last");
    EXPECT_EQ(fields[510], "");

    BroadcasterNames back;
    applyNameLine(line, back);
    EXPECT_EQ(back, names);
}

TEST(PresetNameLine, CommaInsideANameDoesNotShiftLaterNames) {
    BroadcasterNames names;
    names[0] = "A,B";
    names[1] = "next";
    BroadcasterNames back;
    applyNameLine(nameLineOf(names), back);
    EXPECT_EQ(back[0], "A" + cp("，") + "B");
    EXPECT_EQ(back[1], "next");
}

TEST(PresetNameLine, ReadingClearsShortLinesAndCutsLongFields) {
    BroadcasterNames names;
    names.fill("old");

    applyNameLine("a,b", names);  // fewer fields than channels, no trailing comma
    EXPECT_EQ(names[0], "a");
    EXPECT_EQ(names[1], "b");
    for (int c = 2; c < kChannelCount; ++c) ASSERT_EQ(names[c], "") << c;

    names.fill("old");
    applyNameLine("", names);
    for (int c = 0; c < kChannelCount; ++c) ASSERT_EQ(names[c], "") << c;

    // 40 characters, double-byte ones included: the first 31 survive, no character is split.
    std::string longName = cp("あいうえおかきくけこ") + std::string(30, 'x');
    applyNameLine(longName + ",", names);
    EXPECT_EQ(names[0], cp("あいうえおかきくけこ") + std::string(21, 'x'));

    // Fields beyond the 510th are ignored.
    std::string line(510, ',');
    line += "extra,more,";
    names.fill("old");
    applyNameLine(line, names);
    for (int c = 0; c < kChannelCount; ++c) ASSERT_EQ(names[c], "") << c;
}

TEST(PresetSwitchLine, ThreeCharactersForBerMerCn) {
    struct Case {
        const char* line;
        bool ber, mer, cn;
    };
    const Case cases[] = {
        {"000", false, false, false}, {"111", true, true, true},    {"101", true, false, true},
        {"010", false, true, false},  {"1", true, false, false},    {"", false, false, false},
        {"x1y", false, true, false},  {"0011", false, false, true},
    };
    for (const Case& c : cases) {
        ChannelSettingsState state;
        state.ber = state.mer = state.cn = true;
        applySwitchLine(c.line, state);
        EXPECT_EQ(state.ber, c.ber) << c.line;
        EXPECT_EQ(state.mer, c.mer) << c.line;
        EXPECT_EQ(state.cn, c.cn) << c.line;
    }
    ChannelSettingsState state;
    state.ber = true;
    state.cn = true;
    EXPECT_EQ(switchLineOf(state), "101");
}

}  // namespace
}  // namespace mireva
