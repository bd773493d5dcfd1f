// One chart drawn as a PNG file: its size, where the standard line lies against the
// bars, and the bars' colours.
#include <QImage>

#include <gtest/gtest.h>

#include "charts/ui/level_chart_image.h"
#include "charts/ui/level_chart_renderer.h"
#include "support/test_support.h"

namespace mireva::ui {
namespace {

using test::cp;

LevelChartModel threeBars() {
    StandardValues s;
    s.fill("0.0");
    s[kStdUhf] = "60";
    BroadcasterNameList names;
    names[1] = cp("第二放送");
    // The levels are views: the text they look at has to outlive them.
    const std::string dash = cp("－");
    const std::vector<ChannelLevel> levels = {{0, "40"}, {1, "60"}, {2, "80"}, {3, dash}};
    return buildLevelChart(1, cp("1F101号室"), 0, levels, s, names);
}

// Rows of column x whose pixel has colour c, top to bottom.
std::vector<int> rowsOf(const QImage& image, int x, const QColor& c) {
    std::vector<int> rows;
    for (int y = 0; y < image.height(); ++y)
        if (image.pixelColor(x, y) == c) rows.push_back(y);
    return rows;
}

TEST(LevelChartRenderer, PngSizeStandardLineAndBarColours) {
    test::TempDir dir;
    const LevelChartModel model = threeBars();
    ASSERT_TRUE(writeLevelChart(model, dir / "c.png", ChartImageFormat::Png));
    QImage image;
    ASSERT_TRUE(image.load(QString::fromStdString((dir / "c.png").string()), "PNG"));
    EXPECT_EQ(image.size(), QSize(640, 480));
    EXPECT_EQ(image.size(), levelChartImageSize(model));

    const LevelChartLayout layout = levelChartLayout(QRectF(0, 0, 640, 480), model);
    const QColor line = toQColor(kStandardLineColour);
    const QColor below = toQColor(kBelowStandardBarColour);
    const QColor normal = toQColor(kLevelBarColour);

    // Between the first two bars the line is the only thing of its colour: two rows
    // at the height of 60 dBμV.
    const std::vector<int> lineRows = rowsOf(image, static_cast<int>(layout.slotLeft(1)), line);
    ASSERT_EQ(lineRows.size(), 2u);
    EXPECT_EQ(lineRows[1] - lineRows[0], 1);
    const int lineRow = static_cast<int>(std::lround(layout.yOf(60)));
    EXPECT_EQ(lineRows[1], lineRow);
    EXPECT_GT(lineRow, layout.plot.top());
    EXPECT_LT(lineRow, layout.plot.bottom());

    // The bar at the standard value reaches the line; the one above it passes it in the
    // ordinary colour, the one below stays under it. Both at or below are orange-red.
    const auto barRows = [&](int bar, const QColor& c) {
        return rowsOf(image, static_cast<int>(layout.slotLeft(bar) + layout.slot / 2), c);
    };
    const std::vector<int> at = barRows(1, below), low = barRows(0, below), high = barRows(2, normal);
    ASSERT_FALSE(at.empty());
    ASSERT_FALSE(low.empty());
    ASSERT_FALSE(high.empty());
    EXPECT_LE(std::abs(at.front() - lineRow), 1);
    EXPECT_GT(low.front(), lineRow + 10);
    EXPECT_LT(high.front(), lineRow - 10);
    EXPECT_TRUE(barRows(2, below).empty());
    // Every bar stands on the same baseline, the level 0.
    EXPECT_EQ(at.back(), low.back());
    EXPECT_EQ(at.back(), high.back());
    EXPECT_NEAR(at.back(), layout.yOf(0), 1.5);
}

TEST(LevelChartRenderer, WideBandsGetWiderPicturesAndSvgIsVectorText) {
    StandardValues s;
    s.fill("65");
    std::vector<std::string> texts;
    for (int c = 90; c < 240; ++c) texts.push_back(std::to_string(50 + c % 30) + ".5");
    std::vector<ChannelLevel> levels;
    for (int c = 90; c < 240; ++c) levels.push_back({c, texts[static_cast<size_t>(c - 90)]});
    const LevelChartModel catv = buildLevelChart(2, "P2", 2, levels, s, {});
    const QSize size = levelChartImageSize(catv);
    EXPECT_EQ(size.height(), 480);
    EXPECT_EQ(size.width(), 2400);  // the widest picture; 150 bars still fit upright labels
    EXPECT_EQ(levelChartImage(catv).size(), size);

    const QByteArray svg = encodeLevelChart(catv, ChartImageFormat::Svg);
    ASSERT_FALSE(svg.isEmpty());
    EXPECT_TRUE(svg.contains("<svg"));
    EXPECT_TRUE(svg.contains("width=\"2400"));
    EXPECT_TRUE(svg.contains(QStringLiteral("基準値").toUtf8()));
}

TEST(LevelChartRenderer, WritingIntoAMissingFolderFails) {
    test::TempDir dir;
    test::writeFile(dir / "file", "x");
    std::string error;
    EXPECT_FALSE(writeLevelChart(threeBars(), dir / "file" / "c.png", ChartImageFormat::Png, &error));
    EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace mireva::ui
