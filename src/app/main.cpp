// Mireva３: start-up. When another start of the program is already running for this
// user, that one is brought to the front and this one says so and ends before it reads
// or writes any file of the user's (the data folder, Mireva.ini), so that it cannot
// race the running one's saves. Otherwise the window is built and shown.
#include <QApplication>
#include <QIcon>

#include <clocale>

#include "uikit/japanese_ui.h"
#include "app/main_window.h"
#include "uikit/message_boxes.h"
#include "app/single_instance.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("mireva"));
    QApplication::setDesktopFileName(QStringLiteral("jp.co.orvane.Mireva"));  // the installed entry and icon
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("jp.co.orvane.Mireva")));
    mireva::ui::installJapaneseUi(app);
    std::setlocale(LC_NUMERIC, "C");  // numbers in files are read with a point

    mireva::ui::SingleInstance instance(mireva::ui::SingleInstance::defaultKey());
    if (!instance.tryBecomePrimary()) {
        instance.askPrimaryToRaise();
        mireva::ui::MessageBoxes::error(nullptr, QStringLiteral("既に起動しています。"));
        return 1;
    }

    mireva::ui::MainWindow window;
    window.show();
    QObject::connect(&instance, &mireva::ui::SingleInstance::raiseRequested, &window,
                     &mireva::ui::MainWindow::bringToFront);
    return app.exec();
}
