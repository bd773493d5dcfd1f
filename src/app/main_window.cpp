#include "app/main_window.h"

#include <QAction>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>

#include "app/about_dialog.h"
#include "app/app_view.h"

namespace mireva::ui {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
    setObjectName("mainWindow");
    setWindowIcon(applicationIcon());
    resize(720, 450);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect desktop = screen->geometry();
        move(desktop.x() + desktop.width() / 2 - 360, desktop.y() + desktop.height() / 2 - 225);
    }
    view_ = new AppView(this);
    setCentralWidget(view_);
    setWindowTitle(AppView::title());
    buildMenu();
    view_->attachMenu({print_, preview_, reportFormat_, undo_, redo_});
}

void MainWindow::buildMenu() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    print_ = file->addAction(QStringLiteral("印刷(&P)..."), view_, &AppView::print);
    print_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    preview_ = file->addAction(QStringLiteral("印刷プレビュー(&V)"), view_, &AppView::printPreview);
    file->addAction(QStringLiteral("プリンターの設定..."), view_, &AppView::printerSetup);
    file->addSeparator();
    file->addAction(QStringLiteral("アプリケーションの終了(&X)"), this, &QWidget::close);

    // Undo and redo of the worksheet edits; the view's history names and greys them.
    QMenu* edit = menuBar()->addMenu(QStringLiteral("編集(&E)"));
    undo_ = edit->addAction(QStringLiteral("元に戻す(&U)"));
    undo_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    redo_ = edit->addAction(QStringLiteral("やり直し(&R)"));
    redo_->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});

    menuBar()
        ->addMenu(QStringLiteral("使用チャンネル/放送局名"))
        ->addAction(QStringLiteral("チャンネル/放送局名設定"), view_, &AppView::channelSettings);
    reportFormat_ = menuBar()
                        ->addMenu(QStringLiteral("印刷データの設定"))
                        ->addAction(QStringLiteral("フォーマット１"), view_, &AppView::reportDataForm);
    menuBar()
        ->addMenu(QStringLiteral("測定場所管理表の作成"))
        ->addAction(QStringLiteral("作成"), view_, &AppView::locationTableEditor);
    menuBar()
        ->addMenu(QStringLiteral("基準値の設定"))
        ->addAction(QStringLiteral("設定"), view_, &AppView::standardValues);
    menuBar()
        ->addMenu(QStringLiteral("ヘルプ(&H)"))
        ->addAction(QStringLiteral("バージョン情報(&A)..."), view_, &AppView::about);
}

void MainWindow::bringToFront() {
    if (isMinimized()) showNormal();
    show();
    raise();
    activateWindow();
}

}  // namespace mireva::ui
