// The report canvas on a QPainter: printers, the print preview and PDF files. Maps
// 0.01 mm with y upward from the bottom edge of the printable area onto the device;
// a printable area too small for the A4 layout (other paper, landscape) gets the
// whole page scaled down to fit instead of losing its top.
#pragma once

#include <QFont>
#include <QPainter>
#include <QPen>
#include <QRectF>

#include <map>

#include "reports/report_canvas.h"

namespace mireva::ui {

class PainterReportCanvas : public ReportCanvas {
public:
    // `area` is the printable area in device pixels of the painter's device, whose
    // resolution is `dpi` pixels per inch.
    PainterReportCanvas(QPainter& painter, const QRectF& area, double dpi);

    void setPen(ReportPen pen) override;
    void line(int x1, int y1, int x2, int y2) override;
    void rectangle(int left, int bottom, int right, int top) override;
    void text(int x, int top, int cellHeight, SjView text) override;

    double scale() const { return scale_; }  // device pixels per 0.01 mm
    double fit() const { return fit_; }      // 1 on A4 portrait, below 1 when scaled down

private:
    QPointF map(int x, int y) const;
    struct FontOfHeight {
        QFont font;
        double ascent = 0;
    };
    const FontOfHeight& fontFor(int cellHeight);

    QPainter& painter_;
    double scale_ = 1;
    double fit_ = 1;
    double left_ = 0, bottom_ = 0;
    QPen pens_[3];
    QFont base_;
    double cellPerPoint_ = 1;  // cell height in device pixels per point of font size
    double ascentShare_ = 0.8;
    std::map<int, FontOfHeight> fonts_;
    int currentFont_ = -1;
};

}  // namespace mireva::ui
