#include "charts/ui/level_chart_view.h"

#include <QPainter>

#include "charts/ui/level_chart_renderer.h"

namespace mireva::ui {
namespace {
// Below this width per bar the labels get too small to read: the window scrolls.
constexpr int kMinSlot = 14;
constexpr int kFrame = 76;
}  // namespace

LevelChartView::LevelChartView(QWidget* parent) : QWidget(parent) {
    setObjectName("levelChartView");
    setMinimumSize(400, 260);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void LevelChartView::setModel(LevelChartModel model) {
    model_ = std::move(model);
    setMinimumWidth(std::max(400, kFrame + kMinSlot * static_cast<int>(model_.bars.size())));
    update();
}

void LevelChartView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintLevelChart(painter, QRectF(rect()), model_);
}

}  // namespace mireva::ui
