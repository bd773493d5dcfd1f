// Mireva３: start-up. The window is built and shown first; then, when another start
// of the program is already running for this user, that one is brought to the front
// and this one says so and ends.
#include <QApplication>

#include <clocale>

#include "app/japanese_ui.h"
#include "app/main_window.h"
#include "app/message_boxes.h"
#include "app/single_instance.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("mireva"));
    mireva::ui::installJapaneseUi(app);
    std::setlocale(LC_NUMERIC, "C");  // numbers in files are read with a point

    mireva::ui::MainWindow window;
    window.show();

    mireva::ui::SingleInstance instance(mireva::ui::SingleInstance::defaultKey());
    if (!instance.tryBecomePrimary()) {
        instance.askPrimaryToRaise();
        mireva::ui::MessageBoxes::error(&window, QStringLiteral("既に起動しています。"));
        return 1;
    }
    QObject::connect(&instance, &mireva::ui::SingleInstance::raiseRequested, &window,
                     &mireva::ui::MainWindow::bringToFront);
    return app.exec();
}
