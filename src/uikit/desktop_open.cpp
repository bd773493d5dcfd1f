#include "uikit/desktop_open.h"

#include <QDesktopServices>
#include <QUrl>

namespace mireva::ui {
namespace {
std::function<bool(const QString&)>& handler() {
    static std::function<bool(const QString&)> h;
    return h;
}
}  // namespace

void DesktopOpen::setHandler(std::function<bool(const QString&)> h) { handler() = std::move(h); }

bool DesktopOpen::openFile(const QString& path) {
    if (handler()) return handler()(path);
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

}  // namespace mireva::ui
