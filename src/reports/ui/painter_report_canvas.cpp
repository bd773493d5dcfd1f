#include "reports/ui/painter_report_canvas.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetricsF>

#include <algorithm>

#include "uikit/qt_text.h"
#include "reports/report_page_renderer.h"
#include "reports/ui/report_face.h"

namespace mireva::ui {

namespace {
constexpr double kUnitsPerInch = 2540.0;
constexpr int kFramePenWidth = 30;  // 0.30 mm
// The ordinary and the dotted pen: fine lines that still print clearly.
constexpr double kPlainPenWidth = 8;
constexpr double kDottedPenWidth = 8;
constexpr double kMeasurePoints = 100;
}  // namespace

PainterReportCanvas::PainterReportCanvas(QPainter& painter, const QRectF& area, double dpi) : painter_(painter) {
    scale_ = dpi / kUnitsPerInch;
    fit_ = std::min({1.0, area.width() / (report_layout::kContentWidth * scale_),
                     area.height() / (report_layout::kContentHeight * scale_)});
    scale_ *= fit_;
    // Scaled down, the page is centred across the width; on A4 portrait it keeps the
    // printable area's left and bottom edges as its origin.
    left_ = area.left() + (fit_ < 1.0 ? (area.width() - report_layout::kContentWidth * scale_) / 2 : 0.0);
    bottom_ = area.bottom();

    pens_[int(ReportPen::Frame)] =
        QPen(Qt::black, kFramePenWidth * scale_, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    pens_[int(ReportPen::Plain)] =
        QPen(Qt::black, kPlainPenWidth * scale_, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    pens_[int(ReportPen::Dotted)] = QPen(Qt::black, kDottedPenWidth * scale_, Qt::DotLine, Qt::FlatCap, Qt::MiterJoin);

    base_ = reportBaseFont();
    QFont probe = base_;
    probe.setPointSizeF(kMeasurePoints);
    QFontMetricsF metrics(probe, painter_.device());
    const double cell = metrics.ascent() + metrics.descent();
    if (cell > 0) {
        cellPerPoint_ = cell / kMeasurePoints;
        ascentShare_ = metrics.ascent() / cell;
    }
    painter_.setBackgroundMode(Qt::TransparentMode);
    painter_.setBrush(Qt::NoBrush);
    painter_.setPen(pens_[int(ReportPen::Plain)]);
}

QPointF PainterReportCanvas::map(int x, int y) const { return {left_ + x * scale_, bottom_ - y * scale_}; }

void PainterReportCanvas::setPen(ReportPen pen) { painter_.setPen(pens_[int(pen)]); }

void PainterReportCanvas::line(int x1, int y1, int x2, int y2) { painter_.drawLine(map(x1, y1), map(x2, y2)); }

void PainterReportCanvas::rectangle(int left, int bottom, int right, int top) {
    painter_.drawRect(QRectF(map(left, top), map(right, bottom)));
}

const PainterReportCanvas::FontOfHeight& PainterReportCanvas::fontFor(int cellHeight) {
    auto it = fonts_.find(cellHeight);
    if (it != fonts_.end()) return it->second;
    const double cellPixels = cellHeight * scale_;
    FontOfHeight f;
    f.font = base_;
    f.font.setPointSizeF(cellPixels / cellPerPoint_);
    f.ascent = cellPixels * ascentShare_;
    return fonts_.emplace(cellHeight, f).first->second;
}

void PainterReportCanvas::text(int x, int top, int cellHeight, SjView text) {
    const FontOfHeight& f = fontFor(cellHeight);
    if (currentFont_ != cellHeight) {
        painter_.setFont(f.font);
        currentFont_ = cellHeight;
    }
    const QPointF at = map(x, top);
    painter_.drawText(QPointF(at.x(), at.y() + f.ascent), fromSj(text));
}

}  // namespace mireva::ui
