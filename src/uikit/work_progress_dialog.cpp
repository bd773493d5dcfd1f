#include "uikit/work_progress_dialog.h"

#include <QApplication>
#include <QCoreApplication>
#include <QLocale>
#include <QProgressDialog>
#include <QPushButton>

#include "uikit/message_boxes.h"

namespace mireva::ui {

namespace {

constexpr int kShowAfterMs = 500;

}  // namespace

QString WorkProgressDialog::cancelText() { return QStringLiteral("キャンセル"); }
QString WorkProgressDialog::finishingText() { return QStringLiteral("仕上げています。しばらくお待ちください。"); }

QString WorkProgressDialog::countText(Unit unit, int done, int total) {
    const QLocale numbers(QLocale::Japanese, QLocale::Japan);  // "5,602"
    const QString d = numbers.toString(done), t = numbers.toString(total);
    return unit == Unit::Sheets ? QStringLiteral("%1 / %2 シート").arg(d, t)
                                : QStringLiteral("ページ %1 / %2").arg(d, t);
}

WorkProgressDialog::WorkProgressDialog(QWidget* parent, const QString& title, Unit unit, Finishing finishing)
    : unit_(unit), finishing_(finishing), title_(title), dialog_(std::make_unique<QProgressDialog>(parent)) {
    dialog_->setObjectName(QStringLiteral("workProgress"));
    dialog_->setWindowTitle(MessageBoxes::caption());
    dialog_->setWindowModality(Qt::WindowModal);
    cancelButton_ = new QPushButton(cancelText());
    dialog_->setCancelButton(cancelButton_);  // the dialog owns it
    dialog_->setMinimumDuration(kShowAfterMs);
    dialog_->setAutoClose(false);
    dialog_->setAutoReset(false);
    dialog_->setMinimumWidth(320);
    dialog_->setLabelText(title_);
    dialog_->setValue(0);  // starts the clock of the minimum duration
    QApplication::setOverrideCursor(Qt::BusyCursor);
}

WorkProgressDialog::~WorkProgressDialog() {
    dialog_->hide();
    QApplication::restoreOverrideCursor();
}

bool WorkProgressDialog::cancelled() const { return dialog_->wasCanceled(); }

void WorkProgressDialog::cancel() { dialog_->cancel(); }

ProgressCallback WorkProgressDialog::callback() {
    return [this](int done, int total) { return update(done, total); };
}

bool WorkProgressDialog::update(int done, int total) {
    if (cancelled()) return false;
    countText_ = countText(unit_, done, total);
    // Every part done: what is left is finishing the file, which only some work can
    // stop part way.
    const bool finishing = total > 0 && done >= total;
    cancelButton_->setEnabled(!finishing || finishing_ == Finishing::Cancellable);
    dialog_->setLabelText(title_ + QLatin1Char('\n') + countText_ +
                          (finishing ? QStringLiteral("\n") + finishingText() : QString()));
    if (dialog_->maximum() != total) dialog_->setMaximum(std::max(total, 1));
    // A window-modal dialog handles the waiting events (a click on キャンセル among
    // them) whenever its value changes. A count reported again unchanged (the file being
    // finished) changes nothing, so the shown dialog handles them here.
    const int value = std::min(done, std::max(total, 1));
    if (value == dialog_->value() && dialog_->isVisible())
        QCoreApplication::processEvents();
    else
        dialog_->setValue(value);
    if (observer_) observer_(*this, done, total);
    return !cancelled();
}

}  // namespace mireva::ui
