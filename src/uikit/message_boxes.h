// The one way the program shows a message box: every box carries the caption
// "Mireva３". Tests replace the real dialog with a handler that records each message
// and answers from a script.
#pragma once

#include <QString>

#include <functional>
#include <utility>

class QWidget;

namespace mireva::ui {

enum class MessageIcon { None, Information, Warning, Error, Question };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No };

struct MessageRequest {
    QString text;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
};

class MessageBoxes {
public:
    static QString caption();  // "Mireva３"

    static MessageAnswer show(QWidget* parent, const QString& text, MessageIcon icon = MessageIcon::None,
                              MessageButtons buttons = MessageButtons::Ok);
    static void inform(QWidget* parent, const QString& text) { show(parent, text, MessageIcon::None); }
    static void error(QWidget* parent, const QString& text) { show(parent, text, MessageIcon::Error); }
    // Yes/No question; true for Yes.
    static bool ask(QWidget* parent, const QString& text, MessageIcon icon = MessageIcon::None) {
        return show(parent, text, icon, MessageButtons::YesNo) == MessageAnswer::Yes;
    }

    using Handler = std::function<MessageAnswer(const MessageRequest&)>;
    // Replaces the real dialogs (tests); an empty handler restores them.
    static void setHandler(Handler handler) { handler_ = std::move(handler); }

private:
    static inline Handler handler_;
};

}  // namespace mireva::ui
