// The archive the workbook is stored in, read back by an independent reader and by
// the system's unzip.
#include "excel/zip_writer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <random>

#include "support/test_support.h"
#include "excel/support/zip_reader.h"

namespace mireva::excel {
namespace {

std::string randomBytes(size_t n, unsigned seed) {
    std::mt19937 random(seed);
    std::string s(n, '\0');
    for (char& c : s) c = static_cast<char>(random() & 0xFF);
    return s;
}

std::string repetitiveXml(size_t rows) {
    std::string s = "<sheetData>";
    for (size_t r = 1; r <= rows; ++r)
        s += "<row r=\"" + std::to_string(r) + "\"><c r=\"A" + std::to_string(r) +
             "\" s=\"12\" t=\"inlineStr\"><is><t>測定場所</t></is></c></row>";
    return s + "</sheetData>";
}

struct Case {
    const char* what;
    std::vector<std::pair<std::string, std::string>> entries;
};

TEST(ZipWriter, EntriesReadBackAsWritten) {
    const std::vector<Case> cases = {
        {"no entry", {}},
        {"an empty entry", {{"empty.xml", ""}}},
        {"the package's names",
         {{"[Content_Types].xml", "<Types/>"}, {"_rels/.rels", "<Relationships/>"}, {"xl/worksheets/sheet1.xml", "x"}}},
        {"a Japanese name", {{"シート/統合.xml", "日本語の内容"}}},
        {"incompressible data", {{"random.bin", randomBytes(1 << 20, 7)}}},
        {"several megabytes of sheet XML", {{"big.xml", repetitiveXml(60000)}, {"small.xml", "<a/>"}}},
    };
    for (int level : {1, 9}) {
        for (const Case& c : cases) {
            std::string archive;
            ZipWriter zip([&](std::string_view bytes) {
                archive.append(bytes);
                return true;
            });
            for (const auto& [name, content] : c.entries) ASSERT_TRUE(zip.add(deflateEntry(name, content, level)));
            ASSERT_TRUE(zip.finish()) << c.what;
            EXPECT_EQ(zip.bytesWritten(), archive.size());
            const test::ZipContents back = test::readZipBytes(archive);
            ASSERT_EQ(back.error, "") << c.what;
            EXPECT_EQ(back.entries.size(), c.entries.size()) << c.what;
            for (const auto& [name, content] : c.entries) {
                ASSERT_TRUE(back.entries.count(name)) << c.what << " " << name;
                EXPECT_TRUE(back.entries.at(name) == content) << c.what << " " << name;
            }
        }
    }
}

TEST(ZipWriter, TheSystemUnzipAcceptsTheArchive) {
    test::TempDir dir;
    const auto path = dir / "a.zip";
    std::ofstream out(path, std::ios::binary);
    ZipWriter zip([&](std::string_view bytes) { return static_cast<bool>(out.write(bytes.data(), bytes.size())); });
    ASSERT_TRUE(zip.add(deflateEntry("xl/workbook.xml", repetitiveXml(2000), 1)));
    ASSERT_TRUE(zip.add(deflateEntry("random.bin", randomBytes(100000, 3), 1)));
    ASSERT_TRUE(zip.finish());
    out.close();
    const std::string command = "unzip -tq '" + path.string() + "' >/dev/null 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0);
}

// A sink that fails (a full disk) stops the archive: the entry being added and every
// later call report the failure.
TEST(ZipWriter, AFailingSinkStopsTheArchive) {
    size_t room = 5000;
    ZipWriter zip([&](std::string_view bytes) {
        if (bytes.size() > room) return false;
        room -= bytes.size();
        return true;
    });
    EXPECT_TRUE(zip.add(deflateEntry("a.xml", "<a/>", 1)));
    EXPECT_FALSE(zip.add(deflateEntry("b.bin", randomBytes(20000, 1), 1)));
    EXPECT_FALSE(zip.error().empty());
    EXPECT_FALSE(zip.add(deflateEntry("c.xml", "<c/>", 1)));
    EXPECT_FALSE(zip.finish());
}

}  // namespace
}  // namespace mireva::excel
