// Opens a file in the desktop's default application for its type.
#pragma once

#include <QString>

#include <functional>

namespace mireva::ui {

class DesktopOpen {
public:
    // False when nothing could open it.
    static bool openFile(const QString& path);
    // Tests replace the desktop with a handler.
    static void setHandler(std::function<bool(const QString&)> handler);
};

}  // namespace mireva::ui
