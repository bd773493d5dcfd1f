// The chart window: "画像を保存" as PNG or SVG through the file dialog seam, its
// failures, and "印刷" through the print dialog.
#include <QImage>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

#include <gtest/gtest.h>

#include "charts/ui/level_chart_window.h"
#include "support/scripted_dialogs.h"
#include "support/test_support.h"

namespace mireva::ui {
namespace {

using test::cp;

LevelChartModel chart() {
    StandardValues s;
    s.fill("0.0");
    s[kStdUhf] = "60";
    return buildLevelChart(3, cp("2F201号室"), 0, {{0, "65.1"}, {5, "58"}}, s, {});
}

QString q(const std::filesystem::path& p) { return QString::fromStdString(p.string()); }

TEST(LevelChartWindow, SavesPngOrSvgByTheChosenName) {
    test::TempDir dir;
    test::ScriptedDialogs dialogs;
    LevelChartWindow window;
    window.setModel(chart());
    ASSERT_TRUE(window.saveButton()->isEnabled());

    dialogs.paths = {q(dir / "a.png"), q(dir / "b.SVG"), q(dir / "c"), QString()};
    for (int i = 0; i < 4; ++i) window.saveButton()->click();
    ASSERT_EQ(dialogs.fileRequests.size(), 4u);
    EXPECT_EQ(dialogs.fileRequests[0].kind, FileDialogRequest::Kind::SaveFile);
    EXPECT_EQ(dialogs.fileRequests[0].initial, QStringLiteral("0003_UHF.png"));
    EXPECT_TRUE(dialogs.fileRequests[0].filter.contains(QStringLiteral("*.svg")));
    EXPECT_TRUE(dialogs.messages.empty());

    QImage png;
    ASSERT_TRUE(png.load(q(dir / "a.png"), "PNG"));
    EXPECT_EQ(png.size(), QSize(640, 480));
    EXPECT_NE(test::readFile(dir / "b.SVG").find("<svg"), std::string::npos);
    // A name without an extension becomes a PNG file.
    EXPECT_TRUE(png.load(q(dir / "c.png"), "PNG"));
    EXPECT_FALSE(std::filesystem::exists(dir / "c"));
}

TEST(LevelChartWindow, SaveFailureIsToldAndAnEmptyChartOffersNothing) {
    test::TempDir dir;
    test::writeFile(dir / "file", "x");
    test::ScriptedDialogs dialogs;
    LevelChartWindow window;
    window.setModel(chart());
    dialogs.paths = {q(dir / "file" / "a.png")};
    window.saveButton()->click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith(QStringLiteral("画像を保存できませんでした。\n")));
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Error);

    window.setModel(buildLevelChart(1, "P1", 0, {{0, cp("－")}}, {}, {}));
    EXPECT_FALSE(window.saveButton()->isEnabled());
    EXPECT_FALSE(window.printButton()->isEnabled());
}

TEST(LevelChartWindow, PrintsOneLandscapePage) {
    test::TempDir dir;
    test::ScriptedDialogs dialogs;
    LevelChartWindow window;
    window.setModel(chart());
    const std::filesystem::path pdf = dir / "chart.pdf";
    bool accept = false;
    LevelChartWindow::setPrintDialogHook([&](QPrintDialog& dialog) {
        dialog.printer()->setOutputFormat(QPrinter::PdfFormat);
        dialog.printer()->setOutputFileName(q(pdf));
        return accept;
    });
    window.printButton()->click();
    EXPECT_FALSE(std::filesystem::exists(pdf));  // cancelled
    accept = true;
    window.printButton()->click();
    LevelChartWindow::setPrintDialogHook({});
    ASSERT_TRUE(std::filesystem::exists(pdf));
    const std::string bytes = test::readFile(pdf);
    EXPECT_EQ(bytes.rfind("%PDF", 0), 0u);
    EXPECT_NE(bytes.find("/Count 1"), std::string::npos);
    EXPECT_TRUE(dialogs.messages.empty());
}

}  // namespace
}  // namespace mireva::ui
