#include "uikit/progress_box.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

#include "uikit/dialog_units.h"

namespace mireva::ui {

ProgressBox::ProgressBox(QWidget* owner, const QString& text) : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint) {
    setObjectName("progressBox");
    setModal(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    setFixedSize(dluSize(150, 46));
    auto* layout = new QVBoxLayout(this);
    label_ = new QLabel(text, this);
    label_->setAlignment(Qt::AlignCenter);
    layout->addWidget(label_);
    setStyleSheet("QDialog#progressBox { border: 1px solid palette(dark); }");

    QWidget* window = owner ? owner->window() : nullptr;
    if (window) {
        const QRect frame = window->frameGeometry();
        move(frame.center() - QPoint(width() / 2, height() / 2));
    }
    show();
    // Paint it now: the operation that follows keeps the event loop busy until it ends.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    repaint();
}

ProgressBox::~ProgressBox() { QApplication::restoreOverrideCursor(); }

QString ProgressBox::text() const { return label_->text(); }

void ProgressBox::setText(const QString& text) {
    label_->setText(text);
    label_->repaint();
}

QString ProgressBox::readingText() { return QStringLiteral("測定データを読み込んでいます。"); }
QString ProgressBox::processingText() { return QStringLiteral("処理中です。しばらくお待ちください。"); }

void ProgressBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) return;
    QDialog::keyPressEvent(event);
}

}  // namespace mireva::ui
