// A single-line edit that also takes a file or folder dragged onto it from the file
// manager: the first dropped path becomes its whole text, and the owner hears of it
// through textChanged() exactly as if it had been typed.
#pragma once

#include <QLineEdit>

namespace mireva::ui {

class DropEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit DropEdit(QWidget* parent = nullptr);

    // Takes `path` as a drop would: refused (text unchanged, false) when it is empty or
    // longer than the edit's maximum length, so a path is never cut short.
    bool takeDroppedPath(const QString& path);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};

}  // namespace mireva::ui
