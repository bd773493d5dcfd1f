// The program's main window: the menu bar and the view. 720 × 450 pixels, centred on
// the screen, titled with the program's name and version, the first time; afterwards
// where the user left it. It grows when the main panel is shown in it without room for
// the panel.
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
    // Grows the window so that the main panel has its usable size, within the screen;
    // maximized when the screen is smaller than that.
    void fitMainPanel();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void restorePlacement();

    void buildMenu();

    AppView* view_ = nullptr;
    QAction* print_ = nullptr;
    QAction* preview_ = nullptr;
    QAction* reportFormat_ = nullptr;
    QAction* undo_ = nullptr;
    QAction* redo_ = nullptr;
};

}  // namespace mireva::ui
