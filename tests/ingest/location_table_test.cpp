#include "ingest/location_table.h"

#include <gtest/gtest.h>

#include <random>

#include "core/text.h"
#include "support/test_support.h"

namespace mireva {
namespace {

using test::cp;

// The sample table: two places on 1F, a PNG entry, a line without a place.
const char kTable[] =
    "NO,DATA_TYPE,DATE,FILE_TYPE,FILE_NAME,PLACEMENT1,PLACEMENT2\r\n"
    "1,SINGLE,20130405,CSV,a.csv,1F,101\r\n"
    "2,SINGLE,20130405,CSV,b.csv,1F,102\r\n"
    "3,MULTI,20130405,CSV,c.csv,1F,101\r\n"
    "4,PNG,20130405,PNG,d.png,1F,101\r\n"
    "5,SINGLE,20130405,CSV,e.csv,,\r\n";

std::vector<PlaceItems> allPlaces(LocationTable& table) {
    std::vector<PlaceItems> places;
    PlaceItems place;
    while (table.nextPlace(place)) places.push_back(place);
    return places;
}

TEST(LocationTable, PlacesInOrderOfTheirFirstLine) {
    LocationTable table;
    table.parse(kTable);
    std::vector<PlaceItems> places = allPlaces(table);
    ASSERT_EQ(places.size(), 2u);
    EXPECT_EQ(places[0].name, "1F101");
    EXPECT_EQ(places[0].numbers, (std::vector<int>{1, 3, 4}));
    EXPECT_EQ(places[1].name, "1F102");
    EXPECT_EQ(places[1].numbers, (std::vector<int>{2}));
    PlaceItems after;
    EXPECT_FALSE(table.nextPlace(after));  // stays exhausted
}

TEST(LocationTable, ResolveItemPath) {
    LocationTable table;
    table.parse(std::string(kTable) + "6,single,20130405,CSV,f.csv,2F,201\r\n" +
                "7,MULTI,20130405,csv,g.csv,2F,201\r\n" + "8,DATALOGGER_MULTI,20130405,CSV_LOG,h.csv,2F,201\r\n");
    struct Case {
        int no;
        std::string relative;
        bool skip;
    } cases[] = {
        {1, "SINGLE/20130405/CSV/a.csv", false},
        {3, "MULTI/20130405/CSV/c.csv", false},
        {4, "PNG/20130405/PNG/d.png", true},
        {6, "single/20130405/CSV/f.csv", true},                 // the kind test is case-sensitive
        {7, "MULTI/20130405/csv/g.csv", true},                  // and so is the CSV test
        {8, "DATALOGGER_MULTI/20130405/CSV_LOG/h.csv", false},  // containment tests
        {99, "", false},                                        // no such line
        {0, "", false},
        {100001, "", false},
    };
    for (const Case& c : cases) {
        ItemPath p = table.resolveItemPath(c.no);
        EXPECT_EQ(p.relative, c.relative) << "NO " << c.no;
        EXPECT_EQ(p.skip, c.skip) << "NO " << c.no;
    }
    EXPECT_EQ(table.resolveItemPath(1).components, (std::vector<std::string>{"SINGLE", "20130405", "CSV", "a.csv"}));
}

TEST(LocationTable, ADuplicatedNoIsSkippedWhenAnyOfItsLinesIsNotAggregatable) {
    struct Case {
        std::vector<const char*> lines;
        std::string relative;  // the last line's path
        bool skip;
    } cases[] = {
        {{"1,PNG,20130405,PNG,d.png,1F,101", "1,SINGLE,20130405,CSV,a.csv,1F,101"}, "SINGLE/20130405/CSV/a.csv", true},
        {{"1,SINGLE,20130405,CSV,a.csv,1F,101", "1,PNG,20130405,PNG,d.png,1F,101"}, "PNG/20130405/PNG/d.png", true},
        {{"1,SINGLE,20130405,CSV,a.csv,1F,101", "2,PNG,20130405,PNG,d.png,1F,101", "1,MULTI,20130405,CSV,b.csv,1F,101"},
         "MULTI/20130405/CSV/b.csv",
         false},
        {{"1,SINGLE,20130405,CSV,a.csv,1F,101", "1,MULTI,20130405,MP4,b.mp4,1F,101", "1,MULTI,20130405,CSV,c.csv,,"},
         "MULTI/20130405/CSV/c.csv",
         true},
    };
    for (const Case& c : cases) {
        std::string content = "NO,DATA_TYPE,DATE,FILE_TYPE,FILE_NAME,PLACEMENT1,PLACEMENT2\r\n";
        for (const char* line : c.lines) content += std::string(line) + "\r\n";
        LocationTable table;
        table.parse(content);
        const ItemPath p = table.resolveItemPath(1);
        EXPECT_EQ(p.relative, c.relative) << content;
        EXPECT_EQ(p.skip, c.skip) << content;
    }
    // A new table starts with no verdicts left from the previous one.
    LocationTable table;
    table.parse("H\r\n1,PNG,d,PNG,d.png,1F,\r\n");
    table.parse("H\r\n1,SINGLE,d,CSV,a.csv,1F,\r\n");
    EXPECT_FALSE(table.resolveItemPath(1).skip);
}

TEST(LocationTable, OddLines) {
    // A duplicated NO: the first line takes it into its place, the last line decides the path.
    // NO outside 1..100000, non-numeric NO and blank lines are never taken. A line without the
    // PLACEMENT2 field joins the place whose PLACEMENT2 is empty. Fields are taken as written.
    LocationTable table;
    table.parse(
        cp("header\n"
           " 2x,SINGLE,d,CSV,first.csv,B1,\n"
           "0,SINGLE,d,CSV,zero.csv,B1,\n"
           "100001,SINGLE,d,CSV,big.csv,B1,\n"
           "abc,SINGLE,d,CSV,text.csv,B1,\n"
           "\n"
           "3,SINGLE,d,CSV,x.csv,B1\n"
           "2,MULTI,d,CSV,second.csv,屋上,\n"
           "4,SINGLE,d,CSV,y.csv, B1,\n"
           "100000,SINGLE,d,CSV,last.csv,屋上,東 ,extra,fields\n"));
    std::vector<PlaceItems> places = allPlaces(table);
    ASSERT_EQ(places.size(), 3u);
    EXPECT_EQ(places[0].name, "B1");
    EXPECT_EQ(places[0].numbers, (std::vector<int>{2, 3}));
    EXPECT_EQ(places[1].name, " B1");
    EXPECT_EQ(places[1].numbers, (std::vector<int>{4}));
    EXPECT_EQ(places[2].name, cp("屋上東 "));
    EXPECT_EQ(places[2].numbers, (std::vector<int>{100000}));
    EXPECT_EQ(table.resolveItemPath(2).relative, "MULTI/d/CSV/second.csv");
}

TEST(LocationTable, ReadingAgainStartsFromANewTable) {
    LocationTable table;
    table.parse(kTable);
    EXPECT_EQ(allPlaces(table).size(), 2u);
    table.parse("NO\r\n3,MULTI,d,CSV,z.csv,2F,201\r\n");
    std::vector<PlaceItems> places = allPlaces(table);
    ASSERT_EQ(places.size(), 1u);
    EXPECT_EQ(places[0].numbers, (std::vector<int>{3}));
    EXPECT_EQ(table.resolveItemPath(1).relative, "");
    EXPECT_EQ(table.resolveItemPath(3).relative, "MULTI/d/CSV/z.csv");
}

TEST(LocationTable, EmptyAndHeaderOnly) {
    for (const char* content : {"", "NO,DATA_TYPE\r\n", "NO,DATA_TYPE"}) {
        LocationTable table;
        table.parse(content);
        PlaceItems place;
        EXPECT_FALSE(table.nextPlace(place)) << content;
    }
}

TEST(LocationTable, LoadFailsOnMissingFile) {
    test::TempDir dir;
    LocationTable table;
    EXPECT_FALSE(table.load(dir / "none.csv"));
    test::writeFile(dir / "list.csv", kTable);
    EXPECT_TRUE(table.load(dir / "list.csv"));
    EXPECT_EQ(table.size(), 5u);
    EXPECT_EQ(table.item(3).fileName, "d.png");
    EXPECT_EQ(table.item(4).placement1, "");
}

// The table scanned from its first line again for every place and every item, with
// the used-line flags: the reference the in-memory resolution must agree with.
struct RereadingReference {
    std::vector<std::string> lines;
    std::vector<unsigned char> used = std::vector<unsigned char>(kMaxItemNumber, 0);

