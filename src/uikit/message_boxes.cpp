#include "uikit/message_boxes.h"

#include <QMessageBox>

namespace mireva::ui {

QString MessageBoxes::caption() { return QStringLiteral("Mireva３"); }

MessageAnswer MessageBoxes::show(QWidget* parent, const QString& text, MessageIcon icon, MessageButtons buttons) {
    MessageRequest request{text, icon, buttons};
    if (handler_) return handler_(request);

    QMessageBox box(parent);
    box.setWindowTitle(caption());
    box.setText(text);
    switch (icon) {
        case MessageIcon::None:
            box.setIcon(QMessageBox::NoIcon);
            break;
        case MessageIcon::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case MessageIcon::Warning:
            box.setIcon(QMessageBox::Warning);
            break;
        case MessageIcon::Error:
            box.setIcon(QMessageBox::Critical);
            break;
        case MessageIcon::Question:
            box.setIcon(QMessageBox::Question);
            break;
    }
    switch (buttons) {
        case MessageButtons::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case MessageButtons::OkCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
        case MessageButtons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        case MessageButtons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
    }
    switch (box.exec()) {
        case QMessageBox::Ok:
            return MessageAnswer::Ok;
        case QMessageBox::Yes:
            return MessageAnswer::Yes;
        case QMessageBox::No:
            return MessageAnswer::No;
        case QMessageBox::Cancel:
            return MessageAnswer::Cancel;
        default:
            return buttons == MessageButtons::Ok         ? MessageAnswer::Ok
                   : buttons == MessageButtons::OkCancel ? MessageAnswer::Cancel
                                                         : MessageAnswer::No;
    }
}

}  // namespace mireva::ui
