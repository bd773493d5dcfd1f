// Draws a level chart with a QPainter onto any device: the chart window, picture
// files (PNG, SVG) and printers. Sizes are given in units of one screen pixel at
// 96 dpi and scaled by `unit`, so a printout looks like the window, only sharper.
// Texts are in the report's face.
#pragma once

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QSize>

#include "charts/level_chart_model.h"

class QPainter;

namespace mireva::ui {

inline QColor toQColor(ChartColour c) { return QColor(c.r, c.g, c.b); }

// The face of the chart's texts: the report's.
QFont levelChartFont();

// Where the parts of a chart lie in an area.
struct LevelChartLayout {
    QRectF plot;      // the bars' area: axis minimum at its bottom, maximum at its top
    double slot = 0;  // width per bar
    double axisMin = 0, axisMax = 1;

    double yOf(double level) const { return plot.bottom() - (level - axisMin) / (axisMax - axisMin) * plot.height(); }
    double slotLeft(int bar) const { return plot.left() + bar * slot; }
};

LevelChartLayout levelChartLayout(const QRectF& area, const LevelChartModel& model, double unit = 1.0);

// Draws the chart filling `area` (white background included).
void paintLevelChart(QPainter& painter, const QRectF& area, const LevelChartModel& model, double unit = 1.0);

// Size of a chart's picture file: 480 pixels high, wide enough for its bars.
QSize levelChartImageSize(const LevelChartModel& model);

// "表示するレベルがありません。": what a chart without bars says.
QString emptyLevelChartText();

}  // namespace mireva::ui
