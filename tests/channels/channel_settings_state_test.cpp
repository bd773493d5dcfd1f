#include "channels/channel_settings_state.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "settings/settings_file.h"
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

TEST(CommitChannelSettings, WritesEveryNameIntoTheSettingsFile) {
    test::TempDir temp;
    const std::filesystem::path ini = temp / "Mireva.ini";
    ChannelSettingsState state;
    state.boxes[ChannelCatalog::displayPosition(7)] = true;
    state.names[0] = test::cp("ＮＨＫ総合");
    state.names[509] = std::string(40, 'x');  // longer than a stored name can be
    AggregationSummary current;
    std::string error;
    ASSERT_TRUE(commitChannelSettings(state, current, ini, &error)) << error;
    EXPECT_EQ(current.channelHasValue[7], 1);

    ReportSettings back;
    SettingsFile(ini).readBroadcasterNames(back);
    EXPECT_EQ(back.broadcasterNames[0], test::cp("ＮＨＫ総合"));
    EXPECT_EQ(back.broadcasterNames[509], std::string(31, 'x'));
    EXPECT_EQ(back.broadcasterNames[1], "");
}

TEST(CommitChannelSettings, NamesThatCannotBeWrittenAreReported) {
    test::TempDir temp;
    const std::filesystem::path ini = temp / "Mireva.ini";
    std::filesystem::create_directory(ini);  // no file can be written there
    ChannelSettingsState state;
    state.cn = true;
    AggregationSummary current;
    std::string error;
    EXPECT_FALSE(commitChannelSettings(state, current, ini, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(current.cnPresent, 1);  // the selection is stored all the same
}

}  // namespace
}  // namespace mireva
