#include "channels/preset_store.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "channels/preset_lines.h"
#include "support/test_support.h"

namespace mireva {
namespace {

namespace fs = std::filesystem;
using test::folderNames;
using test::makeReadOnly;
using test::readFile;
using test::writeFile;

class PresetStoreTest : public ::testing::Test {
protected:
    test::TempDir temp;
    DataLocations locations{temp.dataFolder()};
    PresetFiles files = PresetFiles::in(locations);

    // A state with something in every part: a few boxes, names and two switches.
    static ChannelSettingsState sample() {
        ChannelSettingsState s;
        s.boxes[1] = s.boxes[42] = s.boxes[80] = s.boxes[81] = s.boxes[528] = true;
        s.names[0] = test::cp("ＮＨＫ総合");
        s.names[76] = "BS24";
        s.names[509] = "pilot";
        s.ber = true;
        s.cn = true;
        return s;
    }
};

TEST_F(PresetStoreTest, SavingSlot2WithNoFilesWritesPlaceholdersAround) {
    ChannelSettingsState state = sample();
    std::string error;
    ASSERT_TRUE(savePreset(files, 2, state, &error)) << error;

    EXPECT_EQ(readFile(files.checks.file), "00000\r\n" + checkLineOf(state) + "\r\n00000\r\n");
    EXPECT_EQ(readFile(files.names.file), "\r\n" + nameLineOf(state.names) + "\r\n\r\n");
    EXPECT_EQ(readFile(files.switches.file), "000\r\n101\r\n000\r\n");
    EXPECT_EQ(folderNames(files.checks.file.parent_path()),
              (std::vector<std::string>{"bcnamelist.txt", "bermercnlist.txt", "checklist.txt"}));
}

TEST_F(PresetStoreTest, Slot3IntoTheEmptyProbedFileAndBack) {
    ASSERT_TRUE(probeChannelSettingsFolder(locations));
    ASSERT_EQ(readFile(files.checks.file), "");

    ChannelSettingsState state = sample();
    ASSERT_TRUE(savePreset(files, 3, state));
    EXPECT_EQ(readFile(files.checks.file), "00000\r\n00000\r\n" + checkLineOf(state) + "\r\n");

    ChannelSettingsState loaded;
    loaded.boxes.fill(true);
    loaded.names.fill("x");
    ASSERT_TRUE(loadPreset(files, 3, loaded));
    EXPECT_EQ(loaded, state);
}

TEST_F(PresetStoreTest, ProbeKeepsAnExistingChecklist) {
    writeFile(files.checks.file, "111\r\n");
    ASSERT_TRUE(probeChannelSettingsFolder(locations));
    EXPECT_EQ(readFile(files.checks.file), "111\r\n");
}

TEST_F(PresetStoreTest, RewritingASlotKeepsTheOtherLinesByteForByte) {
    // Odd but stored content: bytes that are no check characters, a lone LF line end,
    // a last line without line end.
    const std::string line2 = "01\x82\xa0 zz";
    const std::string line3 = "1111";
    writeFile(files.checks.file, "old1\r\n" + line2 + "\n" + line3);

    ASSERT_TRUE(savePresetLine(files.checks, 1, "first"));
    ASSERT_TRUE(savePresetLine(files.checks, 1, "second"));
    EXPECT_EQ(readFile(files.checks.file), "second\r\n" + line2 + "\r\n" + line3 + "\r\n");
}

TEST_F(PresetStoreTest, LinesAfterTheThirdAreDropped) {
    writeFile(files.switches.file, "100\r\n010\r\n001\r\n111\r\nrest\r\n");
    ASSERT_TRUE(savePresetLine(files.switches, 2, "110"));
    EXPECT_EQ(readFile(files.switches.file), "100\r\n110\r\n001\r\n");
}

TEST_F(PresetStoreTest, AFileWithOneLineGetsPlaceholdersForTheMissingOnes) {
    writeFile(files.names.file, "a,b,\r\n");
    ASSERT_TRUE(savePresetLine(files.names, 3, "c,"));
    EXPECT_EQ(readFile(files.names.file), "a,b,\r\n\r\nc,\r\n");
}

TEST_F(PresetStoreTest, AFileThatCannotBeRewrittenIsLeftAndReported) {
    writeFile(files.checks.file, "keep1\r\nkeep2\r\nkeep3\r\n");
    makeReadOnly(files.checks.file);

    std::string error;
    EXPECT_FALSE(savePreset(files, 2, sample(), &error));
    EXPECT_NE(error.find("checklist.txt"), std::string::npos) << error;
    EXPECT_EQ(readFile(files.checks.file), "keep1\r\nkeep2\r\nkeep3\r\n");
    // The other two files are still written.
    EXPECT_EQ(readFile(files.switches.file), "000\r\n101\r\n000\r\n");
    EXPECT_TRUE(fs::exists(files.names.file));
}

TEST_F(PresetStoreTest, AFileThatExistsButCannotBeReadIsNotReplaced) {
    fs::create_directory(files.switches.file);  // cannot be read as a file
    std::string error;
    EXPECT_FALSE(savePresetLine(files.switches, 1, "111", &error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(fs::is_directory(files.switches.file));
}

TEST_F(PresetStoreTest, SlotOutsideOneToThreeWritesNothing) {
    for (int slot : {0, 4}) {
        EXPECT_FALSE(savePresetLine(files.checks, slot, "1"));
        EXPECT_FALSE(fs::exists(files.checks.file));
    }
}

TEST_F(PresetStoreTest, ReadPresetLine) {
    EXPECT_FALSE(readPresetLine(files.checks.file, 1).has_value());
    writeFile(files.checks.file, "one\r\ntwo\n");
    EXPECT_EQ(readPresetLine(files.checks.file, 1), "one");
    EXPECT_EQ(readPresetLine(files.checks.file, 2), "two");
    EXPECT_EQ(readPresetLine(files.checks.file, 3), "");
}

TEST_F(PresetStoreTest, LoadingPlaceholdersClearsEverything) {
    ASSERT_TRUE(savePreset(files, 2, sample()));  // slots 1 and 3 are placeholders now
    for (int slot : {1, 3}) {
        ChannelSettingsState state = sample();
        ASSERT_TRUE(loadPreset(files, slot, state));
        EXPECT_EQ(state, ChannelSettingsState{}) << "slot " << slot;
    }
}

TEST_F(PresetStoreTest, LoadingASlotTheFileLacksClearsTheBoxes) {
    writeFile(files.checks.file, std::string(529, '1') + "\r\n");
    ChannelSettingsState state = sample();
    ASSERT_TRUE(loadPreset(files, 3, state));
    for (int p = 0; p < kDisplayPositionCount; ++p) ASSERT_FALSE(state.boxes[p]) << p;
}

TEST_F(PresetStoreTest, EachFileLoadsOnItsOwn) {
    const ChannelSettingsState before = sample();

    // No checklist.txt: nothing at all is loaded, even when the other files are there.
    writeFile(files.names.file, "\r\n\r\n\r\n");
    writeFile(files.switches.file, "000\r\n000\r\n000\r\n");
    ChannelSettingsState state = before;
    EXPECT_FALSE(loadPreset(files, 1, state));
    EXPECT_EQ(state, before);

    // checklist.txt only: the boxes change, names and switches stay.
    fs::remove(files.names.file);
    fs::remove(files.switches.file);
    writeFile(files.checks.file, "1\r\n");
    ASSERT_TRUE(loadPreset(files, 1, state));
    EXPECT_TRUE(state.boxes[0]);
    EXPECT_FALSE(state.boxes[1]);
    EXPECT_EQ(state.names, before.names);
    EXPECT_TRUE(state.ber);
    EXPECT_TRUE(state.cn);
}

}  // namespace
}  // namespace mireva
