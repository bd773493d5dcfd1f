#include "charts/ui/level_chart_renderer.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

#include "uikit/qt_text.h"
#include "reports/ui/painter_report_canvas.h"
#include "reports/ui/report_face.h"

namespace mireva::ui {
namespace {

constexpr double kTitlePixels = 15;
constexpr double kLabelPixels = 11;
constexpr double kValuePixels = 10;
constexpr double kMarginLeft = 58;
constexpr double kMarginRight = 18;
constexpr double kMarginTop = 8;
constexpr double kMarginBottom = 8;
constexpr double kMaxBarWidth = 44;
constexpr int kImageHeight = 480;
constexpr int kMinImageWidth = 640;
constexpr int kMaxImageWidth = 2400;
constexpr int kImageSlot = 40;

QFont fontOfPixels(double pixels) {
    QFont f = levelChartFont();
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels))));
    return f;
}

// Texts of one chart converted once, with the fonts the layout chose.
struct Texts {
    QFont title, label, value;
    std::vector<QString> channel, broadcaster, value_;
    bool labelsTurned = false, valuesTurned = false;
    double labelArea = 0, valueArea = 0, titleArea = 0;
};

QString numberText(double v) {
    // Axis and line labels: whole numbers without a point, others with one decimal.
    if (std::fabs(v - std::round(v)) < 1e-9) return QString::number(static_cast<long long>(std::llround(v)));
    return QString::number(v, 'f', 1);
}

Texts measure(const QRectF& area, const LevelChartModel& m, double unit) {
    Texts t;
    t.title = fontOfPixels(kTitlePixels * unit);
    const QFontMetricsF titleMetrics(t.title);
    t.titleArea = titleMetrics.height() + 10 * unit;

    const size_t n = m.bars.size();
    const double plotWidth = std::max(1.0, area.width() - (kMarginLeft + kMarginRight) * unit);
    const double slot = n ? plotWidth / static_cast<double>(n) : plotWidth;
    // Labels shrink to the slot when turned upright texts would overlap.
    t.label = fontOfPixels(std::min(kLabelPixels * unit, slot * 0.9));
    t.value = fontOfPixels(std::min(kValuePixels * unit, slot * 0.9));
    const QFontMetricsF lm(t.label), vm(t.value);
    double widestLabel = 0, widestValue = 0;
    bool anyBroadcaster = false;
    for (const LevelBar& bar : m.bars) {
        t.channel.push_back(fromSj(SjView{bar.channelText}));
        t.broadcaster.push_back(fromSj(SjView{bar.broadcaster}));
        t.value_.push_back(fromSj(SjView{bar.valueText}));
        widestLabel =
            std::max({widestLabel, lm.horizontalAdvance(t.channel.back()), lm.horizontalAdvance(t.broadcaster.back())});
        widestValue = std::max(widestValue, vm.horizontalAdvance(t.value_.back()));
        anyBroadcaster = anyBroadcaster || !bar.broadcaster.empty();
    }
    const double room = slot - 2 * unit;
    t.labelsTurned = widestLabel > room;
    t.valuesTurned = widestValue > room;
    if (t.labelsTurned) {
        double longest = 0;
        for (size_t i = 0; i < n; ++i) {
            QString s = t.channel[i];
            if (!t.broadcaster[i].isEmpty()) s += QLatin1Char(' ') + t.broadcaster[i];
            longest = std::max(longest, lm.horizontalAdvance(s));
        }
        t.labelArea = std::min(longest + 8 * unit, area.height() * 0.3);
    } else {
        t.labelArea = lm.height() * (anyBroadcaster ? 2 : 1) + 8 * unit;
    }
    t.valueArea = (t.valuesTurned ? std::min(widestValue, area.height() * 0.2) : vm.height()) + 6 * unit;
    return t;
}

LevelChartLayout layoutOf(const QRectF& area, const LevelChartModel& m, double unit, const Texts& t) {
    LevelChartLayout l;
    const double top = area.top() + kMarginTop * unit + t.titleArea + t.valueArea;
    const double bottom = area.bottom() - kMarginBottom * unit - t.labelArea;
    l.plot = QRectF(QPointF(area.left() + kMarginLeft * unit, top),
                    QPointF(area.right() - kMarginRight * unit, std::max(top + 1, bottom)));
    l.slot = m.bars.empty() ? l.plot.width() : l.plot.width() / static_cast<double>(m.bars.size());
    l.axisMin = m.axisMin;
    l.axisMax = m.axisMax > m.axisMin ? m.axisMax : m.axisMin + 1;
    return l;
}

// Text drawn reading upwards with its start at `foot`.
void drawTurned(QPainter& p, const QPointF& foot, const QString& text, double ascentShift) {
    p.save();
    p.translate(foot);
    p.rotate(-90);
    p.drawText(QPointF(0, ascentShift), text);
    p.restore();
}

