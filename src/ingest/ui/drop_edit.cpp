#include "ingest/ui/drop_edit.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace mireva::ui {
namespace {

QString firstLocalPath(const QMimeData* mime) {
    if (!mime || !mime->hasUrls()) return {};
    for (const QUrl& url : mime->urls()) {
        if (url.isLocalFile()) return url.toLocalFile();
    }
    return {};
}

}  // namespace

DropEdit::DropEdit(QWidget* parent) : QLineEdit(parent) { setAcceptDrops(true); }

bool DropEdit::takeDroppedPath(const QString& path) {
    if (path.isEmpty() || path.size() > maxLength()) return false;
    setText(path);
    return true;
}

void DropEdit::dragEnterEvent(QDragEnterEvent* event) {
    if (!firstLocalPath(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    } else {
        QLineEdit::dragEnterEvent(event);
    }
}

void DropEdit::dragMoveEvent(QDragMoveEvent* event) {
    if (!firstLocalPath(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    } else {
        QLineEdit::dragMoveEvent(event);
    }
}

void DropEdit::dropEvent(QDropEvent* event) {
    const QString path = firstLocalPath(event->mimeData());
    if (path.isEmpty()) {
        QLineEdit::dropEvent(event);
        return;
    }
    takeDroppedPath(path);
    event->acceptProposedAction();
}

}  // namespace mireva::ui
