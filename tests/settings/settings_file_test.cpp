#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "support/test_support.h"

namespace mireva {
namespace {
namespace fs = std::filesystem;
using test::cp;

class SettingsFileTest : public ::testing::Test {
protected:
    test::TempDir dir;
    fs::path ini = dir.dataFolder() / "Mireva.ini";
    SettingsFile file{ini};
};

TEST_F(SettingsFileTest, FreshSystemReadsDefaultsAndCreatesAnEmptyFile) {
    ReportSettings s;
    s.printData2.subject = "stale";
    file.readAll(s);
    EXPECT_EQ(s.printData2.report, cp("報告書"));
    EXPECT_EQ(s.printData2.footer, cp("ＯＲＶＡＮＥ株式会社"));
    EXPECT_EQ(s.printData2.subject, "");
    EXPECT_EQ(s.printData2.addNote, "");
    EXPECT_EQ(s.format1, cp("フォーマット１"));
    EXPECT_EQ(s.format2, cp("フォーマット２"));
    for (const std::string& v : s.standardValues) EXPECT_EQ(v, "0.0");
    for (const std::string& n : s.broadcasterNames) EXPECT_EQ(n, "");
    ASSERT_TRUE(fs::is_regular_file(ini));
    EXPECT_EQ(fs::file_size(ini), 0u);
}

TEST_F(SettingsFileTest, ReadingAFileInAMissingFolderGivesDefaults) {
    SettingsFile nowhere(dir / "missing" / "Mireva.ini");
    ReportSettings s;
    nowhere.readStandardValues(s);
    nowhere.readFormatNames(s);
    EXPECT_EQ(s.standardValues[kStdPilot], "0.0");
    EXPECT_EQ(s.format1, cp("フォーマット１"));
}

TEST_F(SettingsFileTest, SavingPrintData2OnAFreshSystemWritesAllTenKeys) {
    ReportSettings s = ReportSettings::defaults();
    ASSERT_TRUE(file.writePrintData2(s));
    EXPECT_EQ(test::readFile(ini), cp("[PrintData2]\r\nREPORT=報告書\r\nSUBJECT=\r\nTITLE=\r\nPROPERNAME=\r\n"
                                      "MEASUREDATE=\r\nWEATHER=\r\nMEASURENAME=\r\nMEASUREEQUIP=\r\n"
                                      "FOOTER=ＯＲＶＡＮＥ株式会社\r\nADDNOTE=\r\n"));
}

TEST_F(SettingsFileTest, SectionsAreAppendedInWriteOrderAndReadBack) {
    ReportSettings s = ReportSettings::defaults();
    s.format1 = cp("月次点検");
    s.standardValues[kStdUhf] = "47";
    s.standardValues[kStdJcsat3aH] = "50.";
    s.broadcasterNames[0] = cp("ＮＨＫ総合");
    s.broadcasterNames[252] = cp("３Ａ局");
    s.printData2.addNote = cp("追記");
    ASSERT_TRUE(file.writeFormatNames(s));
    ASSERT_TRUE(file.writeStandardValues(s));
    ASSERT_TRUE(file.writeBroadcasterNames(s));
    ASSERT_TRUE(file.writePrintData2(s));

    std::string content = test::readFile(ini);
    const std::string head =
        cp("[FormatName]\r\nFORMAT1=月次点検\r\nFORMAT2=フォーマット２\r\n\r\n"
           "[StandardValue]\r\nCATV=0.0\r\nCATVUP=0.0\r\nUHF=47\r\n");
    EXPECT_EQ(content.substr(0, head.size()), head);
    EXPECT_NE(content.find("\r\n\r\n[BCName]\r\nUHF13=" + cp("ＮＨＫ総合") + "\r\nUHF14=\r\n"), std::string::npos);
    EXPECT_NE(content.find("\r\n\r\n[PrintData2]\r\n"), std::string::npos);

    ReportSettings back;
    file.readAll(back);
    EXPECT_EQ(back.format1, s.format1);
    EXPECT_EQ(back.standardValues, s.standardValues);
    EXPECT_EQ(back.broadcasterNames, s.broadcasterNames);
    EXPECT_EQ(back.printData2.addNote, s.printData2.addNote);
    EXPECT_EQ(back.printData2.report, cp("報告書"));
}

TEST_F(SettingsFileTest, HandEditedFileKeepsEveryOtherLineByteForByte) {
    // Comments, a foreign section, LF-only line ends, blanks around "=", a lower-case
    // key, a duplicate key, a blank line before the next section and no final line end.
    const std::string original =
        cp("; written by hand\r\n"
           "[Other]\r\n"
           "A=1\n"
           "\r\n"
           "[standardvalue]\r\n"
           "  uhf =  45.5 \r\n"
           "UHF=99\r\n"
           "; note inside\r\n"
           "\r\n"
           "[Tail]\r\n"
           "Z=last");
    test::writeFile(ini, original);

    ReportSettings s;
    file.readStandardValues(s);
    EXPECT_EQ(s.standardValues[kStdUhf], "45.5");  // first occurrence, trimmed
    EXPECT_EQ(s.standardValues[kStdCatv], "0.0");

    s.standardValues[kStdUhf] = "48";
    ASSERT_TRUE(file.writeStandardValues(s));
    std::string expected =
        cp("; written by hand\r\n"
           "[Other]\r\n"
           "A=1\n"
           "\r\n"
           "[standardvalue]\r\n"
           "UHF=48\r\n"
           "UHF=99\r\n"
           "; note inside\r\n"
           "CATV=0.0\r\nCATVUP=0.0\r\nBSCS=0.0\r\nBSLCSL=0.0\r\nLTE=0.0\r\nJCSAT3A=0.0\r\nJCSAT3AH=0.0\r\n"
           "JCSAT4B=0.0\r\nJCSAT4BH=0.0\r\nSCCB=0.0\r\nSCCBH=0.0\r\nSCCCH=0.0\r\nSCCC=0.0\r\nFM=0.0\r\n"
           "SKYP=0.0\r\nPILOT=0.0\r\n"
           "\r\n"
           "[Tail]\r\n"
           "Z=last");
    EXPECT_EQ(test::readFile(ini), expected);

    ASSERT_TRUE(file.writeFormatNames(ReportSettings::defaults()));
    EXPECT_EQ(test::readFile(ini),
              expected + cp("\r\n\r\n[FormatName]\r\nFORMAT1=フォーマット１\r\nFORMAT2=フォーマット２\r\n"));
}

TEST_F(SettingsFileTest, OnlyALineWithBothBracketsStartsASection) {
    struct Case {
        const char* line;  // stands between UHF=45.5 and CATV=50 in section StandardValue
        const char* catv;  // the CATV value read back
    } cases[] = {
        {"[note: checked", "50"}, {"[", "50"},
        {"  [ a=b", "50"},        {"[Other]", "0.0"},  // a real section ends StandardValue
        {"[Other] tail", "0.0"},  {"[]", "0.0"},
    };
    for (const Case& c : cases) {
        test::writeFile(ini, cp("[StandardValue]\r\nUHF=45.5\r\n") + cp(c.line) + "\r\nCATV=50\r\n");
        ReportSettings s;
        file.readStandardValues(s);
        EXPECT_EQ(s.standardValues[kStdUhf], "45.5") << c.line;
        EXPECT_EQ(s.standardValues[kStdCatv], c.catv) << c.line;
    }
    // Writing keeps the line and replaces the key after it in place.
    const std::string original = cp("[StandardValue]\r\n[note: checked\r\nCATV=50\r\n");
    test::writeFile(ini, original);
    ReportSettings s = ReportSettings::defaults();
    s.standardValues[kStdCatv] = "60";
    ASSERT_TRUE(file.writeStandardValues(s));
    const std::string written = test::readFile(ini);
    EXPECT_EQ(written.find("[note: checked\r\nCATV=60\r\n"), std::string("[StandardValue]\r\n").size()) << written;
    EXPECT_EQ(written.find("CATV=50"), std::string::npos);
}

TEST_F(SettingsFileTest, LongStoredValuesAreCutToTheirCapacityInCharacters) {
    std::string name40 = cp("放送局名放送局名放送局名放送局名放送局名放送局名放送局名放送局名放送局名放送局名");
    std::string mixed = cp("ｱ") + std::string(30, 'x') + cp("局局");  // single-byte kana counts as one
    test::writeFile(ini, "[BCName]\r\nUHF13=" + name40 + "\r\nUHF14=" + mixed +
                             "\r\n[FormatName]\r\nFORMAT1=" + cp("一二三四五六七八九十一二三四五六七") +
                             "\r\n[PrintData2]\r\nREPORT=" + std::string(300, 'r') +
                             "\r\nADDNOTE=" + std::string(1100, 'n') + "\r\n");
    ReportSettings s;
    file.readAll(s);
    EXPECT_EQ(test::u8(s.broadcasterNames[0]), test::u8(cutToCharacters(name40, 31)));
    EXPECT_EQ(s.broadcasterNames[0].size(), 62u);  // 31 double-byte characters
    EXPECT_EQ(s.broadcasterNames[1], cp("ｱ") + std::string(30, 'x'));
    EXPECT_EQ(s.format1, cp("一二三四五六七八九十一二三四五"));
    EXPECT_EQ(s.printData2.report, std::string(255, 'r'));
    EXPECT_EQ(s.printData2.addNote, std::string(1023, 'n'));
}

TEST_F(SettingsFileTest, FileWithOnlySomeBroadcasterNamesReadsDefaultsElsewhere) {
    test::writeFile(ini, cp("[BCName]\r\nUHF27=局A\r\n3A K-2=局B\r\nSCC-B 13=局C\r\nC13=局D\r\n"));
    ReportSettings s;
    file.readAll(s);
    EXPECT_EQ(s.broadcasterNames[14], cp("局A"));
    EXPECT_EQ(s.broadcasterNames[252], cp("局B"));
    EXPECT_EQ(s.broadcasterNames[280], "");  // 4B K-2 is another key
    EXPECT_EQ(s.broadcasterNames[312], cp("局C"));
    EXPECT_EQ(s.broadcasterNames[93], cp("局D"));
    EXPECT_EQ(s.broadcasterNames[1], "");
    EXPECT_EQ(s.printData2.report, cp("報告書"));
    EXPECT_EQ(s.standardValues[kStdSkyp], "0.0");
    EXPECT_EQ(s.format2, cp("フォーマット２"));
}

TEST_F(SettingsFileTest, LineBreaksInAValueCannotAddLines) {
    ReportSettings s = ReportSettings::defaults();
    s.printData2.title = "a\r\n[StandardValue]\r\nUHF=9";
    ASSERT_TRUE(file.writePrintData2(s));
    ReportSettings back;
    file.readAll(back);
    EXPECT_EQ(back.printData2.title, "a  [StandardValue]  UHF=9");
    EXPECT_EQ(back.standardValues[kStdUhf], "0.0");
}

TEST_F(SettingsFileTest, FailedWritesAreReportedAndLeaveTheFileAsItWas) {
    const std::string original = "[FormatName]\r\nFORMAT1=x\r\n";
    test::writeFile(ini, original);

    // The user made it read-only.
    test::makeReadOnly(ini);
    std::string error;
    EXPECT_FALSE(file.writeStandardValues(ReportSettings::defaults(), &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(test::readFile(ini), original);
    fs::permissions(ini, fs::perms::owner_write, fs::perm_options::add);

    // A settings path that cannot be read is not replaced by a file holding one section.
    fs::path folderIni = dir / "Folder.ini";
    fs::create_directory(folderIni);
    test::writeFile(folderIni / "inside", "kept");
    error.clear();
    EXPECT_FALSE(SettingsFile(folderIni).writeFormatNames(ReportSettings::defaults(), &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(test::readFile(folderIni / "inside"), "kept");
}

TEST(BroadcasterKeys, KeysFollowTheBandPrefixRule) {
    struct Case {
        int channel;
        const char* key;
    } cases[] = {
        {0, "UHF13"},    {39, "UHF52"},   {40, "BS-1"},     {52, "ND2"},       {65, "BS-2"},     {89, "ND25"},
        {90, "1"},       {93, "C13"},     {106, "8"},       {152, "13"},       {240, "UL 1"},    {252, "3A K-2"},
        {266, "3A K-1"}, {280, "4B K-2"}, {311, "4B K-31"}, {312, "SCC-B 13"}, {323, "SCC-B 1"}, {335, "D1"},
        {359, "UL-L"},   {365, "FM 1"},   {377, "H001"},    {388, "H-11"},     {509, "PL 20"},
    };
    for (const Case& c : cases) EXPECT_EQ(broadcasterKey(c.channel), c.key) << c.channel;
}

TEST(BroadcasterKeys, WriteOrderPutsAllBsBeforeAllCs) {
    const auto& order = broadcasterKeyOrder();
    std::set<int> seen(order.begin(), order.end());
    EXPECT_EQ(seen.size(), static_cast<size_t>(kChannelCount));
    std::set<std::string> keys;
    for (int c = 0; c < kChannelCount; ++c) keys.insert(broadcasterKey(c));
    EXPECT_EQ(keys.size(), static_cast<size_t>(kChannelCount));
    EXPECT_EQ(keys.count("7"), 0u);

    struct Case {
        int position;
        const char* key;
    } cases[] = {{39, "UHF52"}, {40, "BS-1"}, {51, "BS-23"}, {52, "BS-2"}, {63, "BS-24"}, {64, "ND2"},
                 {76, "ND26"},  {77, "ND1"},  {89, "ND25"},  {90, "1"},    {509, "PL 20"}};
    for (const Case& c : cases) EXPECT_EQ(broadcasterKey(order[c.position]), c.key) << c.position;
}

}  // namespace
}  // namespace mireva