    static bool inRange(long long no) { return no >= 1 && no <= kMaxItemNumber; }

    // 0 with a place, 1 without; `end` raised when the table is exhausted.
    int nextPlace(std::vector<int>& list, std::string& name, bool& end) {
        list.clear();
        name.clear();
        std::string p1, p2;
        size_t i = 1;
        for (;; ++i) {
            if (i >= lines.size()) {
                end = true;
                break;
            }
            long long no = leadingInteger(fieldAt(lines[i], 0));
            if (!inRange(no) || used[no - 1]) continue;
            used[no - 1] = 1;
            p1 = fieldAt(lines[i], 5);
            p2 = fieldAt(lines[i], 6);
            if (!p1.empty()) {
                list.push_back(static_cast<int>(no));
                name = p1 + p2;
            }
            break;
        }
        if (list.empty()) return 1;
        for (size_t j = 1; j < lines.size(); ++j) {
            long long no = leadingInteger(fieldAt(lines[j], 0));
            if (!inRange(no) || used[no - 1]) continue;
            if (fieldAt(lines[j], 5) != p1 || fieldAt(lines[j], 6) != p2) continue;
            used[no - 1] = 1;
            list.push_back(static_cast<int>(no));
        }
        return 0;
    }

    ItemPath resolve(int no) const {
        ItemPath r;
        for (size_t i = 1; i < lines.size(); ++i) {
            if (leadingInteger(fieldAt(lines[i], 0)) != no) continue;
            std::string_view type = fieldAt(lines[i], 1), fileType = fieldAt(lines[i], 3);
            // Every line of the NO sets the verdict; the last one decides the path.
            if (!(contains(type, "SINGLE") || contains(type, "MULTI")) || !contains(fileType, "CSV")) r.skip = true;
            r.relative = std::string(type) + "/" + std::string(fieldAt(lines[i], 2)) + "/" + std::string(fileType) +
                         "/" + std::string(fieldAt(lines[i], 4));
        }
        return r;
    }
};

TEST(LocationTable, AgreesWithRereadingTheTableOnRandomTables) {
    std::mt19937 random(7);
    auto pick = [&](std::initializer_list<const char*> options) {
        return std::string(*(options.begin() + random() % options.size()));
    };
    for (int round = 0; round < 300; ++round) {
        std::string content = "NO,DATA_TYPE,DATE,FILE_TYPE,FILE_NAME,PLACEMENT1,PLACEMENT2\r\n";
        int lines = static_cast<int>(random() % 40);
        for (int i = 0; i < lines; ++i) {
            std::string no = pick({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "0", "-1", "x", " 4", "100000",
                                   "100001", "12", "13"});
            std::string line = no + "," + pick({"SINGLE", "MULTI", "PNG"}) + ",2013," + pick({"CSV", "PNG"}) + "," +
                               std::to_string(i) + ".csv";
            int fields = static_cast<int>(random() % 4);
            if (fields >= 1) line += "," + pick({"", "1F", "2F"});
            if (fields >= 2) line += "," + pick({"", "101", "102"});
            if (fields >= 3) line += ",rest";
            content += line + "\r\n";
        }
        RereadingReference ref;
        for (std::string_view l : splitLines(content)) ref.lines.emplace_back(l);
        LocationTable table;
        table.parse(content);

        std::vector<std::vector<int>> expected;
        std::vector<std::string> expectedNames;
        bool end = false;
        for (int guard = 0; !end && guard < 1000; ++guard) {
            std::vector<int> list;
            std::string name;
            if (ref.nextPlace(list, name, end) == 0) {
                expected.push_back(list);
                expectedNames.push_back(name);
            }
        }
        std::vector<PlaceItems> places = allPlaces(table);
        ASSERT_EQ(places.size(), expected.size()) << content;
        for (size_t p = 0; p < places.size(); ++p) {
            EXPECT_EQ(places[p].numbers, expected[p]) << content;
            EXPECT_EQ(places[p].name, expectedNames[p]) << content;
            for (int no : places[p].numbers) {
                EXPECT_EQ(table.resolveItemPath(no).relative, ref.resolve(no).relative) << content;
                EXPECT_EQ(table.resolveItemPath(no).skip, ref.resolve(no).skip) << content;
            }
        }
    }
}

}  // namespace
}  // namespace mireva
