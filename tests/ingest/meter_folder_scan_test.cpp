#include "ingest/meter_folder_scan.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/test_support.h"

namespace mireva {
namespace {
namespace fs = std::filesystem;

// A meter tree with the kinds of entries a real card holds besides measurement files.
class MeterFolderScanTest : public ::testing::Test {
protected:
    void SetUp() override {
        data = dir / "meter";
        for (const char* f :
             {"SINGLE/20130405/CSV/10.csv", "SINGLE/20130405/CSV/2.csv", "SINGLE/20130405/CSV/a.CSV",
              "SINGLE/20130405/CSV/note.txt", "SINGLE/20130405/PNG/x.png", "SINGLE/20130406/CSV/1.csv",
              "MULTI/20130405/CSV/m.csv", "DATALOGGER/20130405/CSV/d.csv", "SINGLE/20130407/CSV/bad,name.csv",
              "SINGLE/20130407/CSV/屋上.csv", "single/20130405/CSV/lower.csv"}) {
            fs::create_directories((data / f).parent_path());
            test::writeFile(data / f, "x");
        }
        fs::create_directories(data / "SINGLE/20130407/CSV/folder.csv");
    }
    static std::vector<std::string> paths(const MeterFolderScan& scan) {
        std::vector<std::string> out;
        for (const LocationTableRow& r : scan.files) {
            EXPECT_EQ(r[kColFileType], "CSV");
            EXPECT_TRUE(r[kColNo].empty() && r[kColPlacement1].empty() && r[kColPlacement2].empty());
            out.push_back(r[kColDataType] + "/" + r[kColDate] + "/" + test::u8(r[kColFileName]));
        }
        return out;
    }

    test::TempDir dir;
    fs::path data;
};

TEST_F(MeterFolderScanTest, FindsTheMeasurementFilesInMemoryOrderFromAnyLevel) {
    // Numbered names by their number whatever their date, then the others.
    const std::vector<std::string> all = {"SINGLE/20130406/1.csv", "SINGLE/20130405/2.csv", "SINGLE/20130405/10.csv",
                                          "SINGLE/20130405/a.CSV", "MULTI/20130405/m.csv",  "SINGLE/20130407/屋上.csv"};
    struct Case {
        std::string start;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"", all},
        {"/", all},
        {"SINGLE", {all[0], all[1], all[2], all[3], all[5]}},
        {"SINGLE/20130405", {all.begin() + 1, all.begin() + 4}},
        {"SINGLE/20130405/CSV/", {all.begin() + 1, all.begin() + 4}},
        {"MULTI/20130405/CSV", {all[4]}},
        {"DATALOGGER", {}},
        {"SINGLE/20130405/PNG", {}},
        {"missing", {}},
    };
    for (const Case& c : cases) {
        fs::path start = c.start.empty() ? data : c.start == "/" ? fs::path(data.string() + "/") : data / c.start;
        EXPECT_EQ(paths(scanMeterFolder(start)), c.expected) << c.start;
    }
}

TEST_F(MeterFolderScanTest, NamesThatCannotStandInTheTableAreReportedNotAdded) {
    MeterFolderScan scan = scanMeterFolder(data);
    EXPECT_EQ(scan.unusable, std::vector<std::string>{"SINGLE/20130407/CSV/bad,name.csv"});
    EXPECT_EQ(scan.files.back()[kColFileName], test::cp("屋上.csv"));
}

TEST(MeterFolderScan, FolderNamesMatchInAnyCaseAndAreWrittenInUpperCase) {
    test::TempDir dir;
    for (const char* f : {"card/single/20130405/csv/s1.CSV", "card/Multi/20130405/Csv/m1.csv"}) {
        fs::create_directories((dir / f).parent_path());
        test::writeFile(dir / f, "x");
    }
    for (const char* start : {"card", "card/single", "card/single/20130405", "card/single/20130405/csv"}) {
        MeterFolderScan scan = scanMeterFolder(dir / start);
        ASSERT_FALSE(scan.files.empty()) << start;
        const LocationTableRow& last = scan.files.back();
        EXPECT_EQ(last[kColDataType] + "/" + last[kColDate] + "/" + last[kColFileType] + "/" + last[kColFileName],
                  "SINGLE/20130405/CSV/s1.CSV")
            << start;
    }
    EXPECT_EQ(scanMeterFolder(dir / "card").files.front()[kColDataType], "MULTI");
}

// A card as the meter fills it: SINGLE and MULTI measurements numbered in the order
// they were taken, over two days. NO follows that order.
TEST(MeterFolderScan, SingleAndMultiFilesMixInTheMetersMemoryOrder) {
    test::TempDir dir;
    for (const char* f :
         {"SINGLE/20260412/CSV/S0001.csv", "MULTI/20260412/CSV/M0002.csv", "MULTI/20260412/CSV/M0003.csv",
          "SINGLE/20260412/CSV/S0004.csv", "MULTI/20260413/CSV/M0005.CSV", "SINGLE/20260413/CSV/S0010.csv",
          "SINGLE/20260413/CSV/S0009.csv"}) {
        fs::create_directories((dir / f).parent_path());
        test::writeFile(dir / f, "x");
    }
    std::vector<std::string> names;
    for (const LocationTableRow& r : rowsNotYetListed({}, scanMeterFolder(dir.path()).files))
        names.push_back(r[kColNo] + " " + r[kColFileName]);
    EXPECT_EQ(names, (std::vector<std::string>{"1 S0001.csv", "2 M0002.csv", "3 M0003.csv", "4 S0004.csv",
                                               "5 M0005.CSV", "6 S0009.csv", "7 S0010.csv"}));
}

TEST(RowsNotYetListed, SkipsRowsAlreadyPresentAndNumbersOn) {
    auto row = [](const char* no, const char* type, const char* date, const char* name, const char* p1 = "") {
        LocationTableRow r;
        r.field = {no, type, date, "CSV", name, p1, ""};
        return r;
    };
    std::vector<LocationTableRow> existing = {row("5", "SINGLE", "20130405", "a.csv", "1F"),
                                              row("9", "PNG", "20130405", "p.png")};
    std::vector<LocationTableRow> scanned = {
        row("", "SINGLE", "20130405", "a.csv"), row("", "SINGLE", "20130406", "a.csv"),
        row("", "MULTI", "20130405", "a.csv"), row("", "SINGLE", "20130405", "A.csv")};
    EXPECT_EQ(
        rowsNotYetListed(existing, scanned),
        (std::vector<LocationTableRow>{row("3", "SINGLE", "20130406", "a.csv"), row("4", "MULTI", "20130405", "a.csv"),
                                       row("5", "SINGLE", "20130405", "A.csv")}));
    EXPECT_TRUE(rowsNotYetListed(scanned, scanned).empty());
}

TEST(NaturalLess, OrdersDigitRunsByValue) {
    struct Case {
        const char* a;
        const char* b;
        bool less;
    };
    const Case cases[] = {
        {"2.csv", "10.csv", true},  {"10.csv", "2.csv", false},  {"file9", "file10", true},
        {"a", "b", true},           {"abc", "abcd", true},       {"20130405", "20130406", true},
        {"007.csv", "7.csv", true}, {"7.csv", "007.csv", false}, {"x.csv", "x.csv", false},
        {"MULTI", "SINGLE", true},
    };
    for (const Case& c : cases) EXPECT_EQ(naturalLess(c.a, c.b), c.less) << c.a << " < " << c.b;
}

}  // namespace
}  // namespace mireva
