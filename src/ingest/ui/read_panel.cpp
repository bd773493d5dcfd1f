#include "ingest/ui/read_panel.h"

#include <QPushButton>
#include <QResizeEvent>

#include "uikit/dialog_units.h"
#include "ingest/ui/read_wizard.h"

namespace mireva::ui {

ReadPanel::ReadPanel(QWidget* parent) : QWidget(parent) {
    setObjectName("readPanel");
    start_ = new QPushButton(QStringLiteral("読込処理開始"), this);
    start_->setObjectName("startReading");
    start_->resize(dluSize(140, 40));
    QFont f = start_->font();
    f.setPointSizeF(f.pointSizeF() * 1.4);
    start_->setFont(f);
    connect(start_, &QPushButton::clicked, this, &ReadPanel::runWizard);
}

void ReadPanel::runWizard() {
    WizardPaths paths;
    if (!ReadWizard::run(window(), paths)) return;
    locationTablePath_ = paths.locationTable;
    dataFolderPath_ = paths.dataFolder;
    emit startWorksheet();
}

void ReadPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const QSize s = start_->size();
    start_->move((width() - s.width()) / 2, (height() - s.height()) / 2);
}

}  // namespace mireva::ui
