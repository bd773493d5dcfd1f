#include "cli/gui_application.h"

namespace mireva::cli {

std::unique_ptr<QGuiApplication> guiApplicationForDrawing() {
    if (QCoreApplication::instance() != nullptr) return nullptr;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "mireva-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

}  // namespace mireva::cli
