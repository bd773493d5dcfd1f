#include "channels/channel_settings_state.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace mireva {
namespace {

TEST(CommitSelection, JcsatThreeAHorizontalOnlyLeavesOtherBandsAsOpened) {
    AggregationSummary current;
    for (int c = 280; c <= 311; ++c) {  // JCSAT-4B in use from the reading run
        current.channelHasValue[c] = 1;
        current.columnHasValue[ChannelCatalog::displayPosition(c)] = 1;
    }
    for (int c = 252; c <= 279; ++c) {  // JCSAT-3A too, both polarisations
        current.channelHasValue[c] = 1;
        current.columnHasValue[ChannelCatalog::displayPosition(c)] = 1;
    }
    BroadcasterNames names;
    ChannelSettingsState state = stateFromCurrentSet(current, names);
    for (int c = 252; c <= 265; ++c) state.boxes[ChannelCatalog::displayPosition(c)] = true;
    for (int c = 266; c <= 279; ++c) state.boxes[ChannelCatalog::displayPosition(c)] = false;

    commitSelection(state, current);
    for (int c = 252; c <= 265; ++c) EXPECT_EQ(current.channelHasValue[c], 1) << c;
    for (int c = 266; c <= 279; ++c) EXPECT_EQ(current.channelHasValue[c], 0) << c;
    for (int c = 280; c <= 311; ++c) EXPECT_EQ(current.channelHasValue[c], 1) << c;
}

TEST(CommitSelection, SelectAllSlotsStayInColumnHasValueOnly) {
    AggregationSummary current;
    ChannelSettingsState state;
    state.boxes[81] = true;  // CS left-hand select-all
    state.boxes[80] = true;  // BS-24 (channel 76)
    state.mer = true;
    commitSelection(state, current);

    EXPECT_EQ(current.columnHasValue[81], 1);
    EXPECT_EQ(current.columnHasValue[80], 1);
    EXPECT_EQ(current.channelHasValue[76], 1);
    int channelsSet = 0;
    for (int v : current.channelHasValue) channelsSet += v;
    EXPECT_EQ(channelsSet, 1);  // the select-all box has no channel entry
    EXPECT_EQ(current.berPresent, 0);
    EXPECT_EQ(current.merPresent, 1);
    EXPECT_EQ(current.cnPresent, 0);

    // Reopening shows both as they were.
    ChannelSettingsState reopened = stateFromCurrentSet(current, state.names);
    EXPECT_EQ(reopened, state);
}

TEST(CommitSelection, ClearedBoxesClearBothArrays) {
    AggregationSummary current;
    current.columnHasValue.fill(1);
    current.channelHasValue.fill(1);
    current.berPresent = current.merPresent = current.cnPresent = 1;
    commitSelection(ChannelSettingsState{}, current);
    EXPECT_EQ(current, AggregationSummary{});
}

TEST(TruncateCp932, CountsDoubleByteCharactersAsOne) {
    struct Case {
        std::string text;
        size_t limit;
        std::string expected;
    };
    const Case cases[] = {
        {"abcdef", 3, "abc"},
        {test::cp("あいう"), 2, test::cp("あい")},
        {"a" + test::cp("あ") + "b", 2, "a" + test::cp("あ")},
        {test::cp("ｱｲｳ"), 2, test::cp("ｱｲ")},  // half-width katakana is one byte
        {"ab", 5, "ab"},
        {"a\x82", 5, "a\x82"},  // a lead byte cut off at the end stays as it is
    };
    for (const Case& c : cases) EXPECT_EQ(truncateCp932(c.text, c.limit), c.expected) << test::u8(c.text);
}

}  // namespace
}  // namespace mireva
