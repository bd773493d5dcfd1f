// mireva-cli chart on the bundled sample site: one picture per place and band tab
// holding levels, named after both, drawn as the program draws it; options and
// failures.
#include <QImage>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "charts/level_chart_model.h"
#include "charts/ui/level_chart_image.h"
#include "charts/ui/level_chart_renderer.h"
#include "core/worksheet_document.h"
#include "settings/settings_file.h"
#include "support/test_support.h"
#include "support/worksheet_fixture.h"

namespace mireva {
namespace {

namespace fs = std::filesystem;

int runCli(const std::string& arguments) {
    const std::string command =
        std::string(MIREVA_BINARY_DIR) + "/src/cli/mireva-cli " + arguments + " >/dev/null 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string quoted(const fs::path& p) { return "'" + p.string() + "'"; }

std::set<std::string> filesIn(const fs::path& folder) {
    std::set<std::string> names;
    if (fs::is_directory(folder))
        for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
    return names;
}

class ChartCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        worksheetPath = dir / "w.csv";
        ASSERT_EQ(runCli("aggregate --table " + quoted(test::sourcePath("samples/site/list.csv")) + " --data " +
                         quoted(test::sourcePath("samples/site/data")) + " --out " + quoted(worksheetPath)),
                  0);
        ASSERT_TRUE(worksheet.load(worksheetPath));
        settings = test::sourcePath("samples/site/Mireva.ini");
    }
    std::string base(const fs::path& out) const {
        return "chart --worksheet " + quoted(worksheetPath) + " --out " + quoted(out) + " --settings " +
               quoted(settings);
    }

    test::TempDir dir;
    fs::path worksheetPath, settings;
    WorksheetDocument worksheet;
};

TEST_F(ChartCommandTest, OnePicturePerPlaceAndBandHoldingLevels) {
    const fs::path out = dir / "charts" / "all";  // created with its parent
    ASSERT_EQ(runCli(base(out)), 0);

    std::set<std::string> expected;
    for (int p = 0; p < worksheet.placeCount(); ++p)
        for (int tab = 0; tab < kBandTabCount; ++tab)
            for (const ChannelLevel& level : bandLevelsOfLine(worksheet.line(p, BlockRow::Level), tab))
                if (holdsLevel(level.text)) expected.insert(levelChartFileName(p + 1, tab, "png"));
    ASSERT_FALSE(expected.empty());
    EXPECT_TRUE(expected.count("0001_UHF.png"));
    EXPECT_EQ(filesIn(out), expected);

    // The same drawing as the program's for the same place, band and settings.
    ReportSettings s;
    SettingsFile(settings).readStandardValues(s);
    SettingsFile(settings).readBroadcasterNames(s);
    const std::string& line = worksheet.line(0, BlockRow::Level);
    const LevelChartModel chart =
        buildLevelChart(1, placeNameOf(line), 0, bandLevelsOfLine(line, 0), s.standardValues, s.broadcasterNames);
    ASSERT_FALSE(chart.standards.empty());
    const QByteArray drawn = ui::encodeLevelChart(chart, ui::ChartImageFormat::Png);
    EXPECT_EQ(test::readFile(out / "0001_UHF.png"), std::string(drawn.constData(), static_cast<size_t>(drawn.size())));
    QImage written;
    ASSERT_TRUE(written.load(QString::fromStdString((out / "0001_UHF.png").string()), "PNG"));
    EXPECT_EQ(written.size(), ui::levelChartImageSize(chart));
}

TEST_F(ChartCommandTest, OneBandAndSvg) {
    ASSERT_EQ(runCli(base(dir / "uhf") + " --band uhf"), 0);
    const std::set<std::string> uhf = filesIn(dir / "uhf");
    ASSERT_FALSE(uhf.empty());
    for (const std::string& name : uhf) EXPECT_NE(name.find("_UHF.png"), std::string::npos) << name;

    ASSERT_EQ(runCli(base(dir / "svg") + " --band " + quoted("地デジ") + " --format svg"), 0);
    std::set<std::string> svg;
    for (std::string name : uhf) svg.insert(name.replace(name.size() - 3, 3, "svg"));
    EXPECT_EQ(filesIn(dir / "svg"), svg);
    EXPECT_NE(test::readFile(dir / "svg" / *svg.begin()).find("<svg"), std::string::npos);
}

TEST_F(ChartCommandTest, UsageAndFailures) {
    test::writeFile(dir / "file", "x");
    test::writeFile(dir / "empty.csv", test::makeWorksheet(2));
    const std::string w = " --worksheet " + quoted(worksheetPath);
    struct Case {
        std::string arguments;
        int status;
    } cases[] = {
        {"chart" + w, 2},
        {"chart --out " + quoted(dir / "o"), 2},
        {base(dir / "o") + " --band BS", 2},
        {base(dir / "o") + " --format jpeg", 2},
        {"chart --worksheet " + quoted(dir / "none.csv") + " --out " + quoted(dir / "o"), 2},
        {"chart" + w + " --out " + quoted(dir / "o") + " --settings " + quoted(dir / "none.ini"), 2},
        {base(dir / "file" / "o"), 1},  // not a folder
        {"chart --worksheet " + quoted(dir / "empty.csv") + " --out " + quoted(dir / "o") + " --settings " +
             quoted(settings),
         1},  // nothing to draw
        {base(dir / "o") + " --band PILOT", 2},
        {base(dir / "o") + " --band 4", 1},  // the sample holds no CATV上り level
        {"chart --help", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(runCli(c.arguments), c.status) << c.arguments;
    EXPECT_TRUE(filesIn(dir / "o").empty());
}

}  // namespace
}  // namespace mireva
