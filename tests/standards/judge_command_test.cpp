#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/channel_catalog.h"
#include "core/worksheet_document.h"
#include "support/test_support.h"

namespace mireva {
namespace {
using test::cp;

struct CliRun {
    int status;
    std::string out;
};

CliRun runCli(const std::string& arguments) {
    std::string command = std::string(MIREVA_BINARY_DIR) + "/src/cli/mireva-cli judge " + arguments + " 2>/dev/null";
    CliRun run{-1, {}};
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, n);
    int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

// Two places; the second has CATV channel "C13" (index 93) at 30 and channel 0 at "－".
std::string worksheetBytes() {
    WorksheetDocument doc;
    doc.hasHeader1 = doc.hasHeader2 = true;
    for (const char* name : {"1F", "2F-201"}) {
        for (int row = 0; row < kRowsPerPlace; ++row) {
            std::string line = "d,t," + cp(name) + cp(row == 2 ? ":レベル" : ":周波数") + ",m,o";
            for (int c = 0; c < kChannelCount; ++c)
                line += "," + (row == 2 && c == 93 && name[0] == '2' ? std::string("30") : cp("－"));
            doc.lines.push_back(line);
        }
    }
    return doc.serialize();
}

class JudgeCommand : public ::testing::Test {
protected:
    test::TempDir dir;
    std::string worksheet = (dir / "worksheet.csv").string();
    std::string settings = (dir / "Mireva.ini").string();
    void SetUp() override {
        test::writeFile(worksheet, worksheetBytes());
        test::writeFile(settings, "[StandardValue]\r\nCATV=30\r\n");
    }
};

TEST_F(JudgeCommand, WritesTheListToStandardOutputOrToAFile) {
    const std::string expected = cp("測定場所,帯域,チャンネル,レベル\r\n2F-201:レベル,CATV,C13,30\r\n");
    CliRun run = runCli("--worksheet " + worksheet + " --settings " + settings);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, expected);

    std::string out = (dir / "below.csv").string();
    test::writeFile(out, "old");
    run = runCli("--worksheet " + worksheet + " --settings " + settings + " --out " + out);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(test::readFile(out), expected);
}

// The bundled sample site with its settings file, as the README shows it.
TEST(JudgeCommandOnTheSample, ListsTheSampleLevelsBelowItsStandardValues) {
    const std::string worksheet = test::sourcePath("tests/cli/expected/sample_worksheet.csv").string();
    const std::string settings = test::sourcePath("samples/site/Mireva.ini").string();
    const std::string before = test::readFile(settings);
    CliRun run = runCli("--worksheet " + worksheet + " --settings " + settings);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, cp("測定場所,帯域,チャンネル,レベル\r\n"
                          "1F102:レベル,地デジ,13,58.1\r\n1F102:レベル,地デジ,16,57.3\r\n"
                          "1F102:レベル,地デジ,20,59.8\r\n1F102:レベル,地デジ,23,58.8\r\n"
                          "1F102:レベル,地デジ,24,57.9\r\n1F102:レベル,地デジ,26,55.0\r\n"
                          "1F102:レベル,地デジ,27,56.4\r\n2F202:レベル,地デジ,27,59.4\r\n"));
    EXPECT_EQ(test::readFile(settings), before) << "judging must not rewrite the settings file";
}

TEST_F(JudgeCommand, DefaultSettingsComeFromTheDataFolder) {
    // TempDir is $XDG_DATA_HOME: no Mireva.ini there, so every standard value is 0.0.
    CliRun run = runCli("--worksheet " + worksheet);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, cp("測定場所,帯域,チャンネル,レベル\r\n"));
}

TEST_F(JudgeCommand, RefusesMissingInputsAndReportsAFailedWrite) {
    struct Case {
        std::string arguments;
        int status;
    } cases[] = {
        {"", 2},
        {"--worksheet", 2},
        {"--worksheet " + worksheet + " --bogus", 2},
        {"--worksheet " + (dir / "none.csv").string(), 2},
        {"--worksheet " + worksheet + " --settings " + (dir / "none.ini").string(), 2},
        {"--worksheet " + worksheet + " --settings /proc/self/mem", 2},  // opens, cannot be read
        {"--worksheet " + worksheet + " --settings " + worksheet + "/Mireva.ini", 2},
        {"--worksheet " + worksheet + " --settings " + settings + " --out " + (dir / "no" / "x.csv").string(), 1},
    };
    for (const Case& c : cases) EXPECT_EQ(runCli(c.arguments).status, c.status) << c.arguments;
    EXPECT_FALSE(std::filesystem::exists(dir / "none.ini"));
}

}  // namespace
}  // namespace mireva
