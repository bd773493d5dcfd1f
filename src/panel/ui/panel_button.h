// A button of the main panel: fixed template size, its label in the panel's font. A
// label too wide for one line is drawn on two, broken where the script changes
// ("印刷" / "プレビュー"), instead of being shrunk to an unreadable size; the
// button's text stays the label as given.
#pragma once

#include <QPushButton>

namespace mireva::ui {

class PanelButton : public QPushButton {
    Q_OBJECT
public:
    PanelButton(const QString& text, QWidget* parent = nullptr);

    // The label as drawn: the text, or the text with one line break.
    QString shownLabel() const;
    // Room for the label inside the button's frame.
    int labelRoom() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// Where a label is best broken into two lines: the break between two characters of
// different scripts (kanji, kana, Latin) that gives the narrowest wider line, else
// the break that does; the text itself when it has fewer than two characters.
QString twoLineLabel(const QString& text, const QFontMetrics& metrics);

}  // namespace mireva::ui
