#include "ingest/measurement_file_reader.h"

#include <gtest/gtest.h>

#include "ingest/error_log.h"
#include "ingest_test_support.h"

namespace mireva {
namespace {

using test::cp;
using test::meterLines;

constexpr int kUhf20 = 7;  // channel "20" of 地上デジタル

class MeterFile : public ::testing::Test {
protected:
    MeterFile() : log_(dir_ / "errorlog.csv") {
        log_.begin();
        acc_.clear();
    }
    void read(const std::string& content) { readMeasurementContent(content, cp("1F101"), acc_, log_, "f.csv"); }
    std::string value(BlockRow row, int channel) const { return test::u8(acc_.value(row, channel)); }
    std::vector<std::string> log() const { return test::logEntries(log_.path()); }

    test::TempDir dir_;
    ErrorLog log_;
    PlaceAccumulator acc_;
};

TEST_F(MeterFile, SingleFileFillsDateTimeModeAndValues) {
    read(meterLines({"測定データ名,S0001", "日付,2013/04/05", "時刻,10:20:30", "測定モード,UHF", "測定項目,レベル",
                     "レベルオフセット(dB),0.0", "チャンネル名称,BAND,周波数(MHz),レベル(dBuV),CN,BER",
                     "20,地上デジタル,515.142857,45.3,30.5,0.0E+00"}));
    EXPECT_EQ(acc_.date, "2013/04/05");
    EXPECT_EQ(acc_.time, "10:20:30");
    EXPECT_EQ(acc_.place, cp("1F101"));
    EXPECT_EQ(acc_.modeBits, 0x0001u);
    EXPECT_EQ(value(BlockRow::Frequency, kUhf20), "515.142857");
    EXPECT_EQ(value(BlockRow::Level, kUhf20), "45.3");
    EXPECT_EQ(value(BlockRow::Mer, kUhf20), "30.5");
    EXPECT_EQ(value(BlockRow::Cn, kUhf20), "");
    EXPECT_EQ(value(BlockRow::Ber, kUhf20), "0.0E+00");
    EXPECT_TRUE(log().empty());
}

TEST_F(MeterFile, CnGoesToMerOnlyForTheTerrestrialAndCatvBandsAsWritten) {
    struct Case {
        const char* row;
        int channel;
        BlockRow target;
    } cases[] = {
        {"20,地上デジタル,,,31.0", kUhf20, BlockRow::Mer},
        {"20,地デジ(換算),,,31.0", kUhf20, BlockRow::Cn},
        {"13,CATV,,,31.0", 152, BlockRow::Mer},
        {"20,CATV(換算),,,31.0", 159, BlockRow::Cn},
        {"BS-1,BS,,,31.0", 40, BlockRow::Cn},
        {"13, CATV ,,,31.0", 152, BlockRow::Mer},  // the band value is trimmed first
    };
    for (const Case& c : cases) {
        acc_.clear();
        read(meterLines({"チャンネル名称,BAND,周波数(MHz),レベル(dBuV),CN", c.row}));
        BlockRow other = c.target == BlockRow::Mer ? BlockRow::Cn : BlockRow::Mer;
        EXPECT_EQ(value(c.target, c.channel), "31.0") << c.row;
        EXPECT_EQ(value(other, c.channel), "") << c.row;
    }
}

TEST_F(MeterFile, LevelsAreTrimmedAndOutOfRangeReadingsKeepTheEarlierText) {
    struct Case {
        const char* field;
        const char* expected;
    } cases[] = {
        {" 45.3 ", "45.3"}, {" <20.0 ", "earlier"}, {">120.0", "earlier"}, {"", ""}, {"\t45.3", "\t45.3"},
    };
    for (const Case& c : cases) {
        acc_.value(BlockRow::Level, kUhf20) = "earlier";
        read(meterLines({"チャンネル名称,BAND,レベル(dBuV)"}) + "20,地上デジタル," + c.field + "\r\n");
        EXPECT_EQ(value(BlockRow::Level, kUhf20), c.expected) << c.field;
    }
}

TEST_F(MeterFile, BerIsFiledUnderEachRowsOwnLayerInBothColumnOrders) {
    struct Case {
        const char* header;
        bool berFirst;
    } cases[] = {{"チャンネル名称,BAND,BER,測定階層", true},
                 {"チャンネル名称,BAND,測定階層,BER", false},
                 {"チャンネル名称,BAND,BER,Layer/偏波", true}};
    for (const auto& [header, berFirst] : cases) {
        acc_.clear();
        auto row = [&](const char* ber, const char* layer) {
            return std::string("20,地上デジタル,") +
                   (berFirst ? std::string(ber) + "," + layer : std::string(layer) + "," + ber);
        };
        std::string content = meterLines({header});
        content +=
            row("1.0E-05", "A階層") + "\r\n" + row("2.0E-05", "B階層") + "\r\n" + row("3.0E-05", "C階層") + "\r\n";
        read(content);
        EXPECT_EQ(value(BlockRow::BerA, kUhf20), "1.0E-05") << header;
        EXPECT_EQ(value(BlockRow::Ber, kUhf20), "2.0E-05") << header;
        EXPECT_EQ(value(BlockRow::BerC, kUhf20), "3.0E-05") << header;
    }
}

TEST_F(MeterFile, ALayerColumnBeforeTheBandColumnStillFilesEachRowsBerUnderItsOwnLayer) {
    // The layer is a property of the row: it is kept even though the row's channel is
    // only known once the band column has been read.
    for (const char* header : {"チャンネル名称,測定階層,BAND,BER", "チャンネル名称,Layer/偏波,BER,BAND"}) {
        acc_.clear();
        const bool berLast = std::string(header).find("BER") > std::string(header).find("BAND");
        auto row = [&](const char* ber, const char* layer) {
            return std::string("20,") + layer + "," +
                   (berLast ? std::string("地上デジタル,") + ber : std::string(ber) + ",地上デジタル") + "\r\n";
        };
        read(meterLines({header}) + row("1.0E-05", "A階層") + row("2.0E-05", "B階層") + row("3.0E-05", "C階層"));
        EXPECT_EQ(value(BlockRow::BerA, kUhf20), berLast ? "1.0E-05" : "") << header;
        EXPECT_EQ(value(BlockRow::Ber, kUhf20), berLast ? "2.0E-05" : "") << header;
        EXPECT_EQ(value(BlockRow::BerC, kUhf20), berLast ? "3.0E-05" : "") << header;
    }
}

TEST_F(MeterFile, RowsWithoutBerFieldOrLayerColumn) {
    // No layer column: BER. A row that ends before its BER field changes no BER text;
    // a layer the meter names otherwise (or blank) files under BER.
    read(meterLines({"チャンネル名称,BAND,BER", "20,地上デジタル,5.0E-06", "チャンネル名称,BAND,BER,測定階層",
                     "20,地上デジタル", "21,地上デジタル,6.0E-06,", "22,地上デジタル,7.0E-06,A階層 "}));
    EXPECT_EQ(value(BlockRow::Ber, kUhf20), "5.0E-06");
    EXPECT_EQ(value(BlockRow::Ber, 8), "6.0E-06");
    EXPECT_EQ(value(BlockRow::BerA, 9), "7.0E-06");  // the layer value is trimmed like every value
}

TEST_F(MeterFile, HeaderColumns) {
    // 局発周波数(MHz) is the local oscillator, not a second frequency column; of two fields
    // naming one role the later wins; a later header line sets again only the roles it
    // names (here band and level; frequency and local oscillator keep columns 2 and 3).
    read(meterLines({"チャンネル名称,BAND,周波数(MHz),局発周波数(MHz),レベル(dBuV),CN,CN",
                     "BS-1,BS,1049.48,10678.00,66.1,17.0,18.0", "帯域幅(MHz),BAND,BW,レベル(dBuV)",
                     "BS-3,BS,1087.84,67.2"}));
    EXPECT_EQ(value(BlockRow::Frequency, 40), "1049.48");
    EXPECT_EQ(value(BlockRow::LocalOsc, 40), "10678.00");
    EXPECT_EQ(value(BlockRow::Level, 40), "66.1");
    EXPECT_EQ(value(BlockRow::Cn, 40), "18.0");
    EXPECT_EQ(value(BlockRow::Frequency, 41), "1087.84");
    EXPECT_EQ(value(BlockRow::Level, 41), "67.2");
    EXPECT_EQ(value(BlockRow::LocalOsc, 41), "67.2");
}

TEST_F(MeterFile, ValueColumnsBeforeTheBandColumnStoreNothing) {
    read(meterLines({"チャンネル名称,レベル(dBuV),BER,BAND,CN", "BS-1,66.1,1.0E-05,BS,17.0"}));
    EXPECT_EQ(value(BlockRow::Level, 40), "");
    EXPECT_EQ(value(BlockRow::Ber, 40), "");
    EXPECT_EQ(value(BlockRow::Cn, 40), "17.0");
}

TEST_F(MeterFile, EmptyValuesOverwriteAndUnmentionedChannelsKeepTheirTexts) {
    acc_.value(BlockRow::Level, kUhf20) = "50.0";
    acc_.value(BlockRow::Level, 8) = "51.0";
    read(meterLines({"チャンネル名称,BAND,レベル(dBuV),CN,", "20,地上デジタル,,30.0,"}));
    EXPECT_EQ(value(BlockRow::Level, kUhf20), "");
    EXPECT_EQ(value(BlockRow::Mer, kUhf20), "30.0");
    EXPECT_EQ(value(BlockRow::Level, 8), "51.0");
}

TEST_F(MeterFile, InformationLinesAndTheirLogLines) {
    struct Case {
        const char* line;
        std::string date;  // after the line, starting from "old"
        std::vector<std::string> log;
    } cases[] = {
        {"日付,2013/04/05", "2013/04/05", {}},
        {"日付", "old", {"f.csv,日付を取得出来ません"}},
        {"日付,", "", {"f.csv,日付を取得出来ません"}},
        {"日付, 2013/04/05 ,x", " 2013/04/05 ", {}},        // information values are not trimmed
        {"\xEF\xBB\xBF日付,2013/04/05", "2013/04/05", {}},  // byte order mark
        {"時刻", "old", {"f.csv,時刻を取得出来ません"}},
        {"測定モード,", "old", {"f.csv,測定モードを取得出来ません"}},
        {"レベルオフセット(dB)", "old", {"f.csv,レベルオフセットを取得出来ません"}},
        {"測定データ名", "old", {}},
        {"測定項目", "old", {}},
        {",日付", "old", {}},
        {"20,地上デジタル,45.0", "old", {}},  // data line before any header
    };
    for (const Case& c : cases) {
        log_.begin();
        acc_.date = "old";
        read(std::string(c.line) + "\r\n");
        EXPECT_EQ(test::u8(acc_.date), c.date) << c.line;
        EXPECT_EQ(log(), c.log) << c.line;
    }
}

TEST_F(MeterFile, TwoEmptyDateLinesLogTwice) {
    read(meterLines({"日付", "日付,"}));
    EXPECT_EQ(log(), (std::vector<std::string>{"f.csv,日付を取得出来ません", "f.csv,日付を取得出来ません"}));
}

TEST_F(MeterFile, ModeBitsComeFromTheLastFileAndAddUpWithinOne) {
    acc_.modeBits = 0x0400;
    read(meterLines({"測定モード,BS/CS", "測定モード,CATV上り"}));
    EXPECT_EQ(acc_.modeBits, 0x0002u | 0x0004u | 0x0008u | 0x0010u);
    read(meterLines({"日付,2013/04/05"}));
    EXPECT_EQ(acc_.modeBits, 0u);
}

TEST_F(MeterFile, UnknownChannelsAreLoggedAndStoreNothing) {
    read(meterLines({"チャンネル名称,BAND,レベル(dBuV)", "7,CATV,60.0", "20,地デジ,60.0", "備考,点検済み",
                     "20,地上デジタル,61.0", "コメントのみ"}));
    EXPECT_EQ(log(), std::vector<std::string>(3, "f.csv,チャンネルが見つかりません"));
    EXPECT_EQ(value(BlockRow::Level, kUhf20), "61.0");
}

TEST_F(MeterFile, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    // An invalid byte and a character code page 932 lacks do not cost the rest of the line.
    read(meterLines({"チャンネル名称,BAND,レベル(dBuV),BER",
                     "20,地上デジタル,4\xFF"
                     "5.0,1😀2"}));
    EXPECT_EQ(value(BlockRow::Level, kUhf20), "4?5.0");
    EXPECT_EQ(value(BlockRow::Ber, kUhf20), "1?2");
}

TEST_F(MeterFile, LfLinesAndLongValues) {
    std::string longValue(300, '9');
    read("チャンネル名称,BAND,レベル(dBuV)\n20,地上デジタル," + longValue + "\n");
    EXPECT_EQ(value(BlockRow::Level, kUhf20), longValue);
}

TEST_F(MeterFile, MissingFileIsLogged) {
    EXPECT_FALSE(readMeasurementFile(dir_ / "none.csv", "P", acc_, log_, "data/none.csv"));
    EXPECT_FALSE(readMeasurementFile(dir_.path(), "P", acc_, log_, "data/"));  // a folder is no file
    EXPECT_EQ(log(), (std::vector<std::string>{"data/none.csv,ファイルを開けません", "data/,ファイルを開けません"}));
    EXPECT_EQ(acc_.place, "");
}

}  // namespace
}  // namespace mireva
