// The main window's placement: the per-user file that keeps it, how a saved placement
// is put back on the screens present, and how the window grows for the main panel.
#include <QCloseEvent>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>

#include <gtest/gtest.h>

#include "app/main_window.h"
#include "app/window_placement.h"
#include "support/scripted_dialogs.h"
#include "support/test_support.h"

namespace mireva::ui {
namespace {

using test::TempDir;

TEST(WindowPlacementFile, IsTheProgramsOwnPerUserFile) {
    TempDir dir;
    EXPECT_EQ(windowPlacementFile(), QString::fromStdString((dir / "config" / "mireva" / "window.ini").string()));
}

TEST(WindowPlacementFile, KeepsWhatWasSavedAndRefusesDamagedFiles) {
    TempDir dir;
    const QString file = QString::fromStdString((dir / "sub" / "window.ini").string());
    EXPECT_FALSE(loadWindowPlacement(file).has_value());  // nothing saved yet

    const WindowPlacement saved{QRect(-20, 35, 1100, 640), true};
    std::string error;
    ASSERT_TRUE(saveWindowPlacement(file, saved, &error)) << error;
    EXPECT_EQ(loadWindowPlacement(file), saved);

    struct Case {
        const char* what;
        const char* content;
    } damaged[] = {
        {"no height", "x=1\ny=2\nwidth=300\n"},
        {"zero width", "x=1\ny=2\nwidth=0\nheight=200\n"},
        {"not a number", "x=1\ny=2\nwidth=3OO\nheight=200\n"},
        {"beyond any screen", "x=1\ny=2\nwidth=300\nheight=99999999999\n"},
        {"empty", ""},
    };
    for (const Case& c : damaged) {
        test::writeFile(dir / "sub" / "window.ini", c.content);
        EXPECT_FALSE(loadWindowPlacement(file).has_value()) << c.what;
    }
    test::writeFile(dir / "sub" / "window.ini", "[MainWindow]\r\nx=5\r\ny=6\r\nwidth=700\r\nheight=400\r\n");
    EXPECT_EQ(loadWindowPlacement(file), (WindowPlacement{QRect(5, 6, 700, 400), false}));
}

TEST(PlaceOnScreens, BringsASavedRectangleOntoAScreenThatIsPresent) {
    const QRect primary(0, 0, 1366, 728);
    const QRect second(1366, 0, 1920, 1040);
    struct Case {
        const char* what;
        QRect saved;
        QList<QRect> screens;
        QRect expected;
    } cases[] = {
        {"inside the screen", QRect(100, 50, 800, 500), {primary}, QRect(100, 50, 800, 500)},
        {"over the right edge", QRect(1000, 50, 800, 500), {primary}, QRect(566, 50, 800, 500)},
        {"above the top", QRect(100, -300, 800, 500), {primary}, QRect(100, 0, 800, 500)},
        {"larger than the screen", QRect(-50, -50, 2000, 1200), {primary}, QRect(0, 0, 1366, 728)},
        {"on the second screen", QRect(1500, 100, 1200, 700), {primary, second}, QRect(1500, 100, 1200, 700)},
        {"mostly on the second screen", QRect(1200, 100, 1200, 700), {primary, second}, QRect(1366, 100, 1200, 700)},
        {"on a screen no longer present", QRect(1500, 100, 1200, 700), {primary}, QRect(83, 14, 1200, 700)},
    };
    for (const Case& c : cases) EXPECT_EQ(placeOnScreens(c.saved, c.screens), c.expected) << c.what;
}

TEST(GrowFrameWithin, GrowsAroundTheCentreInsideTheScreenOrMaximizes) {
    const QRect screen(0, 0, 1366, 728);
    struct Case {
        const char* what;
        QRect frame;
        QSize growth;
        GrownFrame expected;
    } cases[] = {
        {"room on both sides", QRect(323, 139, 720, 450), QSize(300, 0), {QRect(173, 139, 1020, 450), false}},
        {"near the left edge", QRect(10, 139, 720, 450), QSize(300, 0), {QRect(0, 139, 1020, 450), false}},
        {"near the bottom", QRect(323, 400, 720, 300), QSize(0, 100), {QRect(323, 328, 720, 400), false}},
        {"wider than the screen", QRect(323, 139, 720, 450), QSize(700, 0), {QRect(323, 139, 720, 450), true}},
        {"nothing to grow", QRect(323, 139, 720, 450), QSize(0, 0), {QRect(323, 139, 720, 450), false}},
    };
    for (const Case& c : cases) {
        const GrownFrame got = growFrameWithin(c.frame, c.growth, screen);
        EXPECT_EQ(got.frame, c.expected.frame) << c.what;
        EXPECT_EQ(got.maximize, c.expected.maximize) << c.what;
    }
}

TEST(MainWindowPlacement, ClosingKeepsThePlacementAndTheNextStartRestoresIt) {
    TempDir dir;
    test::ScriptedDialogs dialogs;
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect chosen(available.x() + 40, available.y() + 60, 600, 420);
    {
        MainWindow window;
        window.show();
        window.setGeometry(chosen);
        ASSERT_TRUE(window.close());
    }
    EXPECT_EQ(loadWindowPlacement(windowPlacementFile()), (WindowPlacement{chosen, false}));
    {
        MainWindow window;
        EXPECT_EQ(window.geometry(), chosen);
        EXPECT_FALSE(window.windowState() & Qt::WindowMaximized);
    }

    // A maximized window comes back maximized, with its normal placement kept.
    ASSERT_TRUE(saveWindowPlacement(windowPlacementFile(), {chosen, true}));
    MainWindow window;
    EXPECT_TRUE(window.windowState() & Qt::WindowMaximized);
    window.show();
    EXPECT_TRUE(window.isMaximized());
    ASSERT_TRUE(window.close());
    EXPECT_EQ(loadWindowPlacement(windowPlacementFile()), (WindowPlacement{chosen, true}));
}

}  // namespace
}  // namespace mireva::ui
