#include "app/window_placement.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
#include <map>

#include "core/file_io.h"
#include "uikit/qt_path.h"

namespace mireva::ui {

namespace {

// A rectangle of the given size moved so that it lies inside `area` (its top-left
// corner wins when it is the larger).
QRect moveInside(QRect rect, const QRect& area) {
    rect.moveLeft(std::max(area.left(), std::min(rect.left(), area.right() - rect.width() + 1)));
    rect.moveTop(std::max(area.top(), std::min(rect.top(), area.bottom() - rect.height() + 1)));
    return rect;
}

long long areaOf(const QRect& r) { return r.isEmpty() ? 0 : static_cast<long long>(r.width()) * r.height(); }

}  // namespace

QString windowPlacementFile() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/mireva/window.ini");
}

std::optional<WindowPlacement> loadWindowPlacement(const QString& file) {
    std::string content;
    if (!readWholeFile(toPath(file), content)) return std::nullopt;
    std::map<std::string, long long> values;
    size_t at = 0;
    while (at < content.size()) {
        size_t end = content.find('\n', at);
        if (end == std::string::npos) end = content.size();
        std::string line = content.substr(at, end - at);
        at = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        try {
            size_t used = 0;
            const long long v = std::stoll(line.substr(eq + 1), &used);
            if (used == line.size() - eq - 1) values[line.substr(0, eq)] = v;
        } catch (const std::exception&) {
            // not a number: the key is left out
        }
    }
    for (const char* key : {"x", "y", "width", "height"})
        if (!values.count(key)) return std::nullopt;
    constexpr long long kLimit = 100000;  // no screen is this large; anything beyond is a damaged file
    for (const char* key : {"x", "y", "width", "height"})
        if (values[key] < -kLimit || values[key] > kLimit) return std::nullopt;
    if (values["width"] <= 0 || values["height"] <= 0) return std::nullopt;
    WindowPlacement p;
    p.normal = QRect(static_cast<int>(values["x"]), static_cast<int>(values["y"]), static_cast<int>(values["width"]),
                     static_cast<int>(values["height"]));
    p.maximized = values.count("maximized") && values["maximized"] != 0;
    return p;
}

bool saveWindowPlacement(const QString& file, const WindowPlacement& placement, std::string* error) {
    QDir().mkpath(QFileInfo(file).absolutePath());
    const QRect& r = placement.normal;
    const QString text = QStringLiteral("[MainWindow]\nx=%1\ny=%2\nwidth=%3\nheight=%4\nmaximized=%5\n")
                             .arg(r.x())
                             .arg(r.y())
                             .arg(r.width())
                             .arg(r.height())
                             .arg(placement.maximized ? 1 : 0);
    return replaceFileContent(toPath(file), text.toStdString(), error);
}

QRect placeOnScreens(const QRect& saved, const QList<QRect>& available) {
    if (available.isEmpty()) return saved;
    qsizetype best = -1;
    long long bestArea = 0;
    for (qsizetype i = 0; i < available.size(); ++i) {
        const long long a = areaOf(saved.intersected(available[i]));
        if (a > bestArea) {
            bestArea = a;
            best = i;
        }
    }
    const QRect& screen = available[best < 0 ? 0 : best];
    QRect placed(saved.topLeft(), saved.size().boundedTo(screen.size()));
    if (best < 0) placed.moveCenter(screen.center());
    return moveInside(placed, screen);
}

GrownFrame growFrameWithin(const QRect& frame, const QSize& growth, const QRect& available) {
    const int dw = std::max(0, growth.width());
    const int dh = std::max(0, growth.height());
    QRect grown(frame.x() - dw / 2, frame.y() - dh / 2, frame.width() + dw, frame.height() + dh);
    if (grown.width() > available.width() || grown.height() > available.height()) return {frame, true};
    return {moveInside(grown, available), false};
}

}  // namespace mireva::ui
