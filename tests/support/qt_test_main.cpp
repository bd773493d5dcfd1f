// Test main for widget tests: one QApplication for the whole process, on the
// offscreen platform unless the environment names another, speaking Japanese as the
// program does.
#include <QApplication>

#include <gtest/gtest.h>

#include "uikit/japanese_ui.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    mireva::ui::installJapaneseUi(app);
    return RUN_ALL_TESTS();
}
