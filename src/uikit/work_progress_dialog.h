// The progress of a long output the user may stop (Excel出力, the preview's pages,
// 印刷, PDF output): a window-modal dialog with what is being done, the part done
// ("1,200 / 5,602 シート", "ページ 300 / 5,600") and キャンセル. It appears only when
// the work runs longer than about half a second, and is gone when the object is.
// Once every part is done the file is being finished and the dialog says so; where
// finishing cannot be stopped part way (a print job) キャンセル is then off, where it
// can (the workbook) it stays on to the end.
#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <utility>

#include "core/progress.h"

class QProgressDialog;
class QPushButton;
class QWidget;

namespace mireva::ui {

class WorkProgressDialog {
public:
    enum class Unit { Sheets, Pages };
    // Whether キャンセル still works while the finished parts are made into the file.
    enum class Finishing { Fixed, Cancellable };

    WorkProgressDialog(QWidget* parent, const QString& title, Unit unit, Finishing finishing = Finishing::Fixed);
    ~WorkProgressDialog();
    WorkProgressDialog(const WorkProgressDialog&) = delete;
    WorkProgressDialog& operator=(const WorkProgressDialog&) = delete;

    // The callback to hand to the work: shows `done` of `total`, lets the dialog
    // handle a click on キャンセル, and answers false once the user cancelled.
    ProgressCallback callback();
    bool update(int done, int total);

    bool cancelled() const;
    void cancel();  // as a click on キャンセル does
    QString countText() const { return countText_; }
    QProgressDialog* dialog() const { return dialog_.get(); }

    // "1,200 / 5,602 シート", "ページ 300 / 5,600".
    static QString countText(Unit unit, int done, int total);
    static QString cancelText();  // "キャンセル"
    // Shown once every part is done while the file is finished.
    static QString finishingText();  // "仕上げています。しばらくお待ちください。"

    // Tests: called after every update, e.g. to cancel at a given point.
    using Observer = std::function<void(WorkProgressDialog&, int done, int total)>;
    static void setObserver(Observer observer) { observer_ = std::move(observer); }

private:
    Unit unit_;
    Finishing finishing_;
    QString title_;
    QString countText_;
    std::unique_ptr<QProgressDialog> dialog_;
    QPushButton* cancelButton_ = nullptr;
    static inline Observer observer_;
};

}  // namespace mireva::ui
