#include "panel/ui/panel_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

#include <limits>

namespace mireva::ui {

namespace {

enum class Script { Kanji, Kana, Other };

Script scriptOf(QChar c) {
    const char16_t u = c.unicode();
    if ((u >= 0x3040 && u <= 0x30FF) || (u >= 0xFF66 && u <= 0xFF9F)) return Script::Kana;
    if (u >= 0x4E00 && u <= 0x9FFF) return Script::Kanji;
    return Script::Other;
}

}  // namespace

QString twoLineLabel(const QString& text, const QFontMetrics& metrics) {
    if (text.size() < 2) return text;
    qsizetype best = -1, bestAny = -1;
    int bestWidth = std::numeric_limits<int>::max(), bestAnyWidth = std::numeric_limits<int>::max();
    for (qsizetype at = 1; at < text.size(); ++at) {
        if (text[at].isLowSurrogate()) continue;
        const int wider = std::max(metrics.horizontalAdvance(text.left(at)), metrics.horizontalAdvance(text.mid(at)));
        if (wider < bestAnyWidth) {
            bestAnyWidth = wider;
            bestAny = at;
        }
        if (scriptOf(text[at - 1]) != scriptOf(text[at]) && wider < bestWidth) {
            bestWidth = wider;
            best = at;
        }
    }
    const qsizetype at = best >= 0 ? best : bestAny;
    return text.left(at) + QLatin1Char('\n') + text.mid(at);
}

PanelButton::PanelButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {}

int PanelButton::labelRoom() const {
    QStyleOptionButton option;
    initStyleOption(&option);
    const int margin = style()->pixelMetric(QStyle::PM_ButtonMargin, &option, this);
    return width() - 2 * margin;
}

QString PanelButton::shownLabel() const {
    const QFontMetrics metrics(font());
    if (metrics.horizontalAdvance(text()) <= labelRoom()) return text();
    return twoLineLabel(text(), metrics);
}

void PanelButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text = shownLabel();
    painter.drawControl(QStyle::CE_PushButton, option);
}

}  // namespace mireva::ui
