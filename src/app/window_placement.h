// Where the main window is put on the screen: the placement the user left it in, kept
// in the program's own per-user file ($XDG_CONFIG_HOME/mireva/window.ini, never
// Mireva.ini) and brought back at the next start on a screen that is present; and
// how the window grows when the main panel needs more room than it has.
#pragma once

#include <QList>
#include <QRect>
#include <QString>

#include <optional>
#include <string>

namespace mireva::ui {

struct WindowPlacement {
    QRect normal;  // the window's client area in screen coordinates when not maximized
    bool maximized = false;

    bool operator==(const WindowPlacement&) const = default;
};

// $XDG_CONFIG_HOME/mireva/window.ini (~/.config/mireva/window.ini).
QString windowPlacementFile();

// The saved placement; nothing when the file is missing or does not hold a usable one.
std::optional<WindowPlacement> loadWindowPlacement(const QString& file);
// Replaces the file in one step (its folder is created). False with `error` on failure.
bool saveWindowPlacement(const QString& file, const WindowPlacement& placement, std::string* error = nullptr);

// The saved rectangle on the screens present (`available`: each screen's available
// geometry, the primary first): on the screen it overlaps most, cut to that screen's
// size and moved inside it; centred on the primary screen when it overlaps none.
QRect placeOnScreens(const QRect& saved, const QList<QRect>& available);

// A frame `frame` made `growth` larger (width and height, each 0 or more) around its
// centre, then moved inside `available`. When the grown frame is larger than
// `available`, the window is to be maximized instead.
struct GrownFrame {
    QRect frame;
    bool maximize = false;
};
GrownFrame growFrameWithin(const QRect& frame, const QSize& growth, const QRect& available);

}  // namespace mireva::ui