// Height of a line of the title font.
double titleMetrics(const QFont& font) { return QFontMetricsF(font).height(); }

QColor lighter(const QColor& c) { return QColor((c.red() + 255) / 2, (c.green() + 255) / 2, (c.blue() + 255) / 2); }

}  // namespace

QFont levelChartFont() { return reportBaseFont(); }

QString emptyLevelChartText() { return QStringLiteral("表示するレベルがありません。"); }

LevelChartLayout levelChartLayout(const QRectF& area, const LevelChartModel& model, double unit) {
    return layoutOf(area, model, unit, measure(area, model, unit));
}

QSize levelChartImageSize(const LevelChartModel& model) {
    const int width = static_cast<int>(kMarginLeft + kMarginRight) + static_cast<int>(model.bars.size()) * kImageSlot;
    return QSize(std::clamp(width, kMinImageWidth, kMaxImageWidth), kImageHeight);
}

void paintLevelChart(QPainter& p, const QRectF& area, const LevelChartModel& m, double unit) {
    const Texts t = measure(area, m, unit);
    const LevelChartLayout l = layoutOf(area, m, unit, t);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.fillRect(area, Qt::white);

    // Title.
    p.setFont(t.title);
    p.setPen(Qt::black);
    const QRectF titleRect(area.left() + kMarginLeft * unit, area.top() + kMarginTop * unit,
                           area.width() - (kMarginLeft + kMarginRight) * unit, t.titleArea);
    p.drawText(titleRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, fromSj(SjView{m.title}));

    // Level axis: grid lines and their numbers, the unit above them.
    const QFont axisFont = fontOfPixels(kLabelPixels * unit);
    const QFontMetricsF am(axisFont);
    p.setFont(axisFont);
    const QPen gridPen(QColor(220, 220, 220), std::max(1.0, unit));
    const double steps = std::round((l.axisMax - l.axisMin) / m.axisStep);
    for (int i = 0; i <= static_cast<int>(steps) && i <= 100; ++i) {
        const double v = l.axisMin + i * m.axisStep;
        const double y = std::round(l.yOf(v));
        p.setPen(gridPen);
        p.drawLine(QPointF(l.plot.left(), y), QPointF(l.plot.right(), y));
        p.setPen(Qt::black);
        p.drawText(QRectF(area.left(), y - am.height() / 2, l.plot.left() - area.left() - 6 * unit, am.height()),
                   Qt::AlignRight | Qt::AlignVCenter, numberText(v));
    }
    p.drawText(QRectF(area.left(), l.plot.top() - t.valueArea, l.plot.left() - area.left() - 6 * unit, am.height()),
               Qt::AlignRight | Qt::AlignTop, QStringLiteral("dBμV"));

    if (m.bars.empty()) {
        p.setPen(Qt::black);
        p.drawText(l.plot, Qt::AlignCenter, emptyLevelChartText());
    }

    const double base = std::round(l.yOf(std::clamp(0.0, l.axisMin, l.axisMax)));
    const double barWidth = std::max(1.0, std::min(l.slot * 0.7, kMaxBarWidth * unit));
    const QFontMetricsF lm(t.label), vm(t.value);
    for (size_t i = 0; i < m.bars.size(); ++i) {
        const LevelBar& bar = m.bars[i];
        const double centre = l.slotLeft(static_cast<int>(i)) + l.slot / 2;
        const QColor colour = toQColor(bar.colour);
        double top = base;
        if (bar.hasNumber) {
            top = std::round(l.yOf(std::clamp(bar.value, l.axisMin, l.axisMax)));
            const QRectF rect(QPointF(centre - barWidth / 2, std::min(top, base)),
                              QPointF(centre + barWidth / 2, std::max(top, base)));
            if (bar.bound == LevelBound::None) {
                p.fillRect(rect, colour);
            } else {
                // A bound: a paler bar with its edge, and a triangle pointing where the
                // level lies.
                p.fillRect(rect, lighter(colour));
                p.setPen(QPen(colour, std::max(1.0, unit)));
                p.setBrush(Qt::NoBrush);
                p.drawRect(rect);
                const double h = std::min(barWidth, 10 * unit) * 0.8;
                const double dir = bar.bound == LevelBound::Over ? -1 : 1;
                const double tipY = top + dir * h;
                QPolygonF mark({QPointF(centre - h / 2, top), QPointF(centre + h / 2, top), QPointF(centre, tipY)});
                p.setRenderHint(QPainter::Antialiasing, true);
                p.setPen(Qt::NoPen);
                p.setBrush(colour.darker(130));
                p.drawPolygon(mark);
                p.setRenderHint(QPainter::Antialiasing, false);
                if (bar.bound == LevelBound::Over) top = tipY;
            }
        }

        // The level text above the bar.
        p.setFont(t.value);
        p.setPen(Qt::black);
        const double valueFoot = std::min(top, base) - 3 * unit;
        if (t.valuesTurned) {
            drawTurned(p, QPointF(centre + (vm.ascent() - vm.descent()) / 2, valueFoot), t.value_[i], 0);
        } else {
            const double w = vm.horizontalAdvance(t.value_[i]);
            p.drawText(QPointF(centre - w / 2, valueFoot - vm.descent()), t.value_[i]);
        }

        // Channel and broadcaster name under the plot.
        p.setFont(t.label);
        p.setPen(Qt::black);
        const double labelTop = l.plot.bottom() + 4 * unit;
        if (t.labelsTurned) {
            QString s = t.channel[i];
            if (!t.broadcaster[i].isEmpty()) s += QLatin1Char(' ') + t.broadcaster[i];
            s = lm.elidedText(s, Qt::ElideRight, t.labelArea - 6 * unit);
            const double textWidth = lm.horizontalAdvance(s);
            drawTurned(p, QPointF(centre + (lm.ascent() - lm.descent()) / 2, labelTop + textWidth), s, 0);
        } else {
            const double w1 = lm.horizontalAdvance(t.channel[i]);
            p.drawText(QPointF(centre - w1 / 2, labelTop + lm.ascent()), t.channel[i]);
            if (!t.broadcaster[i].isEmpty()) {
                const double w2 = lm.horizontalAdvance(t.broadcaster[i]);
                p.drawText(QPointF(centre - w2 / 2, labelTop + lm.height() + lm.ascent()), t.broadcaster[i]);
            }
        }
    }

    // Standard lines over their groups' bars (the whole width when one group fills it).
    // One line is named in the legend; several carry their values at their left ends.
    const QColor lineColour = toQColor(kStandardLineColour);
    const double lineWidth = std::max(1.0, std::round(2 * unit));
    const QFontMetricsF fm(t.label);
    for (const StandardLine& line : m.standards) {
        const bool whole = m.standards.size() == 1;
        const double x1 = whole ? l.plot.left() : l.slotLeft(line.firstBar);
        const double x2 = whole ? l.plot.right() : l.slotLeft(line.lastBar + 1);
        const double y = std::round(l.yOf(std::clamp(line.value, l.axisMin, l.axisMax)));
        p.fillRect(QRectF(x1, y - std::floor(lineWidth / 2), x2 - x1, lineWidth), lineColour);
        if (whole) continue;
        const QString label = fm.elidedText(fromSj(SjView{line.valueText}), Qt::ElideRight, x2 - x1);
        const QRectF box(x1, y - lineWidth - fm.height(), fm.horizontalAdvance(label) + 4 * unit, fm.height());
        p.fillRect(box, Qt::white);
        p.setFont(t.label);
        p.setPen(Qt::black);
        p.drawText(box, Qt::AlignCenter, label);
    }

    // Legend at the right of the title: the standard line and the below-standard colour.
    if (!m.bars.empty()) {
        const QFont legendFont = fontOfPixels(kLabelPixels * unit);
        const QFontMetricsF lg(legendFont);
        p.setFont(legendFont);
        const QString below = QStringLiteral("基準値以下");
        QString standard = QStringLiteral("基準値");
        if (m.standards.size() == 1) standard += QLatin1Char(' ') + fromSj(SjView{m.standards.front().valueText});
        standard += QStringLiteral(" dBμV");
        const double swatch = 18 * unit, gap = 6 * unit;
        double x = titleRect.right() - lg.horizontalAdvance(below);
        const double mid = titleRect.top() + titleMetrics(t.title) / 2;
        p.setPen(Qt::black);
        p.drawText(QPointF(x, mid + (lg.ascent() - lg.descent()) / 2), below);
        x -= gap + lg.height() * 0.8;
        p.fillRect(QRectF(x, mid - lg.height() * 0.4, lg.height() * 0.8, lg.height() * 0.8),
                   toQColor(kBelowStandardBarColour));
        if (!m.standards.empty()) {
            x -= 3 * gap + lg.horizontalAdvance(standard);
            p.drawText(QPointF(x, mid + (lg.ascent() - lg.descent()) / 2), standard);
            x -= gap + swatch;
            p.fillRect(QRectF(x, mid - lineWidth / 2, swatch, lineWidth), lineColour);
        }
    }

    // Axis lines last, over the bars' feet.
    p.setPen(QPen(Qt::black, std::max(1.0, unit)));
    p.drawLine(QPointF(l.plot.left(), l.plot.top()), QPointF(l.plot.left(), l.plot.bottom()));
    p.drawLine(QPointF(l.plot.left(), base), QPointF(l.plot.right(), base));
    p.restore();
}

}  // namespace mireva::ui
