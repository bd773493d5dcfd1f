#include "charts/ui/level_chart_window.h"

#include <QHBoxLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "uikit/file_dialogs.h"
#include "uikit/message_boxes.h"
#include "charts/ui/level_chart_image.h"
#include "charts/ui/level_chart_view.h"
#include "reports/ui/report_printing.h"
#include "uikit/qt_path.h"

namespace mireva::ui {

LevelChartWindow::LevelChartWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("levelChartWindow");
    setWindowTitle(QStringLiteral("レベルグラフ"));
    view_ = new LevelChartView;
    scroll_ = new QScrollArea(this);
    scroll_->setWidget(view_);
    scroll_->setWidgetResizable(true);
    scroll_->setFrameShape(QFrame::NoFrame);

    save_ = new QPushButton(QStringLiteral("画像を保存"), this);
    print_ = new QPushButton(QStringLiteral("印刷"), this);
    close_ = new QPushButton(QStringLiteral("閉じる"), this);
    for (QPushButton* b : {save_, print_, close_}) b->setAutoDefault(false);
    connect(save_, &QPushButton::clicked, this, &LevelChartWindow::saveImage);
    connect(print_, &QPushButton::clicked, this, &LevelChartWindow::printChart);
    connect(close_, &QPushButton::clicked, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(save_);
    buttons->addWidget(print_);
    buttons->addWidget(close_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(scroll_, 1);
    layout->addLayout(buttons);
    resize(900, 480);
    setModel({});
}

void LevelChartWindow::setModel(LevelChartModel model) {
    const bool drawable = !model.empty();
    view_->setModel(std::move(model));
    save_->setEnabled(drawable);
    print_->setEnabled(drawable);
}

const LevelChartModel& LevelChartWindow::model() const { return view_->model(); }

void LevelChartWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    emit shown();
}

void LevelChartWindow::saveImage() {
    const LevelChartModel& m = model();
    if (m.empty()) return;
    const QString initial = QString::fromStdString(levelChartFileName(m.placeNumber, m.bandTab, "png"));
    QString path = FileDialogs::saveFile(this, QStringLiteral("画像を保存"), QStringLiteral("PNG (*.png);;SVG (*.svg)"),
                                         initial, QStringLiteral("png"));
    if (path.isEmpty()) return;
    std::optional<ChartImageFormat> format = chartImageFormatOf(path);
    if (!format) {
        path += QStringLiteral(".png");
        format = ChartImageFormat::Png;
    }
    std::string error;
    if (!writeLevelChart(m, toPath(path), *format, &error)) {
        MessageBoxes::error(this, QStringLiteral("画像を保存できませんでした。\n") + QString::fromStdString(error));
    }
}

void LevelChartWindow::printChart() {
    const LevelChartModel& m = model();
    if (m.empty()) return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(windowTitle());
    QPrintDialog dialog(&printer, this);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    const bool accepted = printDialogHook_ ? printDialogHook_(dialog) : dialog.exec() == QDialog::Accepted;
    if (!accepted) return;
    if (!printLevelChart(m, printer)) MessageBoxes::error(this, printFailedText());
}

}  // namespace mireva::ui
