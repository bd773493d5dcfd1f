// The program's main window: the menu bar and the view. 720 × 450 pixels, centred on
// the screen, titled with the program's name and version.
#pragma once

#include <QMainWindow>

class QAction;

namespace mireva::ui {

class AppView;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);

    AppView* view() const { return view_; }
    QAction* printAction() const { return print_; }
    QAction* previewAction() const { return preview_; }
    QAction* undoAction() const { return undo_; }
    QAction* redoAction() const { return redo_; }

    // Brings the window to the front (a later start asked for it).
    void bringToFront();

private:
    void buildMenu();

    AppView* view_ = nullptr;
    QAction* print_ = nullptr;
    QAction* preview_ = nullptr;
    QAction* reportFormat_ = nullptr;
    QAction* undo_ = nullptr;
    QAction* redo_ = nullptr;
};

}  // namespace mireva::ui
