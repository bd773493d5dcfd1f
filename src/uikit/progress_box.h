// The box that says a long operation is running: no caption, no buttons, one line of
// centred text, centred over its owner's window. It is painted once when it opens and
// shows the wait cursor until it is destroyed (scope it around the operation).
#pragma once

#include <QDialog>
#include <QString>

class QLabel;

namespace mireva::ui {

class ProgressBox : public QDialog {
    Q_OBJECT
public:
    ProgressBox(QWidget* owner, const QString& text);
    ~ProgressBox() override;

    QString text() const;
    void setText(const QString& text);

    static QString readingText();     // "測定データを読み込んでいます。"
    static QString processingText();  // "処理中です。しばらくお待ちください。"

protected:
    void keyPressEvent(QKeyEvent* event) override;  // Esc must not close it

private:
    QLabel* label_ = nullptr;
};

}  // namespace mireva::ui
